#include "mynews/TnewsEditor.h"

#include "app/helpers/AppState.h"
#include "mynews/TlinkWindow.h"
#include "mynews/doc/FblogDocument.h"
#include "platform/Clock.h"
#include "platform/gui/Dialogs.h"
#include "ticker/Fmovie.h"

#include <QCalendarWidget>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimeEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString CrLf = QStringLiteral("\r\n");
constexpr int EntryRole = Qt::UserRole + 1;

QToolButton* markupButton(QWidget* parent, const char* objectName, const char* caption, const char* hint)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(objectName));
    button->setText(QLatin1String(caption));
    button->setToolTip(QLatin1String(hint));
    return button;
}

QPushButton* pushButton(QWidget* parent, const char* objectName, const char* caption,
                        const char* hint = nullptr)
{
    auto* button = new QPushButton(QLatin1String(caption), parent);
    button->setObjectName(QLatin1String(objectName));
    if (hint) {
        button->setToolTip(QLatin1String(hint));
    }
    return button;
}

// The memo's editor text uses paragraph separators; stored texts use CR LF.
QString toStoredText(QString text)
{
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    text.replace(QLatin1Char('\n'), CrLf);
    return text;
}

} // namespace

TnewsEditor::TnewsEditor(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("newsEditor"));
    m_newsIcon = style()->standardIcon(QStyle::SP_FileDialogDetailedView);
    m_newsPageControl = new QTabWidget(this);
    m_newsPageControl->setObjectName(QStringLiteral("newsPageControl"));
    m_newsPageControl->setTabPosition(QTabWidget::South);
    m_myNewsPage = createMyNewsPage();
    m_newsHistoryPage = createNewsHistoryPage();
    m_newsPageControl->addTab(m_myNewsPage, QStringLiteral("My News"));
    m_newsPageControl->addTab(m_newsHistoryPage, QStringLiteral("News History"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_newsPageControl);
    createCalendarPopup();

    m_headlineEdit->setText(QStringLiteral("My News"));
    SetMemoText(QStringLiteral("Extra!\r\nHuns invade France!"));
    SetDateAndTimeToNow();
    connectChangeHandlers();
}

TnewsEditor::~TnewsEditor() = default;

QWidget* TnewsEditor::createMyNewsPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("myNewsTabSheet"));
    m_headlineEdit = new QLineEdit(page);
    m_headlineEdit->setObjectName(QStringLiteral("headlineEdit"));
    m_authorEdit = new QLineEdit(page);
    m_authorEdit->setObjectName(QStringLiteral("authorEdit"));
    m_timeEdit = new QTimeEdit(page);
    m_timeEdit->setObjectName(QStringLiteral("timeEdit"));
    m_timeEdit->setLocale(QLocale::c()); // "am"/"pm" whatever the user's locale
    m_timeEdit->setDisplayFormat(QStringLiteral("h:mm ap"));
    m_textMemo = new QPlainTextEdit(page);
    m_textMemo->setObjectName(QStringLiteral("textMemo"));
    m_textMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto* bold = markupButton(page, "boldButton", "B", "Bold");
    auto* italic = markupButton(page, "italicButton", "I", "Italic");
    auto* underline = markupButton(page, "underlineButton", "U", "Underline");
    auto* save = pushButton(page, "saveEntryButton", "Save Entry");
    auto* addLink = pushButton(page, "addLinkButton", "Add Link");
    connect(bold, &QToolButton::clicked, this, &TnewsEditor::btnBoldClick);
    connect(italic, &QToolButton::clicked, this, &TnewsEditor::btnItalicClick);
    connect(underline, &QToolButton::clicked, this, &TnewsEditor::btnUnderlineClick);
    connect(save, &QPushButton::clicked, this, &TnewsEditor::btnSaveEntryClick);
    connect(addLink, &QPushButton::clicked, this, &TnewsEditor::btnAddLinkClick);

    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(createDateBox(page));
    dateRow->addWidget(m_timeEdit);
    dateRow->addStretch();
    auto* tools = new QHBoxLayout;
    for (QWidget* w :
         {static_cast<QWidget*>(bold), static_cast<QWidget*>(italic), static_cast<QWidget*>(underline)}) {
        tools->addWidget(w);
    }
    tools->addStretch();
    tools->addWidget(addLink);
    tools->addWidget(save);

    auto* grid = new QGridLayout(page);
    grid->addWidget(new QLabel(QStringLiteral("Headline:"), page), 0, 0);
    grid->addWidget(m_headlineEdit, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Author:"), page), 1, 0);
    grid->addWidget(m_authorEdit, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Date:"), page), 2, 0);
    grid->addLayout(dateRow, 2, 1);
    grid->addLayout(tools, 3, 0, 1, 2);
    grid->addWidget(m_textMemo, 4, 0, 1, 2);
    grid->setRowStretch(4, 1);
    return page;
}

QWidget* TnewsEditor::createDateBox(QWidget* parent)
{
    auto* box = new QWidget(parent);
    m_dateEdit = new QLineEdit(box);
    m_dateEdit->setObjectName(QStringLiteral("dateEdit"));
    m_dateEdit->setReadOnly(true);
    m_calendarButton = new QToolButton(box);
    m_calendarButton->setObjectName(QStringLiteral("calendarButton"));
    m_calendarButton->setArrowType(Qt::DownArrow);
    connect(m_calendarButton, &QToolButton::clicked, this, &TnewsEditor::btnCalendarClick);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(m_dateEdit);
    row->addWidget(m_calendarButton);
    return box;
}

void TnewsEditor::createCalendarPopup()
{
    m_calendarPopup = new QFrame(this, Qt::Popup);
    m_calendarPopup->setObjectName(QStringLiteral("calendarPopup"));
    m_calendarPopup->setFrameShape(QFrame::StyledPanel);
    m_dateCalendar = new QCalendarWidget(m_calendarPopup);
    m_dateCalendar->setObjectName(QStringLiteral("dateCalendar"));
    m_dateCalendar->setGridVisible(true);
    // Every date the entry texts can hold, so that loading an entry never clamps its date.
    m_dateCalendar->setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31));
    auto* today = pushButton(m_calendarPopup, "todayButton", "Today");
    connect(m_dateCalendar, &QCalendarWidget::clicked, this, &TnewsEditor::calendarClicked);
    connect(m_dateCalendar, &QCalendarWidget::activated, this, &TnewsEditor::calendarClicked);
    connect(today, &QPushButton::clicked, this, &TnewsEditor::btnTodayClick);
    auto* layout = new QVBoxLayout(m_calendarPopup);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_dateCalendar);
    layout->addWidget(today);
}

