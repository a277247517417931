#include "app/TwMain.h"

#include "app/ThtmlWindow.h"
#include "app/TpreviewWindow.h"
#include "app/TwinAbout.h"
#include "app/helpers/AppState.h"
#include "app/helpers/Helpers.h"
#include "mynews/TnewsEditor.h"
#include "platform/Errors.h"
#include "platform/Shell.h"
#include "platform/UserStore.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/TrayIcon.h"
#include "publish/PublishWindows.h"
#include "sources/TnewsSourcePanel.h"
#include "ticker/Fblog.h"
#include "ticker/Fmovie.h"
#include "ticker/designer/FmovieDesigner.h"
#include "ticker/designer/TDesignerPanel.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QStackedWidget>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <cstdio>

const char* const TwMain::SettingsKey = "Software\\Velmora Software\\Velmora Tickerine\\wMain";

namespace {

const char* const kSaveQuestion = "Save changes to current file?";
const char* const kOpenFilter = "Tickerine Files (*.settings *.xml)";
const char* const kSaveFilter = "Tickerine Files (*.xml)";

QString folderOf(const QString& path)
{
    return WithTrailingBackslash(QFileInfo(path).absolutePath());
}

QString readValue(const QString& name)
{
    return UserStore::instance().readValue(TwMain::SettingsKey, name).value_or(QString());
}

void writeValue(const QString& name, const QString& value)
{
    UserStore::instance().writeValue(TwMain::SettingsKey, name, value);
}

} // namespace

TwMain::TwMain(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("wMain");
    setWindowTitle(product::Title);
    resize(831, 666);
    setMinimumSize(686, 666);
    m_tabs = new QTabWidget;
    m_tabs->setObjectName("mainTabWidget");
    m_tabs->addTab(buildCreateTab(), "Create and Upload");
    m_designer = new TDesignerPanel;
    m_tabs->addTab(buildDesignerTab(), "Designer");
    setCentralWidget(m_tabs);
    buildMenus();
    buildShortcuts();
    buildTrayIcon();
    restoreSettings();
    FormCreate();
}

TwMain::~TwMain()
{
    m_designer->setDocument(nullptr);
    discardTicker();
}

// --- building ---------------------------------------------------------------------------

QToolButton* TwMain::addToolButton(QWidget* bar, const QString& name, const QString& caption,
                                   const QString& hint, void (TwMain::*command)())
{
    auto* button = new QToolButton;
    button->setObjectName(name);
    button->setText(caption);
    button->setToolTip(hint);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setMinimumSize(64, 40);
    if (command)
        connect(button, &QToolButton::clicked, this, [this, command] { (this->*command)(); });
    bar->layout()->addWidget(button);
    return button;
}

// Both tabs' tool bars carry Save, Publish, Preview and Get Code.
void TwMain::addSaveButton(QWidget* bar, const QString& name)
{
    // Save returns whether it saved, so it is not a plain command.
    auto* save = addToolButton(bar, name, "&Save...", "Save Tickerine", nullptr);
    connect(save, &QToolButton::clicked, this, [this] { Save(); });
}

void TwMain::addOutputButtons(QWidget* bar, const QString& publishName, const QString& previewName,
                              const QString& getCodeName)
{
    addToolButton(bar, publishName, "P&ublish", "Publish to the Web", &TwMain::Publish);
    addToolButton(bar, previewName, "&Preview", "Preview your Tickerine", &TwMain::Preview);
    addToolButton(bar, getCodeName, "Get Co&de", "Get the HTML Code for this Tickerine", &TwMain::GetCode);
}

