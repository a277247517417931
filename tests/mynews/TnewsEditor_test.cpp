#include "mynews/TnewsEditor.h"

#include "app/helpers/AppState.h"
#include "mynews/TlinkWindow.h"
#include "mynews/doc/FblogDocument.h"
#include "platform/Clock.h"
#include "platform/gui/Dialogs.h"
#include "ticker/Fmovie.h"
#include "ticker/TickerHost.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextCursor>
#include <QTimeEdit>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

// The main window's part: it forwards the ticker's list calls to the editor.
class EditorHost : public TickerHost {
public:
    TnewsEditor* editor = nullptr;
    void clearNewsHistory() override { editor->clearNewsHistory(); }
    void addNewsHistoryRow(const QString& title, const QString& dateTime, const QString& author,
                           const QString& text, FblogItem* entry) override
    {
        editor->addNewsHistoryRow(title, dateTime, author, text, entry);
    }
    void bringNewsHistoryToFront() override { editor->bringNewsHistoryToFront(); }
    void refreshEntryDateText() override { editor->refreshEntryDateText(); }
};

class TnewsEditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto clock = std::make_unique<FixedClock>(QDateTime(QDate(2026, 12, 9), QTime(15, 5, 42)));
        fixedClock = clock.get();
        Clock::setInstance(std::move(clock));
        Dialogs::clearQueue();
        Dialogs::expectQueued(true);
        editor = std::make_unique<TnewsEditor>();
        host.editor = editor.get();
        movie = std::make_unique<Fmovie>(nullptr, &host);
        editor->SetMovie(movie.get());
        editor->resize(800, 500);
        editor->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(editor.get()));
    }
    void TearDown() override
    {
        editor.reset();
        movie.reset();
        Dialogs::expectQueued(false);
        Dialogs::clearQueue();
        Clock::setInstance(nullptr);
        Updating = false;
    }

    template <class T> T* find(const char* name) const
    {
        T* widget = editor->findChild<T*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QLineEdit* headline() const { return find<QLineEdit>("headlineEdit"); }
    QLineEdit* author() const { return find<QLineEdit>("authorEdit"); }
    QPlainTextEdit* memo() const { return find<QPlainTextEdit>("textMemo"); }
    QTreeWidget* history() const { return find<QTreeWidget>("newsHistoryListView"); }
    const QList<FblogItem*>& entries() const { return movie->NewsDocument().Entries(); }
    void click(const char* name) const { QTest::mouseClick(find<QAbstractButton>(name), Qt::LeftButton); }

    void typeInto(QWidget* widget, const QString& text) const
    {
        widget->setFocus();
        QTest::keyClicks(widget, text);
    }
    void replaceText(QLineEdit* edit, const QString& text) const
    {
        edit->selectAll();
        typeInto(edit, text);
    }
    // Clicks the row that shows the entry with this title.
    void selectRow(const QString& title) const
    {
        const QList<QTreeWidgetItem*> rows = history()->findItems(title, Qt::MatchExactly, 0);
        ASSERT_EQ(rows.size(), 1) << title.toStdString();
        editor->bringNewsHistoryToFront();
        const QRect rect = history()->visualItemRect(rows.first());
        QTest::mouseClick(history()->viewport(), Qt::LeftButton, {}, rect.center());
        ASSERT_TRUE(rows.first()->isSelected());
    }
    void selectInMemo(const QString& word) const
    {
        QTextCursor cursor = memo()->textCursor();
        const int at = int(memo()->toPlainText().indexOf(word));
        ASSERT_GE(at, 0);
        cursor.setPosition(at);
        cursor.setPosition(at + int(word.size()), QTextCursor::KeepAnchor);
        memo()->setTextCursor(cursor);
    }
    FblogItem* addEntry(const QString& title, const QString& date, const QString& time = "9:00 am")
    {
        return movie->AddNewsEntry(title, QString(), time, "text of " + title, date, "Ann");
    }

    FixedClock* fixedClock = nullptr;
    EditorHost host;
    std::unique_ptr<TnewsEditor> editor;
    std::unique_ptr<Fmovie> movie;
};

// --- saving --------------------------------------------------------------------------------