QWidget* TnewsEditor::createNewsHistoryPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("newsHistoryTabSheet"));
    auto* caption =
        new QLabel(QStringLiteral("Here are your news entries. Click on one to edit or delete it."), page);
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    auto* remove = pushButton(page, "deleteEntryButton", "Delete Entry", "Delete the Selected Blog Entry");
    auto* edit = pushButton(page, "editEntryButton", "Edit Entry", "Edit the Selected Blog Entry");
    connect(remove, &QPushButton::clicked, this, &TnewsEditor::btnDeleteEntryClick);
    connect(edit, &QPushButton::clicked, this, &TnewsEditor::btnEditEntryClick);

    m_newsHistoryList = new QTreeWidget(page);
    m_newsHistoryList->setObjectName(QStringLiteral("newsHistoryListView"));
    m_newsHistoryList->setRootIsDecorated(false);
    m_newsHistoryList->setItemsExpandable(false);
    m_newsHistoryList->setUniformRowHeights(true);
    m_newsHistoryList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_newsHistoryList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_newsHistoryList->setHeaderLabels({QStringLiteral("Entry Title:"), QStringLiteral("Date"),
                                        QStringLiteral("Author"), QStringLiteral("Text")});
    m_newsHistoryList->setColumnWidth(0, 100);
    m_newsHistoryList->setColumnWidth(1, 150);
    m_newsHistoryList->setColumnWidth(3, 450);
    m_newsHistoryList->installEventFilter(this);
    connect(m_newsHistoryList, &QTreeWidget::itemDoubleClicked, this, &TnewsEditor::lvNewsHistoryDblClick);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(caption);
    buttons->addStretch();
    buttons->addWidget(remove);
    buttons->addWidget(edit);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(buttons);
    layout->addWidget(m_newsHistoryList);
    return page;
}

void TnewsEditor::connectChangeHandlers()
{
    connect(m_headlineEdit, &QLineEdit::textChanged, this, &TnewsEditor::EntryInputChange);
    connect(m_authorEdit, &QLineEdit::textChanged, this, &TnewsEditor::EntryInputChange);
    connect(m_textMemo, &QPlainTextEdit::textChanged, this, &TnewsEditor::EntryInputChange);
    connect(m_dateCalendar, &QCalendarWidget::selectionChanged, this, [this] {
        refreshEntryDateText();
        EntryInputChange();
    });
    connect(m_timeEdit, &QTimeEdit::timeChanged, this, [this] {
        refreshEntryDateText();
        EntryInputChange();
    });
}

// --- the ticker ----------------------------------------------------------------------------