QWidget* TwMain::buildCreateTab()
{
    auto* tab = new QWidget;
    tab->setObjectName("createTab");
    auto* bar = new QWidget;
    bar->setObjectName("createToolBar");
    auto* barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(4, 2, 4, 2);
    auto* newButton = addToolButton(bar, "newButton", "&New", "Create a New Tickerine", nullptr);
    connect(newButton, &QToolButton::clicked, this, [this] { New(); });
    addToolButton(bar, "openButton", "&Open ...", "Open a Tickerine", &TwMain::Open);
    addSaveButton(bar, "saveButton");
    m_newsFeedsButton = addToolButton(bar, "newsFeedsButton", "News Feeds", "", nullptr);
    m_myNewsButton = addToolButton(bar, "myNewsButton", "My News", "", nullptr);
    auto* group = new QButtonGroup(tab);
    group->setExclusive(true);
    for (QToolButton* button : {m_newsFeedsButton, m_myNewsButton}) {
        button->setCheckable(true);
        group->addButton(button);
    }
    m_newsFeedsButton->setChecked(true);
    addOutputButtons(bar, "publishButton", "previewButton", "getCodeButton");
    barLayout->addStretch(1);

    m_feeds = new TnewsSourcePanel;
    m_feeds->setObjectName("newsSourcePanel");
    m_newsEditor = new TnewsEditor;
    m_newsEditor->setObjectName("newsEditor");
    m_newsEditor->hide();
    // The feed list switches the two views and the ticker's `external` on the buttons' clicks.
    m_feeds->setViewControls(m_newsEditor, m_newsFeedsButton, m_myNewsButton);

    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(bar);
    auto* views = new QHBoxLayout;
    views->setContentsMargins(8, 0, 8, 8);
    views->addWidget(m_feeds, 1);
    views->addWidget(m_newsEditor, 1);
    layout->addLayout(views, 1);
    return tab;
}

QWidget* TwMain::buildDesignerTab()
{
    auto* tab = new QWidget;
    tab->setObjectName("designerTab");
    auto* bar = new QWidget;
    bar->setObjectName("designerToolBar");
    auto* barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(4, 2, 4, 2);
    addSaveButton(bar, "designerSaveButton");
    addOutputButtons(bar, "designerPublishButton", "designerPreviewButton", "designerGetCodeButton");
    barLayout->addStretch(1);

    m_canvasArea = new QScrollArea;
    m_canvasArea->setObjectName("canvasScrollBox");
    m_canvasArea->setFrameShape(QFrame::NoFrame);
    m_canvasArea->setWidgetResizable(false);
    m_canvas = new QWidget;
    m_canvas->setObjectName("canvas");
    m_canvasArea->setWidget(m_canvas);
    m_canvasArea->viewport()->installEventFilter(this);

    auto* left = new QVBoxLayout;
    left->setContentsMargins(0, 0, 0, 0);
    left->addWidget(bar);
    left->addWidget(m_canvasArea, 1);
    auto* layout = new QHBoxLayout(tab);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(left, 1);
    layout->addWidget(m_designer);
    return tab;
}

void TwMain::buildMenus()
{
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("fileMenu");
    QAction* newAction = file->addAction("&New", QKeySequence(Qt::CTRL | Qt::Key_N), this, [this] { New(); });
    newAction->setObjectName("newAction");
    m_reopenMenu = file->addMenu("Reopen");
    m_reopenMenu->setObjectName("reopenMenu");
    file->addAction("&Open...", QKeySequence(Qt::CTRL | Qt::Key_O), this, &TwMain::Open)
        ->setObjectName("openAction");
    file->addAction("&Save...", QKeySequence(Qt::CTRL | Qt::Key_S), this, [this] { Save(); })
        ->setObjectName("saveAction");
    file->addSeparator();
    file->addAction("Import OPML File...", this, [this] { m_feeds->ImportOpmlFileClick(); })
        ->setObjectName("importOpmlAction");
    file->addSeparator();
    file->addAction("E&xit", this, &TwMain::Exit)->setObjectName("exitAction");

    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("helpMenu");
    help->addAction("&Help", QKeySequence(Qt::Key_F1), this, &TwMain::Help)->setObjectName("helpAction");
    help->addAction("Online Help", this, &TwMain::OnlineHelp)->setObjectName("onlineHelpAction");
    help->addAction("Contact Us", this, &TwMain::ContactUs)->setObjectName("contactAction");
    m_showTipsAction = help->addAction("Show Tips on Startup", this, &TwMain::ShowTipsSwitch);
    m_showTipsAction->setObjectName("showTipsAction");
    m_showTipsAction->setCheckable(true);
    help->addAction("Download Latest News Sources", this, [this] { m_feeds->DownloadNewsSourcesClick(); })
        ->setObjectName("downloadSourcesAction");
    help->addSeparator();
    help->addAction("About", this, &TwMain::About)->setObjectName("aboutAction");
}