TEST_F(TnewsEditorTest, SaveEntryStoresTheUntouchedEditorThenStartsANewEntry)
{
    EXPECT_EQ(find<QLineEdit>("dateEdit")->text(), "09 Dec 2026");
    EXPECT_EQ(find<QTimeEdit>("timeEdit")->text(), "3:05 pm");
    EXPECT_FALSE(movie->EntryChanged);

    click("saveEntryButton");
    ASSERT_EQ(entries().size(), 1);
    const FblogData& first = entries()[0]->Data();
    EXPECT_EQ(first.Title, "My News");
    EXPECT_EQ(first.Description, "Extra!\r\nHuns invade France!");
    EXPECT_EQ(first.Date, "09 Dec 2026");
    EXPECT_EQ(first.Time, "3:05 pm");
    EXPECT_EQ(first.Link, "");
    EXPECT_TRUE(movie->Modified);
    EXPECT_FALSE(movie->EntryChanged);
    EXPECT_EQ(movie->EditingEntry, nullptr);
    EXPECT_TRUE(headline()->text().isEmpty());
    EXPECT_TRUE(memo()->toPlainText().isEmpty());

    ASSERT_EQ(history()->topLevelItemCount(), 1);
    const QTreeWidgetItem* row = history()->topLevelItem(0);
    EXPECT_EQ(row->text(1), "09 Dec 2026 3:05 pm");
    EXPECT_EQ(row->text(3), "Extra! Huns invade France!");

    // An untouched empty editor saves all the same, with the default author.
    replaceText(author(), "Ann");
    click("saveEntryButton");
    EXPECT_EQ(movie->NewsDocument().DefaultAuthor(), "Ann");
    click("saveEntryButton");
    ASSERT_EQ(entries().size(), 3);
    EXPECT_EQ(entries()[0]->Title(), ""); // the newest of one day goes first in the list
    EXPECT_EQ(entries()[0]->Author(), "Ann");
    EXPECT_TRUE(Dialogs::shown().isEmpty());
}

TEST_F(TnewsEditorTest, EntitiesResolveInNewEntriesButStayInEditedOnes)
{
    editor->NewEntry();
    typeInto(memo(), "Tom &amp; Jerry");
    click("saveEntryButton");
    ASSERT_EQ(entries().size(), 1);
    EXPECT_EQ(entries()[0]->Description(), "Tom & Jerry");

    selectRow("");
    click("editEntryButton");
    memo()->selectAll();
    typeInto(memo(), "Tom &amp; Jerry");
    QTest::keyClick(memo(), Qt::Key_Return);
    QTest::keyClicks(memo(), "again");
    click("saveEntryButton");
    ASSERT_EQ(entries().size(), 1);
    EXPECT_EQ(entries()[0]->Description(), "Tom &amp; Jerry\r\nagain");
}

// --- editing -------------------------------------------------------------------------------

TEST_F(TnewsEditorTest, EditEntryLoadsTheRowAndSaveWritesBackIntoIt)
{
    addEntry("older", "01 Mar 1700", "7:45 am");
    FblogItem* newer = addEntry("newer", "05 Mar 2026");
    editor->NewEntry();
    EXPECT_EQ(history()->topLevelItem(0)->text(0), "newer");

    selectRow("newer");
    QTest::mouseDClick(history()->viewport(), Qt::LeftButton, {},
                       history()->visualItemRect(history()->topLevelItem(0)).center());
    EXPECT_EQ(movie->EditingEntry, newer);
    EXPECT_FALSE(movie->EntryChanged);
    EXPECT_EQ(find<QTabWidget>("newsPageControl")->currentWidget()->objectName(), "myNewsTabSheet");
    EXPECT_EQ(headline()->text(), "newer");
    EXPECT_EQ(author()->text(), "Ann");
    EXPECT_EQ(memo()->toPlainText(), "text of newer");
    EXPECT_EQ(find<QLineEdit>("dateEdit")->text(), "05 Mar 2026");
    EXPECT_EQ(editor->TimeText(), "9:00 am");

    // A new date is stored but does not move the entry.
    find<QCalendarWidget>("dateCalendar")->setSelectedDate(QDate(2026, 1, 1));
    replaceText(headline(), "newer, edited");
    EXPECT_TRUE(movie->EntryChanged);
    click("saveEntryButton");
    ASSERT_EQ(entries().size(), 2);
    EXPECT_EQ(entries()[1], newer);
    EXPECT_EQ(newer->Title(), "newer, edited");
    EXPECT_EQ(newer->Date(), "01 Jan 2026");
    EXPECT_EQ(movie->EditingEntry, nullptr);

    // Far dates load as they are.
    selectRow("older");
    click("editEntryButton");
    EXPECT_EQ(editor->DateText(), "01 Mar 1700");
    EXPECT_EQ(editor->TimeText(), "7:45 am");
    EXPECT_TRUE(Dialogs::shown().isEmpty());
}

