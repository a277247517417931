#pragma once

#include "mynews/TlinkWindow.h"
#include "ticker/Fmovie.h"

#include <QDate>
#include <QIcon>
#include <QPointer>
#include <QTime>
#include <QWidget>

class FblogItem;
struct FblogData;
class QCalendarWidget;
class QFrame;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTimeEdit;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

// The "My News" view of the "Create and Upload" tab: the entry editor ("My News" page) and
// the list of the current ticker's entries ("News History" page), tabs at the bottom.
// It works on the ticker it was last given; the ticker keeps the editor's state
// (EditingEntry, EntryChanged) and fills the list through its host, which forwards to
// clearNewsHistory, addNewsHistoryRow, bringNewsHistoryToFront and refreshEntryDateText.
class TnewsEditor : public QWidget {
    Q_OBJECT
public:
    explicit TnewsEditor(QWidget* parent = nullptr);
    ~TnewsEditor() override;

    // The current ticker; null while there is none. The controls keep what they show.
    void SetMovie(Fmovie* movie);
    Fmovie* Movie() const { return m_movie; }

    // Asks "Would you like to save changes to the current entry?" when the entry changed;
    // Yes saves it and starts a new one. Never cancels the caller.
    void PromptSaveEntry();
    // Stores the editor's content: into the entry being edited, else as a new entry.
    void SaveEntry();
    // Empties the editor for a new entry (after the save prompt). Ctrl+E of the main window.
    void NewEntry();
    // Loads the selected News History row into the editor.
    void EditEntry();
    // Deletes the selected row's entry after asking.
    void DeleteSelectedEntry();

    // The date picker and the time edit to today and now (the main window's creation).
    void SetDateAndTimeToNow();

    // --- the News History list, filled by the ticker --------------------------------------
    void clearNewsHistory();
    void addNewsHistoryRow(const QString& title, const QString& dateTime, const QString& author,
                           const QString& text, FblogItem* entry);
    void bringNewsHistoryToFront();
    void showMyNewsPage();
    // The read-only date box shows the picker's date as "dd mmm yyyy".
    void refreshEntryDateText();
    // The Insert Link dialog that lives for the whole run; without one the editor makes its own.
    void SetLinkWindow(TlinkWindow* window) { m_linkWindow = window; }
    // The small news icon of the history rows (the main window's image list).
    void setNewsIcon(const QIcon& icon) { m_newsIcon = icon; }

    // The editor's texts as they are stored (line breaks as CR LF).
    QString DateText() const;
    QString TimeText() const;
    QString MemoText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* createMyNewsPage();
    QWidget* createNewsHistoryPage();
    QWidget* createDateBox(QWidget* parent);
    void createCalendarPopup();
    void connectChangeHandlers();

    // Handlers.
    void btnSaveEntryClick();
    void btnAddLinkClick();
    void btnBoldClick();
    void btnItalicClick();
    void btnUnderlineClick();
    void btnEditEntryClick();
    void btnDeleteEntryClick();
    void btnCalendarClick();
    void calendarClicked(const QDate& date);
    void btnTodayClick();
    void lvNewsHistoryDblClick(QTreeWidgetItem* item);
    void EntryInputChange();

    void WrapSelection(const QString& open, const QString& close);
    void ReplaceSelection(const QString& text);
    QString SelectedMemoText() const;
    void SetMemoText(const QString& text);
    void SetCalendarDate(const QDate& date);
    // Date and time of an entry into the picker and the time edit; what could not be read.
    QStringList LoadDateAndTime(const FblogData& data);
    FblogItem* SelectedEntry() const;

    QPointer<Fmovie> m_movie;
    QIcon m_newsIcon;

    QTabWidget* m_newsPageControl = nullptr;
    QWidget* m_myNewsPage = nullptr;
    QWidget* m_newsHistoryPage = nullptr;
    QLineEdit* m_headlineEdit = nullptr;
    QLineEdit* m_authorEdit = nullptr;
    QLineEdit* m_dateEdit = nullptr;
    QToolButton* m_calendarButton = nullptr;
    QFrame* m_calendarPopup = nullptr;
    QCalendarWidget* m_dateCalendar = nullptr;
    QTimeEdit* m_timeEdit = nullptr;
    QPlainTextEdit* m_textMemo = nullptr;
    QTreeWidget* m_newsHistoryList = nullptr;
    QPointer<TlinkWindow> m_linkWindow;
};
