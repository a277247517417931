#include "app/helpers/AppState.h"
#include "platform/Shell.h"
#include "platform/gui/Dialogs.h"
#include "sources/FeedLineDelegate.h"
#include "sources/LocalHttpServer.h"
#include "sources/TaddFeedWin.h"
#include "sources/Tfeedinfowin.h"
#include "sources/TnewsSourcePanel.h"
#include "sources/core/Catalogue.h"
#include "sources/core/CatalogueDownload.h"
#include "support/TestPaths.h"
#include "ticker/Fmovie.h"

#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

namespace {

const QByteArray Shipped =
    "<?xml version=\"1.0\"?>\r\n<newssources>\r\n"
    "<channel name=\"World\">\r\n"
    "<outline title=\"BBC\" xmlUrl=\"http://bbc.example/rss\" htmlUrl=\"http://bbc.example/\""
    " description=\"British news\"/>\r\n"
    "<outline title=\"CNN\" xmlUrl=\"http://cnn.example/rss\"/>\r\n"
    "<outline title=\"BBC again\" xmlUrl=\"http://BBC.example/rss\"/>\r\n"
    "</channel>\r\n<channel name=\"Sports\">\r\n"
    "<outline title=\"ESPN\" xmlUrl=\"http://espn.example/rss\"/>\r\n"
    "</channel>\r\n</newssources>\r\n";

QByteArray CustomFile(const QList<QPair<QByteArray, QByteArray>>& feeds)
{
    QByteArray bytes =
        "<?xml version=\"1.0\"?>\r\n<newssources>\r\n<channel name=\"Custom News Sources\">\r\n\r\n";
    for (const auto& [title, url] : feeds)
        bytes += "<outline text=\"\" title=\"" + title + "\" type=\"\" version=\"\" xmlUrl=\"" + url +
                 "\" htmlUrl=\"\" description=\"\" custom=\"true\"/>\r\n";
    return bytes + "</channel>\r\n</newssources>\r\n";
}

const QList<QPair<QByteArray, QByteArray>> AlphaDelta = {{"Alpha", "http://alpha.example/rss"},
                                                         {"Delta", "http://delta.example/rss"}};

class NewsSourcePanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitFolders(dir.path());
        ASSERT_TRUE(testsupport::writeFile(ShippedPath(), Shipped));
        ASSERT_TRUE(testsupport::writeFile(CustomPath(), CustomFile(AlphaDelta)));
        Dialogs::clearQueue();
        Dialogs::expectQueued(true);
        Shell::setOpenHandler([this](const QString& target) { opened << target; });
    }

    void TearDown() override
    {
        Shell::setOpenHandler({});
        Dialogs::expectQueued(false);
    }

    // Builds the panel the way the main window does: ticker first, then both catalogues.
    void Start()
    {
        ticker = std::make_unique<Fmovie>();
        panel = std::make_unique<TnewsSourcePanel>();
        panel->setTicker(ticker.get());
        panel->LoadCatalogues();
        panel->resize(420, 600);
        panel->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(panel.get()));
    }

    QString ShippedPath() const { return Folders().ProgramFolder + "newssources.xml"; }
    QString CustomPath() const { return Folders().ProgramFolder + "my custom news sources.xml"; }

    QStringList Titles() const
    {
        QStringList titles;
        for (int i = 0; i < panel->Rows().size(); ++i)
            titles << panel->Rows().row(i).title;
        return titles;
    }
    int Line(const QString& title) const { return int(Titles().indexOf(title)); }

    QListView* List() const { return panel->siteListBox(); }
    QPoint LineCentre(int line) const { return List()->visualRect(panel->Rows().index(line)).center(); }

    void ClickCheckBox(int line)
    {
        const QModelIndex index = panel->Rows().index(line);
        List()->scrollTo(index);
        QStyleOptionViewItem option;
        option.initFrom(List());
        option.rect = List()->visualRect(index);
        option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
        const QRect box =
            List()->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, List());
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, box.center());
    }
    void ClickLine(int line)
    {
        List()->scrollTo(panel->Rows().index(line));
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, LineCentre(line));
    }
    // A user's double click: a first click, then the second one that the system reports as double.
    void DoubleClickLine(int line)
    {
        ClickLine(line);
        QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, LineCentre(line));
    }
    void Click(const char* buttonName)
    {
        QTest::mouseClick(panel->findChild<QPushButton*>(buttonName), Qt::LeftButton);
    }

    // Fills the "Add News Feed" window once it is open and presses one of its buttons.
    void WhenFeedWindowOpens(const QString& title, const QString& url, const char* button = "okButton")
    {
        QTimer::singleShot(0, [this, title, url, button] {
            TaddFeedWin& window = panel->AddFeedWindow();
            if (!WaitUntil([&] { return window.isVisible(); }, 5000))
                return;
            window.titleEdit()->clear();
            QTest::keyClicks(window.titleEdit(), title);
            window.urlEdit()->clear();
            QTest::keyClicks(window.urlEdit(), url);
            QTest::mouseClick(window.findChild<QPushButton*>(button), Qt::LeftButton);
        });
    }

    QStringList ShownTexts() const
    {
        QStringList texts;
        for (const Dialogs::Shown& shown : Dialogs::shown())
            texts << shown.text;
        return texts;
    }

    QTemporaryDir dir;
    std::unique_ptr<Fmovie> ticker;
    std::unique_ptr<TnewsSourcePanel> panel;
    QStringList opened;
};

} // namespace