TEST_F(TnewsEditorTest, EditEntryWithUnreadableDateOrTimeStillEditsThatEntryAlone)
{
    FblogItem* good = addEntry("good", "01 Mar 2026", "7:45 am");
    FblogItem* odd = movie->AddNewsEntry("odd", QString(), "teatime", "odd text", "Mar 1st", "Bob");
    selectRow("good");
    click("editEntryButton");
    ASSERT_EQ(movie->EditingEntry, good);

    fixedClock->set(QDateTime(QDate(2026, 12, 10), QTime(8, 30)));
    Dialogs::queueButton(QMessageBox::Ok);
    selectRow("odd");
    click("editEntryButton");
    ASSERT_EQ(Dialogs::shown().size(), 1);
    EXPECT_EQ(Dialogs::shown()[0].kind, "information");
    EXPECT_TRUE(Dialogs::shown()[0].text.contains("Mar 1st"));
    EXPECT_TRUE(Dialogs::shown()[0].text.contains("teatime"));
    EXPECT_EQ(movie->EditingEntry, odd);
    EXPECT_FALSE(movie->EntryChanged);
    EXPECT_EQ(find<QLineEdit>("dateEdit")->text(), "10 Dec 2026");
    EXPECT_EQ(editor->TimeText(), "8:30 am");

    click("saveEntryButton");
    EXPECT_EQ(good->Data(), (FblogData{"good", "Ann", "", "01 Mar 2026", "7:45 am", "text of good"}));
    EXPECT_EQ(odd->Data(), (FblogData{"odd", "Bob", "", "10 Dec 2026", "8:30 am", "odd text"}));
    EXPECT_EQ(entries().size(), 2);
}

TEST_F(TnewsEditorTest, EditEntryDoesNothingWhileTheProgramUpdatesOrWithoutSelection)
{
    addEntry("one", "01 Mar 2026");
    editor->NewEntry();
    editor->EditEntry();
    EXPECT_EQ(movie->EditingEntry, nullptr);

    selectRow("one");
    Updating = true;
    editor->EditEntry();
    Updating = false;
    EXPECT_EQ(movie->EditingEntry, nullptr);
    EXPECT_TRUE(headline()->text().isEmpty());
}

// --- the save prompt -----------------------------------------------------------------------

TEST_F(TnewsEditorTest, PromptSaveEntryAsksOnlyWhenChangedAndNoKeepsAsking)
{
    editor->PromptSaveEntry(); // untouched: no question
    EXPECT_TRUE(Dialogs::shown().isEmpty());

    typeInto(headline(), "!");
    Dialogs::queueButton(QMessageBox::No);
    Dialogs::queueButton(QMessageBox::No);
    editor->PromptSaveEntry();
    editor->PromptSaveEntry();
    ASSERT_EQ(Dialogs::shown().size(), 2);
    EXPECT_EQ(Dialogs::shown()[0].kind, "question");
    EXPECT_EQ(Dialogs::shown()[0].title, "Save?");
    EXPECT_EQ(Dialogs::shown()[0].text, "Would you like to save changes to the current entry?");
    EXPECT_TRUE(movie->EntryChanged);
    EXPECT_EQ(headline()->text(), "My News!");
    EXPECT_TRUE(entries().isEmpty());

    Dialogs::queueButton(QMessageBox::Yes);
    editor->PromptSaveEntry();
    ASSERT_EQ(entries().size(), 1);
    EXPECT_EQ(entries()[0]->Title(), "My News!");
    EXPECT_FALSE(movie->EntryChanged);
    EXPECT_TRUE(headline()->text().isEmpty());
}