void TnewsEditor::SetMovie(Fmovie* movie)
{
    m_movie = movie;
}

void TnewsEditor::PromptSaveEntry()
{
    if (!m_movie || !m_movie->EntryChanged) {
        return;
    }
    const auto answer = Dialogs::question(
        this, QStringLiteral("Save?"), QStringLiteral("Would you like to save changes to the current entry?"),
        QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::Yes) {
        btnSaveEntryClick();
    }
}

void TnewsEditor::SaveEntry()
{
    if (!m_movie) {
        return;
    }
    FblogDocument& document = m_movie->NewsDocument();
    if (m_movie->EditingEntry) {
        FblogData data;
        data.Title = m_headlineEdit->text();
        data.Author = m_authorEdit->text();
        data.Date = DateText();
        data.Time = TimeText();
        data.Description = MemoText();
        document.SetEntryData(m_movie->EditingEntry, data);
    } else {
        m_movie->AddNewsEntry(m_headlineEdit->text(), QString(), TimeText(), MemoText(), DateText(),
                              m_authorEdit->text());
    }
    if (!m_authorEdit->text().isEmpty()) {
        document.SetDefaultAuthor(m_authorEdit->text());
    }
    m_movie->EntryChanged = false;
    m_movie->EditingEntry = nullptr;
    m_movie->Modified = true;
    m_movie->RefreshNewsHistory();
}

void TnewsEditor::NewEntry()
{
    if (!m_movie) {
        return;
    }
    PromptSaveEntry();
    m_headlineEdit->clear();
    m_authorEdit->setText(m_movie->NewsDocument().DefaultAuthor());
    SetCalendarDate(Clock::currentDate());
    m_textMemo->clear();
    m_movie->EditingEntry = nullptr;
    m_movie->EntryChanged = false;
}

void TnewsEditor::EditEntry()
{
    if (!m_movie || Updating || !SelectedEntry()) {
        return;
    }
    PromptSaveEntry();
    // Saving refreshes the list, which leaves nothing selected.
    FblogItem* entry = SelectedEntry();
    FblogData data;
    if (!entry || !m_movie->NewsDocument().GetEntryData(entry, data)) {
        return;
    }
    m_headlineEdit->setText(data.Title);
    m_authorEdit->setText(data.Author);
    SetMemoText(data.Description);

    const QStringList problems = LoadDateAndTime(data);
    m_movie->EditingEntry = entry;
    m_movie->EntryChanged = false;
    showMyNewsPage();
    if (!problems.isEmpty()) {
        Dialogs::information(this, QStringLiteral("Edit Entry"), problems.join(QLatin1Char('\n')));
    }
}

QStringList TnewsEditor::LoadDateAndTime(const FblogData& data)
{
    // An entry whose date or time does not read is still loaded whole, with today or now in
    // place of what could not be read, so that a save never mixes two entries.
    QStringList problems;
    const std::optional<QDate> date = blogtext::DateValue(data.Date);
    SetCalendarDate(date.value_or(Clock::currentDate()));
    if (!date) {
        problems << QStringLiteral("The date of this entry (\"%1\") could not be read; today's date is shown "
                                   "in its place.")
                        .arg(data.Date);
    }
    const QTime now = Clock::currentDateTime().time();
    const std::optional<QTime> time = blogtext::TimeValue(data.Time);
    m_timeEdit->setTime(time.value_or(QTime(now.hour(), now.minute())));
    if (!time) {
        problems << QStringLiteral("The time of this entry (\"%1\") could not be read; the current time is "
                                   "shown in its place.")
                        .arg(data.Time);
    }
    return problems;
}

void TnewsEditor::DeleteSelectedEntry()
{
    FblogItem* entry = SelectedEntry();
    if (!m_movie || !entry) {
        return;
    }
    const auto answer = Dialogs::question(this, QStringLiteral("Delete?"),
                                          QStringLiteral("Are you sure you want to delete this entry?"),
                                          QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::Yes) {
        m_movie->NewsDocument().DeleteEntry(entry);
        m_movie->RefreshNewsHistory();
    }
}

void TnewsEditor::SetDateAndTimeToNow()
{
    const QDateTime now = Clock::currentDateTime();
    SetCalendarDate(now.date());
    m_timeEdit->setTime(QTime(now.time().hour(), now.time().minute()));
}

// --- the News History list -----------------------------------------------------------------

void TnewsEditor::clearNewsHistory()
{
    m_newsHistoryList->clear();
}