TEST_F(NewsSourcePanelTest, LoadsTheCustomCatalogueFirstAndGroupsHaveNoCheckBox)
{
    Start();
    EXPECT_EQ(Titles(), (QStringList{"Custom News Sources", "Alpha", "Delta", "World", "BBC", "CNN",
                                     "BBC again", "Sports", "ESPN"}));
    const FeedListModel& rows = panel->Rows();
    for (int line : {0, 3, 7}) {
        EXPECT_TRUE(rows.row(line).isGroup);
        EXPECT_FALSE(rows.data(rows.index(line), Qt::CheckStateRole).isValid());
    }
    EXPECT_EQ(rows.data(rows.index(4), Qt::CheckStateRole), Qt::Unchecked);

    auto* delegate = qobject_cast<FeedLineDelegate*>(List()->itemDelegate());
    ASSERT_NE(delegate, nullptr);
    QStyleOptionViewItem base;
    base.initFrom(List());
    const QStyleOptionViewItem group = delegate->LineOptions(rows.index(3), base);
    const QStyleOptionViewItem feed = delegate->LineOptions(rows.index(4), base);
    EXPECT_TRUE(group.font.bold());
    EXPECT_EQ(group.backgroundBrush.color(), List()->palette().button().color());
    EXPECT_FALSE(group.features.testFlag(QStyleOptionViewItem::HasCheckIndicator));
    EXPECT_FALSE(feed.font.bold());
    EXPECT_TRUE(feed.features.testFlag(QStyleOptionViewItem::HasCheckIndicator));
    EXPECT_EQ(feed.text, "BBC");

    // A click on a group line's box area ticks nothing.
    ClickCheckBox(0);
    EXPECT_TRUE(rows.tickedRows().empty());
    EXPECT_TRUE(ticker->FeedUrls.isEmpty());
}

TEST_F(NewsSourcePanelTest, BrokenCustomCatalogueStillLetsTheShippedOneLoad)
{
    ASSERT_TRUE(testsupport::writeFile(CustomPath(), "<newssources><channel name=\"Custom News Sources\">"));
    Start();
    EXPECT_EQ(Titles().first(), "World");
    EXPECT_EQ(panel->Rows().size(), 6);
}

TEST_F(NewsSourcePanelTest, TicksByTheUserChangeFeedUrlsInTickOrder)
{
    Start();
    ClickCheckBox(Line("BBC"));
    ClickCheckBox(Line("CNN"));
    ClickCheckBox(Line("ESPN"));
    ClickCheckBox(Line("CNN"));
    EXPECT_EQ(ticker->FeedUrls, (QStringList{"http://bbc.example/rss", "http://espn.example/rss"}));
    EXPECT_TRUE(ticker->Modified);

    // The same address in another letter case adds nothing but still marks the ticker.
    ticker->Modified = false;
    ClickCheckBox(Line("BBC again"));
    EXPECT_EQ(ticker->FeedUrls.size(), 2);
    EXPECT_TRUE(ticker->Modified);
}

