#include "app/ThtmlWindow.h"
#include "app/TpreviewWindow.h"
#include "app/TwMain.h"
#include "app/helpers/AppState.h"
#include "platform/UserStore.h"
#include "platform/gui/Dialogs.h"
#include "ticker/Fmovie.h"
#include "ticker/designer/TDesignerPanel.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QScreen>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

// A main window on a program folder and a per-user store of its own.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QDir(m_dir.path()).mkpath("program");
        InitFolders(m_dir.path() + "/program/");
        UserStore::setInstanceFile(m_dir.path() + "/store.json");
        Dialogs::clearQueue();
        Dialogs::expectQueued(true);
        m_main = std::make_unique<TwMain>();
    }
    void TearDown() override
    {
        if (m_main && m_main->movie())
            m_main->movie()->Modified = false;
        m_main.reset();
        Dialogs::expectQueued(false);
    }
    QString path(const QString& name) const { return m_dir.path() + "/" + name; }
    void modify()
    {
        auto* width = m_main->findChild<QSpinBox*>("widthSpinEdit");
        width->setValue(width->value() + 10);
        ASSERT_TRUE(m_main->movie()->Modified);
    }
    // Saves the current ticker under name; the Save dialog is answered with that path.
    void saveAs(const QString& name)
    {
        Dialogs::queueFileName(path(name));
        closeFilesWindow();
        ASSERT_TRUE(m_main->Save());
    }
    // The files window that a save ends with is modal: close it once it shows.
    static void closeFilesWindow()
    {
        QTimer::singleShot(20, [] {
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
            else
                closeFilesWindow();
        });
    }
    int questionsAsked() const
    {
        int count = 0;
        for (const auto& shown : Dialogs::shown())
            count += shown.kind == "question";
        return count;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<TwMain> m_main;
};

TEST_F(MainWindowTest, NewAsksOnlyForAModifiedTickerAndCancelKeepsIt)
{
    ASSERT_TRUE(m_main->New());
    EXPECT_EQ(questionsAsked(), 0);

    modify();
    Fmovie* modified = m_main->movie();
    Dialogs::queueButton(QMessageBox::Cancel);
    EXPECT_FALSE(m_main->New());
    EXPECT_EQ(m_main->movie(), modified);
    EXPECT_TRUE(modified->Modified);
    ASSERT_EQ(Dialogs::shown().last().text, "Save changes to current file?");

    Dialogs::queueButton(QMessageBox::No);
    EXPECT_TRUE(m_main->New());
    EXPECT_FALSE(m_main->movie()->Modified);
}

TEST_F(MainWindowTest, SaveProposesMyNewsThenClearsModifiedAndListsTheFile)
{
    modify();
    saveAs("first.xml");
    EXPECT_EQ(Dialogs::shown().last().kind, "save");
    EXPECT_EQ(Dialogs::shown().last().text, "mynews.xml");
    EXPECT_FALSE(m_main->movie()->Modified);
    EXPECT_TRUE(QFile::exists(path("first.xml")));
    EXPECT_EQ(m_main->recentFiles().paths(), QStringList{path("first.xml")});
    EXPECT_EQ(m_main->saveFolder(), m_dir.path() + "/");
    ASSERT_EQ(m_main->reopenMenu()->actions().size(), 1);
    EXPECT_EQ(m_main->reopenMenu()->actions().first()->text(), "&1 first.xml");
}

TEST_F(MainWindowTest, AFailedSaveIsShownAndLeavesTheTickerModified)
{
    modify();
    Dialogs::queueFileName(path("missing folder/ticker.xml"));
    Dialogs::queueButton(QMessageBox::Ok);
    EXPECT_FALSE(m_main->Save());
    EXPECT_TRUE(m_main->movie()->Modified);
    ASSERT_EQ(Dialogs::shown().last().kind, "error");
    EXPECT_TRUE(Dialogs::shown().last().text.startsWith("Save failed."));
    EXPECT_TRUE(m_main->recentFiles().paths().isEmpty());
}

TEST_F(MainWindowTest, OpenCancelledAtTheSaveQuestionReadsNothing)
{
    saveAs("other.xml");
    modify();
    const int width = m_main->movie()->width();
    Dialogs::queueFileName(path("other.xml"));
    Dialogs::queueButton(QMessageBox::Cancel);
    m_main->Open();
    EXPECT_EQ(m_main->movie()->width(), width);
    EXPECT_TRUE(m_main->movie()->Modified);
    EXPECT_NE(m_main->openFolder(), m_dir.path() + "/");
}

TEST_F(MainWindowTest, OpenReadsTheFileIntoAFreshTicker)
{
    m_main->findChild<QSpinBox*>("widthSpinEdit")->setValue(321);
    saveAs("wide.xml");
    ASSERT_TRUE(m_main->New());
    ASSERT_EQ(m_main->movie()->width(), 200);
    Dialogs::queueFileName(path("wide.xml"));
    m_main->Open();
    EXPECT_EQ(m_main->movie()->width(), 321);
    EXPECT_FALSE(m_main->movie()->Modified);
    EXPECT_EQ(m_main->openFolder(), m_dir.path() + "/");
}