void TwMain::buildShortcuts()
{
    const std::initializer_list<std::pair<QKeyCombination, std::function<void()>>> keys = {
        {Qt::CTRL | Qt::Key_B, [this] { Open(); }},
        {Qt::CTRL | Qt::Key_P, [this] { Preview(); }},
        {Qt::CTRL | Qt::Key_U, [this] { Publish(); }},
        {Qt::CTRL | Qt::Key_D, [this] { GetCode(); }},
        {Qt::CTRL | Qt::Key_E, [this] { m_newsEditor->NewEntry(); }}};
    for (const auto& [key, command] : keys) {
        auto* action = new QAction(this);
        action->setShortcut(QKeySequence(key));
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, command);
        addAction(action);
    }
}

void TwMain::buildTrayIcon()
{
    m_tray = new TrayIcon(this, this);
    connect(m_tray, &TrayIcon::helpRequested, this, &TwMain::Help);
    connect(m_tray, &TrayIcon::exitRequested, this, &TwMain::Exit);
}

void TwMain::FormCreate()
{
    m_newsEditor->SetDateAndTimeToNow();
    Updating = false;
    const QString documents = MyDocumentsFolder();
    for (QString* folder : {&m_openFolder, &m_saveFolder, &m_opmlFolder})
        if (folder->isEmpty())
            *folder = documents;
    New();
    m_tabs->setCurrentIndex(0);
    m_showTipsAction->setChecked(QFileInfo::exists(Folders().ProgramFolder + "tips.txt"));
    m_feeds->SetOpmlDialogFolder(m_opmlFolder);
    guarded("Loading the news sources",
            [this] { m_feeds->LoadCatalogue(Folders().ProgramFolder + "my custom news sources.xml"); });
    guarded("Loading the news sources",
            [this] { m_feeds->LoadCatalogue(Folders().ProgramFolder + "newssources.xml"); });
    m_feeds->ShowTickedFeeds();
}

// --- window settings --------------------------------------------------------------------

void TwMain::restoreSettings()
{
    m_recent.setPaths(readValue("MRUList").split('\n', Qt::SkipEmptyParts));
    m_openFolder = readValue("fileopen.InitialDir");
    m_saveFolder = readValue("saveBlogDialog.InitialDir");
    m_opmlFolder = readValue("openOPML.InitialDir");
    rebuildReopenMenu();

    bool ok = false;
    const QRect stored(readValue("Left").toInt(&ok), readValue("Top").toInt(), readValue("Width").toInt(),
                       readValue("Height").toInt());
    QScreen* primary = QGuiApplication::primaryScreen();
    const QRect available = primary ? primary->availableGeometry() : QRect(0, 0, 1024, 768);
    if (!ok || stored.width() <= 0 || stored.height() <= 0) {
        move(available.center() - QPoint(width() / 2, height() / 2));
        return;
    }
    resize(stored.size());
    // A placement on a monitor that is gone today would leave the window out of reach.
    bool visible = false;
    for (QScreen* screen : QGuiApplication::screens())
        visible = visible || screen->availableGeometry().intersects(QRect(stored.topLeft(), QSize(100, 40)));
    move(visible ? stored.topLeft() : available.center() - QPoint(stored.width() / 2, stored.height() / 2));
    if (readValue("State") == "maximized")
        setWindowState(windowState() | Qt::WindowMaximized);
}

void TwMain::storeSettings()
{
    const QRect placement = isMaximized() ? normalGeometry() : geometry();
    writeValue("Left", QString::number(placement.x()));
    writeValue("Top", QString::number(placement.y()));
    writeValue("Width", QString::number(placement.width()));
    writeValue("Height", QString::number(placement.height()));
    writeValue("State", isMaximized() ? "maximized" : "normal");
    writeValue("MainForm", "1");
    if (QScreen* screen = QGuiApplication::primaryScreen())
        writeValue("ScreenRes", QString("%1x%2").arg(screen->size().width()).arg(screen->size().height()));
    writeValue("MRUList", m_recent.paths().join('\n'));
    writeValue("fileopen.InitialDir", m_openFolder);
    writeValue("saveBlogDialog.InitialDir", m_saveFolder);
    writeValue("openOPML.InitialDir", m_feeds->OpmlDialogFolder());
}