TEST_F(TnewsEditorTest, YesToThePromptOfEditEntrySavesAndLoadsNothing)
{
    addEntry("stored", "01 Mar 2026");
    editor->NewEntry();
    typeInto(headline(), "typed");
    selectRow("stored");
    Dialogs::queueButton(QMessageBox::Yes);
    click("editEntryButton");
    EXPECT_EQ(Dialogs::shown().size(), 1);
    ASSERT_EQ(entries().size(), 2);
    EXPECT_EQ(movie->EditingEntry, nullptr);
    EXPECT_TRUE(headline()->text().isEmpty());
    EXPECT_TRUE(history()->selectedItems().isEmpty());
}

// --- deleting ------------------------------------------------------------------------------

TEST_F(TnewsEditorTest, DeleteAsksAndLeavesEditorAndModifiedAlone)
{
    addEntry("keep", "01 Mar 2026");
    addEntry("drop", "02 Mar 2026");
    movie->Modified = false;
    typeInto(headline(), " in progress");

    selectRow("drop");
    Dialogs::queueButton(QMessageBox::No);
    click("deleteEntryButton");
    EXPECT_EQ(entries().size(), 2);
    EXPECT_EQ(Dialogs::shown().last().title, "Delete?");
    EXPECT_EQ(Dialogs::shown().last().text, "Are you sure you want to delete this entry?");

    // The Delete key released in the list does the same.
    history()->setFocus();
    Dialogs::queueButton(QMessageBox::Yes);
    QTest::keyClick(history(), Qt::Key_Delete);
    ASSERT_EQ(entries().size(), 1);
    EXPECT_EQ(entries()[0]->Title(), "keep");
    EXPECT_EQ(history()->topLevelItemCount(), 1);
    EXPECT_FALSE(movie->Modified);
    EXPECT_EQ(headline()->text(), "My News in progress");

    // In a text box the key edits text.
    headline()->setFocus();
    headline()->setCursorPosition(0);
    QTest::keyClick(headline(), Qt::Key_Delete);
    EXPECT_EQ(headline()->text(), "y News in progress");
    EXPECT_EQ(Dialogs::shown().size(), 2);
}

// --- markup and links ----------------------------------------------------------------------

TEST_F(TnewsEditorTest, MarkupButtonsWrapTheSelectionOrInsertAnEmptyPair)
{
    editor->NewEntry();
    typeInto(memo(), "a word here");
    selectInMemo("word");
    click("boldButton");
    EXPECT_EQ(memo()->toPlainText(), "a <b>word</b> here");

    QTextCursor cursor = memo()->textCursor();
    cursor.movePosition(QTextCursor::End);
    memo()->setTextCursor(cursor);
    movie->EntryChanged = false;
    click("italicButton");
    click("underlineButton");
    EXPECT_EQ(memo()->toPlainText(), "a <b>word</b> here<i></i><u></u>");
    EXPECT_TRUE(movie->EntryChanged);
}

class LinkDialogTest : public TnewsEditorTest {
protected:
    // Presses "Add Link" and, once the dialog is up, lets answer fill and close it.
    void addLink(const std::function<void(TlinkWindow*)>& answer)
    {
        bool answered = false;
        QTimer::singleShot(0, editor.get(), [&] {
            auto* dialog = qobject_cast<TlinkWindow*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            EXPECT_TRUE(dialog->isVisible());
            EXPECT_EQ(dialog->windowTitle(), "Insert Link");
            EXPECT_EQ(dialog->findChild<QLineEdit*>("urlEdit")->text(), "http://");
            answer(dialog);
            answered = true;
        });
        click("addLinkButton");
        EXPECT_TRUE(answered);
    }
    static void fill(TlinkWindow* dialog, const QString& url, int target)
    {
        auto* urlEdit = dialog->findChild<QLineEdit*>("urlEdit");
        urlEdit->selectAll();
        QTest::keyClicks(urlEdit, url);
        if (target >= 0) {
            dialog->findChild<QComboBox*>("targetComboBox")->setCurrentIndex(target);
        }
    }
    static void press(TlinkWindow* dialog, const char* button)
    {
        QTest::mouseClick(dialog->findChild<QPushButton*>(button), Qt::LeftButton);
    }
};