TEST_F(NewsSourcePanelTest, TicksShownFromTheTickerFollowTheFirstMatch)
{
    Start();
    ticker->FeedUrls = {"HTTP://BBC.EXAMPLE/RSS", "mynews.txt", "http://espn.example/rss"};
    ClickCheckBox(Line("CNN"));
    ticker->Modified = false;
    ticker->FeedUrls.removeAll("http://cnn.example/rss");

    panel->ShowTickedFeeds();
    EXPECT_EQ(panel->Rows().tickedRows(), (std::vector<int>{Line("BBC"), Line("ESPN")}));
    // Unknown addresses stay in the ticker, and showing ticks changes nothing there.
    EXPECT_EQ(ticker->FeedUrls,
              (QStringList{"HTTP://BBC.EXAMPLE/RSS", "mynews.txt", "http://espn.example/rss"}));
    EXPECT_FALSE(ticker->Modified);
}

TEST_F(NewsSourcePanelTest, ViewButtonsSwitchBetweenFeedsAndMyNews)
{
    Start();
    QWidget pages;
    QToolButton feedsButton;
    QToolButton myNewsButton;
    QButtonGroup group;
    for (QToolButton* button : {&feedsButton, &myNewsButton}) {
        button->setCheckable(true);
        group.addButton(button);
    }
    feedsButton.setChecked(true);
    panel->setViewControls(&pages, &feedsButton, &myNewsButton);

    QTest::mouseClick(&myNewsButton, Qt::LeftButton);
    EXPECT_EQ(panel->CurrentNewsView(), NewsView::MyNews);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_FALSE(pages.isHidden());
    EXPECT_TRUE(myNewsButton.isChecked());
    EXPECT_FALSE(ticker->BoolSetting("external")->GetBool());
    EXPECT_TRUE(ticker->WriteSettingsXml().contains("external=\"false\""));

    QTest::mouseClick(&feedsButton, Qt::LeftButton);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(pages.isHidden());
    EXPECT_TRUE(feedsButton.isChecked());
    EXPECT_TRUE(ticker->BoolSetting("external")->GetBool());
}

TEST_F(NewsSourcePanelTest, AddPutsTheFeedInTitleOrderAndWritesTheCustomFile)
{
    Start();
    WhenFeedWindowOpens("charlie", "http://charlie.example/rss");
    Click("addButton");
    WhenFeedWindowOpens("zulu", "http://zulu.example/rss");
    Click("addButton");

    EXPECT_EQ(Titles().mid(0, 6),
              (QStringList{"Custom News Sources", "Alpha", "charlie", "Delta", "zulu", "World"}));
    EXPECT_FALSE(panel->Rows().isTicked(Line("charlie")));
    EXPECT_EQ(testsupport::readFile(CustomPath()), CustomFile({AlphaDelta[0],
                                                               {"charlie", "http://charlie.example/rss"},
                                                               AlphaDelta[1],
                                                               {"zulu", "http://zulu.example/rss"}}));
    EXPECT_FALSE(panel->AddFeedWindow().isVisible());
}

TEST_F(NewsSourcePanelTest, AddWithoutCustomGroupMakesItAtTheTop)
{
    QFile::remove(CustomPath());
    Start();
    WhenFeedWindowOpens("Mine", "http://mine.example/rss");
    Click("addButton");
    EXPECT_EQ(Titles().mid(0, 3), (QStringList{"Custom News Sources", "Mine", "World"}));
}