void TwMain::rebuildReopenMenu()
{
    m_recent.dropMissing();
    m_reopenMenu->clear();
    const QStringList captions = m_recent.captions();
    for (int i = 0; i < captions.size(); ++i) {
        const QString path = m_recent.paths().at(i);
        QAction* item = m_reopenMenu->addAction(captions.at(i), this, [this, path] { Reopen(path); });
        item->setObjectName(QString("reopenAction%1").arg(i + 1));
        item->setData(path);
    }
    m_reopenMenu->setEnabled(!captions.isEmpty());
}

void TwMain::addRecentFile(const QString& path)
{
    m_recent.add(QFileInfo(path).absoluteFilePath());
    Shell::addToRecentDocuments(path);
    rebuildReopenMenu();
}

// --- the ticker -------------------------------------------------------------------------

void TwMain::discardTicker()
{
    if (!m_movie)
        return;
    m_designer->setDocument(nullptr);
    m_feeds->setTicker(nullptr);
    m_newsEditor->SetMovie(nullptr);
    delete m_movie;
    m_movie = nullptr;
    m_movieDesigner.reset();
}

void TwMain::createTicker()
{
    freezeDrawing(true);
    m_movie = new Fmovie(m_canvas, this);
    m_movie->setObjectName("movie");
    m_movieDesigner = std::make_unique<FmovieDesigner>(m_movie);
    m_designer->setDocument(m_movieDesigner.get());
    m_feeds->setTicker(m_movie);
    m_newsEditor->SetMovie(m_movie);
    m_movie->show();
    m_movie->SyncControls();
    m_movie->SelectObject(m_movie->EntryStyle().Label(1), 1);
    CenterTicker();
    freezeDrawing(false);
    m_movie->Modified = false;
}

void TwMain::CenterTicker()
{
    if (!m_movie)
        return;
    freezeDrawing(true);
    const QSize area = m_canvasArea->viewport()->size();
    m_canvas->resize(qMax(area.width(), m_movie->width()), qMax(area.height(), m_movie->height()));
    const int left = qMax(0, (area.width() - m_movie->width()) / 2);
    const int top = qMax(0, (area.height() - m_movie->height()) / 2);
    m_movie->move(left, top);
    m_movie->lower();
    freezeDrawing(false);
}

bool TwMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_canvasArea->viewport() && event->type() == QEvent::Resize)
        CenterTicker();
    return QMainWindow::eventFilter(watched, event);
}

bool TwMain::guarded(const QString& what, const std::function<void()>& command)
{
    try {
        command();
        return true;
    } catch (const TickerineError& error) {
        Dialogs::error(this, "Error", QString("%1 failed.\n\n%2").arg(what, error.message()));
    } catch (const std::exception& error) {
        Dialogs::error(this, "Error",
                       QString("%1 failed.\n\n%2").arg(what, QString::fromLocal8Bit(error.what())));
    }
    return false;
}

// --- commands ---------------------------------------------------------------------------

bool TwMain::confirmDiscard()
{
    if (!m_movie || !m_movie->Modified)
        return true;
    const auto answer =
        Dialogs::question(this, "Save?", kSaveQuestion,
                          QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Cancel)
        return false;
    // A cancelled Save dialog still lets the command go on; a save that failed does not,
    // or the changes the user wanted kept would be thrown away.
    return answer != QMessageBox::Yes || SaveCommand() != SaveResult::Failed;
}

bool TwMain::New()
{
    if (!confirmDiscard())
        return false;
    return guarded("New", [this] {
        discardTicker();
        createTicker();
    });
}

void TwMain::readSettingsFile(const QString& path)
{
    guarded("Open", [this, &path] { m_movie->ReadSettingsFile(path); });
}

void TwMain::Open()
{
    Dialogs::FileDialogOptions options;
    options.title = "Open";
    options.folder = m_openFolder;
    options.filter = kOpenFilter;
    const QString path = Dialogs::openFileName(this, options);
    if (path.isEmpty())
        return;
    // Reading the file into the ticker the user chose to keep would mix two tickers.
    if (m_movie && !New())
        return;
    readSettingsFile(path);
    m_openFolder = folderOf(path);
}