void TnewsEditor::addNewsHistoryRow(const QString& title, const QString& dateTime, const QString& author,
                                    const QString& text, FblogItem* entry)
{
    auto* row = new QTreeWidgetItem({title, dateTime, author, text});
    row->setIcon(0, m_newsIcon);
    row->setData(0, EntryRole, QVariant::fromValue(reinterpret_cast<quintptr>(entry)));
    m_newsHistoryList->addTopLevelItem(row);
}

void TnewsEditor::bringNewsHistoryToFront()
{
    m_newsPageControl->setCurrentWidget(m_newsHistoryPage);
}

void TnewsEditor::showMyNewsPage()
{
    m_newsPageControl->setCurrentWidget(m_myNewsPage);
}

void TnewsEditor::refreshEntryDateText()
{
    m_dateEdit->setText(DateText());
}

FblogItem* TnewsEditor::SelectedEntry() const
{
    const QList<QTreeWidgetItem*> selected = m_newsHistoryList->selectedItems();
    if (selected.isEmpty()) {
        return nullptr;
    }
    return reinterpret_cast<FblogItem*>(selected.first()->data(0, EntryRole).value<quintptr>());
}

// --- texts ---------------------------------------------------------------------------------

QString TnewsEditor::DateText() const
{
    return blogtext::DateText(m_dateCalendar->selectedDate());
}

QString TnewsEditor::TimeText() const
{
    return blogtext::TimeText(m_timeEdit->time());
}

QString TnewsEditor::MemoText() const
{
    // The raw text keeps non-breaking spaces, which the plain-text view would turn into spaces.
    return toStoredText(m_textMemo->document()->toRawText());
}

void TnewsEditor::SetMemoText(const QString& text)
{
    QString plain = text;
    plain.replace(CrLf, QStringLiteral("\n"));
    m_textMemo->setPlainText(plain);
}

QString TnewsEditor::SelectedMemoText() const
{
    QString text = m_textMemo->textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

void TnewsEditor::ReplaceSelection(const QString& text)
{
    QTextCursor cursor = m_textMemo->textCursor();
    cursor.insertText(text);
    m_textMemo->setTextCursor(cursor);
}

void TnewsEditor::WrapSelection(const QString& open, const QString& close)
{
    ReplaceSelection(open + SelectedMemoText() + close);
    m_textMemo->setFocus();
}

void TnewsEditor::SetCalendarDate(const QDate& date)
{
    m_dateCalendar->setSelectedDate(date);
    m_dateCalendar->setCurrentPage(date.year(), date.month());
    refreshEntryDateText();
}

// --- handlers ------------------------------------------------------------------------------

void TnewsEditor::btnSaveEntryClick()
{
    if (!m_movie) {
        return;
    }
    SaveEntry();
    NewEntry();
}

void TnewsEditor::btnAddLinkClick()
{
    if (!m_linkWindow) {
        m_linkWindow = new TlinkWindow(this);
    }
    if (m_linkWindow->Open(SelectedMemoText())) {
        ReplaceSelection(m_linkWindow->Link());
    }
}

void TnewsEditor::btnBoldClick()
{
    WrapSelection(QStringLiteral("<b>"), QStringLiteral("</b>"));
}

void TnewsEditor::btnItalicClick()
{
    WrapSelection(QStringLiteral("<i>"), QStringLiteral("</i>"));
}

void TnewsEditor::btnUnderlineClick()
{
    WrapSelection(QStringLiteral("<u>"), QStringLiteral("</u>"));
}

void TnewsEditor::btnEditEntryClick()
{
    EditEntry();
}

void TnewsEditor::btnDeleteEntryClick()
{
    DeleteSelectedEntry();
}

void TnewsEditor::btnCalendarClick()
{
    m_dateCalendar->setCurrentPage(m_dateCalendar->selectedDate().year(),
                                   m_dateCalendar->selectedDate().month());
    m_calendarPopup->adjustSize();
    m_calendarPopup->move(m_dateEdit->mapToGlobal(QPoint(0, m_dateEdit->height())));
    m_calendarPopup->show();
    m_dateCalendar->setFocus();
}

void TnewsEditor::calendarClicked(const QDate& date)
{
    SetCalendarDate(date);
    m_calendarPopup->hide();
}

void TnewsEditor::btnTodayClick()
{
    calendarClicked(Clock::currentDate());
}

void TnewsEditor::lvNewsHistoryDblClick(QTreeWidgetItem* item)
{
    if (item) {
        EditEntry();
    }
}

void TnewsEditor::EntryInputChange()
{
    if (m_movie) {
        m_movie->EntryChanged = true;
    }
}

bool TnewsEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_newsHistoryList && event->type() == QEvent::KeyRelease &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        DeleteSelectedEntry();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