TEST_F(NewsSourcePanelTest, AddAsksForBothBoxesAndCancelChangesNothing)
{
    Start();
    const int before = panel->Rows().size();
    Dialogs::queueButton(QMessageBox::Ok);
    Dialogs::queueButton(QMessageBox::Ok);
    QTimer::singleShot(0, [this] {
        TaddFeedWin& window = panel->AddFeedWindow();
        WaitUntil([&] { return window.isVisible(); }, 5000);
        QPushButton* ok = window.findChild<QPushButton*>("okButton");
        QTest::mouseClick(ok, Qt::LeftButton);
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(window.focusWidget(), window.titleEdit());
        QTest::keyClicks(window.titleEdit(), "Named");
        QTest::mouseClick(ok, Qt::LeftButton);
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(window.focusWidget(), window.urlEdit());
        QTest::keyClicks(window.urlEdit(), "http://named.example/");
        QTest::mouseClick(window.findChild<QPushButton*>("cancelButton"), Qt::LeftButton);
    });
    Click("addButton");
    EXPECT_EQ(ShownTexts(), (QStringList{"You must add a name to your News Feed.",
                                         "You must add a Feed URL to your News Feed."}));
    EXPECT_EQ(panel->Rows().size(), before);
    EXPECT_EQ(testsupport::readFile(CustomPath()), CustomFile(AlphaDelta));
}

TEST_F(NewsSourcePanelTest, AddThatCannotBeSavedKeepsTheWindowOpenWithTheFeedAddedOnce)
{
    Start();
    QFile::remove(CustomPath());
    ASSERT_TRUE(QDir(Folders().ProgramFolder).mkdir("my custom news sources.xml"));
    QTimer::singleShot(0, [this] {
        TaddFeedWin& window = panel->AddFeedWindow();
        WaitUntil([&] { return window.isVisible(); }, 5000);
        QTest::keyClicks(window.titleEdit(), "Bravo");
        QTest::keyClicks(window.urlEdit(), "http://bravo.example/rss");
        QPushButton* ok = window.findChild<QPushButton*>("okButton");
        QTest::mouseClick(ok, Qt::LeftButton);
        EXPECT_TRUE(window.isVisible());
        QTest::mouseClick(ok, Qt::LeftButton);
        EXPECT_TRUE(window.isVisible());
        window.reject();
    });
    Click("addButton");
    EXPECT_EQ(Titles().mid(0, 4), (QStringList{"Custom News Sources", "Alpha", "Bravo", "Delta"}));
    EXPECT_EQ(Titles().count("Bravo"), 1);
}

TEST_F(NewsSourcePanelTest, EditChangesACustomFeedInPlaceAndLeavesTheTickerAlone)
{
    Start();
    ClickCheckBox(Line("Delta"));
    ClickLine(Line("Delta"));
    QString shownTitle;
    QString shownUrl;
    QTimer::singleShot(0, [this, &shownTitle, &shownUrl] {
        TaddFeedWin& window = panel->AddFeedWindow();
        WaitUntil([&] { return window.isVisible(); }, 5000);
        shownTitle = window.titleEdit()->text();
        shownUrl = window.urlEdit()->text();
    });
    WhenFeedWindowOpens("Aaron", "http://aaron.example/rss");
    Click("editButton");

    EXPECT_EQ(shownTitle, "Delta");
    EXPECT_EQ(shownUrl, "http://delta.example/rss");
    // The feed keeps its line and its tick; the ticker keeps the old address.
    EXPECT_EQ(Line("Aaron"), 2);
    EXPECT_EQ(panel->Rows().row(2).xmlUrl, "http://aaron.example/rss");
    EXPECT_TRUE(panel->Rows().isTicked(2));
    EXPECT_EQ(ticker->FeedUrls, QStringList{"http://delta.example/rss"});
    EXPECT_EQ(testsupport::readFile(CustomPath()),
              CustomFile({AlphaDelta[0], {"Aaron", "http://aaron.example/rss"}}));
}

TEST_F(NewsSourcePanelTest, InformationWindowForShippedFeedsAndItsAddresses)
{
    Start();
    // "Edit" on a shipped feed shows its information; "Delete" does nothing and asks nothing.
    ClickLine(Line("BBC"));
    Click("editButton");
    Tfeedinfowin& info = panel->FeedInfoWindow();
    EXPECT_TRUE(info.isVisible());
    EXPECT_FALSE(info.isModal());
    EXPECT_EQ(info.findChild<QLabel*>("titleValueLabel")->text(), "BBC");
    EXPECT_EQ(info.findChild<QLabel*>("descriptionValueLabel")->text(), "British news");
    EXPECT_TRUE(info.feedUrlLabel()->font().underline());
    Click("deleteButton");
    EXPECT_EQ(Line("BBC"), 4);

    QTest::mouseClick(info.feedUrlLabel(), Qt::LeftButton);
    QTest::mouseClick(info.siteUrlLabel(), Qt::LeftButton);
    EXPECT_EQ(opened, (QStringList{"http://bbc.example/rss", "http://bbc.example/"}));

    // A double click refills the open window; one on a group line only says what to do.
    DoubleClickLine(Line("ESPN"));
    EXPECT_EQ(info.Feed().title, "ESPN");
    Dialogs::queueButton(QMessageBox::Ok);
    DoubleClickLine(Line("Sports"));
    EXPECT_EQ(ShownTexts(), QStringList{"You must select a Feed to view its info."});
}