void TwMain::Reopen(const QString& path)
{
    if (m_movie && !New())
        return;
    readSettingsFile(path);
}

QString TwMain::runSaveDialog(const QString& proposed)
{
    Dialogs::FileDialogOptions options;
    options.title = "Save";
    options.folder = m_saveFolder;
    options.fileName = proposed;
    options.filter = kSaveFilter;
    options.confirmOverwrite = true;
    return Dialogs::saveFileName(this, options);
}

QString TwMain::askSaveFileName(const QString& proposed)
{
    return runSaveDialog(proposed);
}

void TwMain::promptSaveEntry()
{
    m_newsEditor->PromptSaveEntry();
}

TwMain::SaveResult TwMain::SaveCommand()
{
    if (!m_movie)
        return SaveResult::Cancelled;
    promptSaveEntry();
    const QString proposed =
        m_movie->SettingsFileName.isEmpty() ? QString("mynews.xml") : m_movie->SettingsFileName;
    const QString path = runSaveDialog(proposed);
    if (path.isEmpty())
        return SaveResult::Cancelled;
    const bool saved = guarded("Save", [this, &path] {
        m_movie->SetOutputNames(path);
        m_movie->SaveAllFiles(QString(), QString(), true);
    });
    if (!saved)
        return SaveResult::Failed;
    m_movie->Modified = false;
    addRecentFile(path);
    m_saveFolder = folderOf(path);
    return SaveResult::Saved;
}

bool TwMain::Save()
{
    return SaveCommand() == SaveResult::Saved;
}

bool TwMain::feedCheck()
{
    const auto* external = m_movie->BoolSetting("external");
    if ((external && !external->GetBool()) || !m_movie->FeedUrls.isEmpty())
        return true;
    Dialogs::information(this, product::Title, "You must check a News Feed or Tickerine wont work!");
    return false;
}

void TwMain::setPreviewWindow(TpreviewWindow* window)
{
    m_preview = window;
}

void TwMain::setHtmlWindow(ThtmlWindow* window)
{
    m_html = window;
}

TpreviewWindow* TwMain::previewWindow()
{
    if (!m_preview)
        m_preview = new TpreviewWindow(Folders().TempFolder, this);
    return m_preview;
}

ThtmlWindow* TwMain::htmlWindow()
{
    if (!m_html)
        m_html = new ThtmlWindow(this);
    return m_html;
}

void TwMain::Preview()
{
    if (!m_movie || !feedCheck())
        return;
    promptSaveEntry();
    if (guarded("Preview", [this] { m_movie->SavePreviewFiles(); }))
        previewWindow()->ShowPreview("temp.html", m_movie->width(), m_movie->height());
}

void TwMain::GetCode()
{
    if (!m_movie)
        return;
    if (m_movie->PlayerFileName.isEmpty() || m_movie->PlayerFileName == ".swf") {
        promptSaveEntry();
        const QString proposed =
            m_movie->SettingsFileName.isEmpty() ? QString("mynews.xml") : m_movie->SettingsFileName;
        const QString path = runSaveDialog(proposed);
        if (!path.isEmpty() && guarded("Get Code", [this, &path] {
                m_movie->SetOutputNames(path);
                m_movie->SaveAllFiles(QString(), QString(), false);
            })) {
            m_movie->Modified = false;
            addRecentFile(path);
        }
    }
    if (m_movie->PublishedFolder.isEmpty())
        return;
    ThtmlWindow* window = htmlWindow();
    window->setCode(m_movie->EmbedCode(m_movie->PlayerFileName), m_movie->Player() == PlayerKind::Flash);
    window->exec();
}

void TwMain::Publish()
{
    if (!m_movie)
        return;
    promptSaveEntry();
    guarded("Publish", [this] { m_movie->StartPublish(); });
}

void TwMain::Exit()
{
    close();
}

void TwMain::Help()
{
    OpenWithShell(Folders().ProgramFolder + "help.html");
}

void TwMain::OnlineHelp()
{
    OpenWithShell(product::OnlineHelpPage);
}

void TwMain::ContactUs()
{
    OpenWithShell(product::ContactPage);
}