TEST_F(MainWindowTest, PreviewWithoutATickedFeedWarnsAndWritesNothing)
{
    Dialogs::queueButton(QMessageBox::Ok);
    m_main->Preview();
    ASSERT_EQ(Dialogs::shown().size(), 1);
    EXPECT_EQ(Dialogs::shown().first().text, "You must check a News Feed or Tickerine wont work!");
    EXPECT_FALSE(QFile::exists(Folders().TempFolder + "temp.html"));
    EXPECT_FALSE(m_main->previewWindow()->browserCreated());
}

TEST_F(MainWindowTest, GetCodeAsksForANameFirstAndShowsNoCodeWhenCancelled)
{
    Dialogs::queueFileName("");
    m_main->GetCode();
    EXPECT_EQ(Dialogs::shown().last().kind, "save");
    EXPECT_FALSE(m_main->htmlWindow()->isVisible());
    EXPECT_TRUE(m_main->movie()->PublishedFolder.isEmpty());
}

TEST_F(MainWindowTest, GetCodeOfASavedTickerShowsItsCodeWithoutSavingAgain)
{
    saveAs("my.xml");
    modify();
    QFile::remove(path("my.xml"));
    QString code;
    QTimer::singleShot(0, [&] {
        code = m_main->htmlWindow()->code();
        m_main->htmlWindow()->accept();
    });
    m_main->GetCode();
    EXPECT_TRUE(code.contains("my.swf"));
    EXPECT_FALSE(QFile::exists(path("my.xml")));
    EXPECT_TRUE(m_main->movie()->Modified);
}

TEST_F(MainWindowTest, ClosingWithYesAndACancelledSaveStillCloses)
{
    m_main->show();
    modify();
    Dialogs::queueButton(QMessageBox::Yes);
    Dialogs::queueFileName("");
    EXPECT_TRUE(m_main->close());

    m_main->show();
    Dialogs::queueButton(QMessageBox::Cancel);
    EXPECT_FALSE(m_main->close());
    EXPECT_TRUE(m_main->isVisible());
}

TEST_F(MainWindowTest, RecentFilesKeepFiveAndDropDeletedFiles)
{
    for (int i = 1; i <= 6; ++i)
        saveAs(QString("t%1.xml").arg(i));
    QStringList expected;
    for (int i = 6; i >= 2; --i)
        expected << path(QString("t%1.xml").arg(i));
    EXPECT_EQ(m_main->recentFiles().paths(), expected);

    saveAs("t4.xml");
    EXPECT_EQ(m_main->recentFiles().paths().first(), path("t4.xml"));
    EXPECT_EQ(m_main->recentFiles().paths().size(), 5);

    QFile::remove(path("t5.xml"));
    saveAs("t6.xml");
    EXPECT_FALSE(m_main->recentFiles().paths().contains(path("t5.xml")));
    EXPECT_EQ(m_main->reopenMenu()->actions().size(), 4);
}

TEST_F(MainWindowTest, WindowSettingsComeBackInTheNextWindow)
{
    m_main->show();
    m_main->setGeometry(40, 50, 900, 700);
    saveAs("kept.xml");
    ASSERT_TRUE(m_main->close());
    m_main.reset();

    m_main = std::make_unique<TwMain>();
    EXPECT_EQ(m_main->recentFiles().paths(), QStringList{path("kept.xml")});
    EXPECT_EQ(m_main->saveFolder(), m_dir.path() + "/");
    EXPECT_EQ(m_main->size(), QSize(900, 700));
    EXPECT_EQ(m_main->pos(), QPoint(40, 50));
}

TEST_F(MainWindowTest, APlacementOffEveryScreenMovesOntoAVisibleOne)
{
    UserStore& store = UserStore::instance();
    for (const auto& [name, value] :
         {std::pair{"Left", "-30000"}, {"Top", "-30000"}, {"Width", "900"}, {"Height", "700"}})
        store.writeValue(TwMain::SettingsKey, name, value);
    m_main = std::make_unique<TwMain>();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.intersects(QRect(m_main->pos(), QSize(100, 40))));
}

TEST_F(MainWindowTest, TheTipsSwitchRenamesTheTipsFileBackAndForth)
{
    const QString tips = Folders().ProgramFolder + "tips.txt";
    QFile file(tips);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    m_main = std::make_unique<TwMain>();
    QAction* toggle = m_main->showTipsAction();
    ASSERT_TRUE(toggle->isChecked());
    toggle->trigger();
    EXPECT_FALSE(QFile::exists(tips));
    EXPECT_TRUE(QFile::exists(Folders().ProgramFolder + "tips2.txt"));
    toggle->trigger();
    EXPECT_TRUE(QFile::exists(tips));
    EXPECT_TRUE(toggle->isChecked());
}

TEST_F(MainWindowTest, KeyboardShortcutsRunTheirCommands)
{
    m_main->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_main.get()));
    Dialogs::queueButton(QMessageBox::Ok);
    QTest::keyClick(m_main.get(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(Dialogs::shown().last().text, "You must check a News Feed or Tickerine wont work!");
    Dialogs::queueFileName("");
    QTest::keyClick(m_main.get(), Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(Dialogs::shown().last().kind, "open");
    Dialogs::queueFileName("");
    QTest::keyClick(m_main.get(), Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(Dialogs::shown().last().kind, "save");
}

} // namespace