TEST_F(LinkDialogTest, OkReplacesTheSelectionWithTheLink)
{
    editor->NewEntry();
    typeInto(memo(), "Please read more today.");
    selectInMemo("read more");
    movie->EntryChanged = false;
    addLink([](TlinkWindow* dialog) {
        EXPECT_EQ(dialog->findChild<QPlainTextEdit*>("linkTextMemo")->toPlainText(), "read more");
        EXPECT_EQ(dialog->findChild<QComboBox*>("targetComboBox")->currentIndex(), -1);
        fill(dialog, "https://example.org/a?b=1&c=2", 3);
        press(dialog, "okButton");
    });
    EXPECT_EQ(memo()->toPlainText(),
              "Please <a href=\"https://example.org/a?b=1&c=2\" target=\"_blank\">read more</a> today.");
    EXPECT_TRUE(movie->EntryChanged);
    EXPECT_EQ(memo()->textCursor().position(), memo()->toPlainText().indexOf(" today."));

    // The target is kept; "Page Default (none)" adds none; two lines stay two lines.
    selectInMemo("Please");
    addLink([](TlinkWindow* dialog) {
        EXPECT_EQ(dialog->findChild<QComboBox*>("targetComboBox")->currentIndex(), 3);
        auto* text = dialog->findChild<QPlainTextEdit*>("linkTextMemo");
        text->setFocus();
        QTest::keyClick(text, Qt::Key_End);
        QTest::keyClick(text, Qt::Key_Return);
        QTest::keyClicks(text, "now");
        fill(dialog, "x.html", 0);
        press(dialog, "okButton");
    });
    EXPECT_TRUE(editor->MemoText().startsWith("<a href=\"x.html\">Please\r\nnow</a> <a href="));
}

TEST_F(LinkDialogTest, CancelChangesNothing)
{
    TlinkWindow shared; // the main window's dialog, made at start-up
    editor->SetLinkWindow(&shared);
    editor->NewEntry();
    typeInto(memo(), "unchanged");
    movie->EntryChanged = false;
    addLink([&shared](TlinkWindow* dialog) {
        EXPECT_EQ(dialog, &shared);
        fill(dialog, "http://lost.example/", 1);
        press(dialog, "cancelButton");
    });
    EXPECT_EQ(memo()->toPlainText(), "unchanged");
    EXPECT_FALSE(movie->EntryChanged);
}

TEST(TlinkWindowTargets, AddedTextDependsOnThePositionOnly)
{
    const char* expected[] = {
        "", "", " target=\"_self\"", " target=\"_top\"", " target=\"_blank\"", " target=\"_parent\""};
    for (int position = -1; position <= 4; ++position) {
        EXPECT_EQ(TlinkWindow::TargetAttribute(position), expected[position + 1]) << position;
    }
}

// --- date and time -------------------------------------------------------------------------

TEST_F(TnewsEditorTest, CalendarTodayAndNewEntryFollowTheClock)
{
    fixedClock->set(QDateTime(QDate(2027, 2, 3), QTime(23, 59)));
    movie->EntryChanged = false;
    click("calendarButton");
    auto* today = editor->findChild<QPushButton*>("todayButton");
    ASSERT_NE(today, nullptr);
    ASSERT_TRUE(today->isVisible());
    QTest::mouseClick(today, Qt::LeftButton);
    EXPECT_FALSE(today->isVisible());
    EXPECT_EQ(find<QLineEdit>("dateEdit")->text(), "03 Feb 2027");
    EXPECT_TRUE(movie->EntryChanged);

    // NewEntry keeps the time edit's time.
    find<QCalendarWidget>("dateCalendar")->setSelectedDate(QDate(2020, 1, 1));
    Dialogs::queueButton(QMessageBox::No);
    editor->NewEntry();
    EXPECT_EQ(editor->DateText(), "03 Feb 2027");
    EXPECT_EQ(editor->TimeText(), "3:05 pm");
    EXPECT_FALSE(movie->EntryChanged);
}

TEST_F(TnewsEditorTest, WithoutATickerNothingIsStoredOrAsked)
{
    editor->SetMovie(nullptr);
    typeInto(headline(), "x");
    click("saveEntryButton");
    editor->PromptSaveEntry();
    editor->NewEntry();
    EXPECT_EQ(headline()->text(), "My Newsx");
    EXPECT_TRUE(Dialogs::shown().isEmpty());
}

} // namespace