TEST_F(NewsSourcePanelTest, InformationWindowOpensOnlyWebAddresses)
{
    Start();
    FRSSsiteData row;
    row.title = "Odd";
    row.xmlUrl = "file:///etc/passwd";
    row.htmlUrl = "/usr/bin/xterm";
    panel->FeedInfoWindow().ShowFeed(row);
    QTest::mouseClick(panel->FeedInfoWindow().feedUrlLabel(), Qt::LeftButton);
    QTest::mouseClick(panel->FeedInfoWindow().siteUrlLabel(), Qt::LeftButton);
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(NewsSourcePanelTest, DeleteAsksThenRemovesTheCustomFeedAndRewritesTheFile)
{
    Start();
    ClickCheckBox(Line("Alpha"));
    ClickLine(Line("Alpha"));
    Dialogs::queueButton(QMessageBox::No);
    Click("deleteButton");
    EXPECT_EQ(Line("Alpha"), 1);
    ASSERT_EQ(Dialogs::shown().size(), 1);
    EXPECT_EQ(Dialogs::shown()[0].title, "Delete?");
    EXPECT_EQ(Dialogs::shown()[0].text, "Are you sure you want to delete the selected News Feed?");

    // The Delete key does the same; the selection stays on the line's index.
    Dialogs::queueButton(QMessageBox::Yes);
    QTest::keyClick(List(), Qt::Key_Delete);
    EXPECT_EQ(Line("Alpha"), -1);
    EXPECT_EQ(panel->SelectedFeedLine(), 1);
    EXPECT_EQ(panel->Rows().row(1).title, "Delta");
    EXPECT_EQ(testsupport::readFile(CustomPath()), CustomFile({AlphaDelta[1]}));
    EXPECT_EQ(ticker->FeedUrls, QStringList{"http://alpha.example/rss"});
}

TEST_F(NewsSourcePanelTest, DeletingTheLastLineSelectsTheNewLastLine)
{
    ASSERT_TRUE(testsupport::writeFile(ShippedPath(), "<newssources/>"));
    Start();
    ClickLine(Line("Delta"));
    Dialogs::queueButton(QMessageBox::Yes);
    Click("deleteButton");
    EXPECT_EQ(Titles(), (QStringList{"Custom News Sources", "Alpha"}));
    EXPECT_EQ(panel->SelectedFeedLine(), 1);
}

TEST_F(NewsSourcePanelTest, ImportOpmlAddsFeedsToTheCustomGroupFromACopy)
{
    QFile::remove(CustomPath());
    Start();
    const QString chosen = dir.filePath("picked/my.feeds.opml");
    ASSERT_TRUE(testsupport::writeFile(
        chosen, testsupport::readFile(testsupport::testDataDir() + "/sources/feedreader_export.opml")));
    for (int run = 0; run < 2; ++run) {
        Dialogs::queueFileName(chosen);
        Dialogs::queueButton(QMessageBox::Ok);
        panel->ImportOpmlFileClick();
    }
    EXPECT_EQ(Dialogs::shown()[0].kind, "open");
    EXPECT_EQ(ShownTexts().count("Import Complete."), 2);
    EXPECT_EQ(QDir(Folders().OpmlFolder).entryList(QDir::Files), (QStringList{"my(2).opml", "my.opml"}));
    // No check for duplicates: every feed twice, in title order.
    EXPECT_EQ(Titles().mid(0, 10), (QStringList{"Custom News Sources", "Beta &amp; Co", "Beta &amp; Co",
                                                "Top Level Feed", "Top Level Feed", "Upper Case Element",
                                                "Upper Case Element", "Zeta Tech", "Zeta Tech", "World"}));
    EXPECT_EQ(ReadCatalogueFile(CustomPath()).size(), 9u);
    EXPECT_EQ(panel->OpmlDialogFolder(), dir.filePath("picked"));
}

TEST_F(NewsSourcePanelTest, ImportOpmlCancelBrokenAndTitleLessFiles)
{
    Start();
    Dialogs::queueFileName("");
    panel->ImportOpmlFileClick();
    EXPECT_EQ(Dialogs::shown().size(), 1);

    // Not well-formed: nothing imported, nothing said (an unqueued message would abort here).
    Dialogs::queueFileName(testsupport::testDataDir() + "/sources/broken.opml");
    panel->ImportOpmlFileClick();
    EXPECT_EQ(Dialogs::shown().size(), 2);
    EXPECT_TRUE(QFileInfo::exists(Folders().OpmlFolder + "broken.opml"));

    // Feeds with only a "text": nothing imported, but the file is rewritten and the import ends.
    ASSERT_TRUE(testsupport::writeFile(CustomPath(), CustomFile(AlphaDelta).replace("\r\n\r\n", "\r\n")));
    Dialogs::queueFileName(testsupport::testDataDir() + "/sources/text_only.opml");
    Dialogs::queueButton(QMessageBox::Ok);
    panel->ImportOpmlFileClick();
    EXPECT_EQ(ShownTexts().last(), "Import Complete.");
    EXPECT_EQ(testsupport::readFile(CustomPath()), CustomFile(AlphaDelta));
    EXPECT_EQ(panel->Rows().size(), 9);
}

TEST_F(NewsSourcePanelTest, DownloadReplacesAndReloadsTheCatalogueAndKeepsTheTicks)
{
    Start();
    ticker->FeedUrls = {"http://new.example/rss"};
    LocalHttpServer server;
    const QByteArray fresh =
        "<newssources><channel name=\"Fresh\">"
        "<outline title=\"New\" xmlUrl=\"http://new.example/rss\"/></channel></newssources>";
    server.setReply({200, fresh, LocalHttpServer::Mode::Complete, 200});
    panel->Download().setUrl(server.url());
    QSignalSpy finished(panel.get(), &TnewsSourcePanel::downloadFinished);

    Dialogs::queueButton(QMessageBox::Ok);
    panel->DownloadNewsSourcesClick();
    panel->DownloadNewsSourcesClick(); // ignored while the first runs
    ASSERT_TRUE(WaitUntil([&] { return finished.count() > 0; }));
    QTest::qWait(300);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(finished[0][0], true);
    EXPECT_EQ(server.requests().size(), 1);
    EXPECT_EQ(ShownTexts(), QStringList{"Successfully Updated News Sources!"});
    EXPECT_EQ(testsupport::readFile(ShippedPath()), fresh);
    EXPECT_EQ(Titles(), (QStringList{"Custom News Sources", "Alpha", "Delta", "Fresh", "New"}));
    EXPECT_EQ(panel->Rows().tickedRows(), std::vector<int>{4});
    EXPECT_EQ(panel->CurrentNewsView(), NewsView::NewsFeeds);
}

TEST_F(NewsSourcePanelTest, FailedDownloadSaysSoAndChangesNothing)
{
    Start();
    LocalHttpServer server;
    server.setReply({404, "<html>Not Found</html>"});
    panel->Download().setUrl(server.url());
    QSignalSpy finished(panel.get(), &TnewsSourcePanel::downloadFinished);
    const QStringList before = Titles();

    Dialogs::queueButton(QMessageBox::Ok);
    panel->DownloadNewsSourcesClick();
    ASSERT_TRUE(WaitUntil([&] { return finished.count() > 0; }));
    EXPECT_EQ(finished[0][0], false);
    EXPECT_EQ(ShownTexts(), QStringList{"Error: Could not download News Sources!"});
    EXPECT_EQ(Titles(), before);
    EXPECT_EQ(testsupport::readFile(ShippedPath()), Shipped);
}