void TwMain::About()
{
    auto* about = new TwinAbout(this);
    about->show();
}

void TwMain::ShowTipsSwitch()
{
    const QString folder = Folders().ProgramFolder;
    // The action has already flipped its mark: rename to match it. A failing rename is
    // passed over.
    if (m_showTipsAction->isChecked())
        QFile::rename(folder + "tips2.txt", folder + "tips.txt");
    else
        QFile::rename(folder + "tips.txt", folder + "tips2.txt");
}

void TwMain::ShowNewsView(bool myNews)
{
    m_feeds->ShowNewsView(myNews ? NewsView::MyNews : NewsView::NewsFeeds);
}

// --- window events ----------------------------------------------------------------------

void TwMain::closeEvent(QCloseEvent* event)
{
    if (!confirmDiscard()) {
        event->ignore();
        return;
    }
    storeSettings();
    m_closing = true;
    event->accept();
    hide();
    if (m_quitOnClose)
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

void TwMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    // Start-up measurement: when asked, tell the time the main window first shows.
    const QString shots = qEnvironmentVariable("TICKERINE_SCREENSHOTS");
    if (!shots.isEmpty())
        QTimer::singleShot(1500, this, [this, shots] { saveScreenshots(shots); });
    if (qEnvironmentVariableIsSet("TICKERINE_STARTUP_TIMESTAMP"))
        QTimer::singleShot(0, this, [] {
            std::printf("main-window-shown %lld\n",
                        static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
            std::fflush(stdout);
        });
}

// For the documentation: a picture of each tab, then the program ends.
void TwMain::saveScreenshots(const QString& folder)
{
    const QStringList names = {"tab-create-and-upload.png", "tab-designer.png"};
    for (int i = 0; i < m_tabs->count() && i < names.size(); ++i) {
        m_tabs->setCurrentIndex(i);
        QApplication::processEvents();
        grab().save(folder + "/" + names.at(i));
    }
    QApplication::exit(0);
}

void TwMain::hideEvent(QHideEvent* event)
{
    QMainWindow::hideEvent(event);
    if (!m_closing && !isMinimized())
        storeSettings();
}

// --- TickerHost -------------------------------------------------------------------------

QWidget* TwMain::designerControl(const QString& attributeName)
{
    return m_designer->controlFor(attributeName);
}

void TwMain::setScrollDirection(bool horizontal)
{
    m_designer->setScrollDirection(horizontal);
}

void TwMain::setEntryStyleChoice(int index)
{
    m_designer->setEntryStyleChoice(index);
}

void TwMain::showSettingsPage()
{
    m_designer->showSettingsPage();
}

void TwMain::setFontPanelVisible(bool visible)
{
    m_designer->setFontPanelVisible(visible);
}

void TwMain::fillFontPanel(int fontIndex)
{
    m_designer->FillFontPanel(fontIndex);
}

void TwMain::freezeDrawing(bool frozen)
{
    m_frozen += frozen ? 1 : -1;
    setUpdatesEnabled(m_frozen <= 0);
    if (m_frozen < 0)
        m_frozen = 0;
}

void TwMain::showNewsFeedsView()
{
    ShowNewsView(false);
}

void TwMain::showFilesWindow()
{
    if (m_movie)
        ShowFilesWindow(*m_movie, this);
}

void TwMain::startPublishWindows()
{
    if (m_movie)
        StartPublishWindows(*m_movie, this);
}

void TwMain::reportProblem(const QString& message)
{
    Dialogs::warning(this, product::Title, message);
}

void TwMain::showTickedFeeds(const QStringList& feedUrls)
{
    m_feeds->ShowTickedFeeds(feedUrls);
}

void TwMain::clearNewsHistory()
{
    m_newsEditor->clearNewsHistory();
}

void TwMain::addNewsHistoryRow(const QString& title, const QString& dateTime, const QString& author,
                               const QString& text, FblogItem* entry)
{
    m_newsEditor->addNewsHistoryRow(title, dateTime, author, text, entry);
}

void TwMain::bringNewsHistoryToFront()
{
    m_newsEditor->bringNewsHistoryToFront();
}

void TwMain::refreshEntryDateText()
{
    m_newsEditor->refreshEntryDateText();
}
