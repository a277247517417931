#pragma once

#include "app/RecentFiles.h"
#include "ticker/TickerHost.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

class Fmovie;
class FmovieDesigner;
class QAction;
class QMenu;
class QScrollArea;
class QStackedWidget;
class TrayIcon;
class QTabWidget;
class QToolButton;
class TDesignerPanel;
class TnewsEditor;
class TnewsSourcePanel;
class ThtmlWindow;
class TpreviewWindow;

// The main window: the two tabs, the tool bars and menus, the document commands, the
// recent-files list and the window settings in the per-user store. It owns the current
// ticker document and is the host every ticker talks to.
class TwMain : public QMainWindow, public TickerHost {
    Q_OBJECT
public:
    // Where the window keeps its settings in the per-user store.
    static const char* const SettingsKey;

    explicit TwMain(QWidget* parent = nullptr);
    ~TwMain() override;

    Fmovie* movie() const { return m_movie; }
    TDesignerPanel* designerPanel() const { return m_designer; }
    const RecentFiles& recentFiles() const { return m_recent; }
    QMenu* reopenMenu() const { return m_reopenMenu; }
    QAction* showTipsAction() const { return m_showTipsAction; }
    QString openFolder() const { return m_openFolder; }
    QString saveFolder() const { return m_saveFolder; }
    QString opmlFolder() const { return m_opmlFolder; }

    // The windows the commands show; created once at start-up, or on demand when missing.
    void setPreviewWindow(TpreviewWindow* window);
    void setHtmlWindow(ThtmlWindow* window);
    TpreviewWindow* previewWindow();
    ThtmlWindow* htmlWindow();
    TnewsSourcePanel* newsSourcePanel() const { return m_feeds; }
    // Closing the program's main window ends the run (not so for windows made by tests).
    void setQuitOnClose(bool quit) { m_quitOnClose = quit; }
    TnewsEditor* newsEditor() const { return m_newsEditor; }

    // Document commands. Each returns false when it stopped (a Cancel, a failed step).
    bool New();
    void Open();
    void Reopen(const QString& path);
    bool Save();
    void Preview();
    void GetCode();
    void Publish();
    void Exit();
    void Help();
    void OnlineHelp();
    void ContactUs();
    void About();
    void ShowTipsSwitch();
    void ShowNewsView(bool myNews);
    // Places the ticker in the middle of the canvas.
    void CenterTicker();

    // --- TickerHost ----------------------------------------------------------------------
    QWidget* designerControl(const QString& attributeName) override;
    void setScrollDirection(bool horizontal) override;
    void setEntryStyleChoice(int index) override;
    void showSettingsPage() override;
    void setFontPanelVisible(bool visible) override;
    void fillFontPanel(int fontIndex) override;
    void freezeDrawing(bool frozen) override;
    void showNewsFeedsView() override;
    void showTickedFeeds(const QStringList& feedUrls) override;
    void clearNewsHistory() override;
    void addNewsHistoryRow(const QString& title, const QString& dateTime, const QString& author,
                           const QString& text, FblogItem* entry) override;
    void bringNewsHistoryToFront() override;
    void refreshEntryDateText() override;
    QString askSaveFileName(const QString& proposed) override;
    void showFilesWindow() override;
    void startPublishWindows() override;
    void reportProblem(const QString& message) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class SaveResult { Saved, Cancelled, Failed };

    void FormCreate();
    void saveScreenshots(const QString& folder);
    void buildMenus();
    void buildShortcuts();
    QWidget* buildCreateTab();
    QWidget* buildDesignerTab();
    QToolButton* addToolButton(QWidget* bar, const QString& name, const QString& caption, const QString& hint,
                               void (TwMain::*command)());
    void addSaveButton(QWidget* bar, const QString& name);
    void addOutputButtons(QWidget* bar, const QString& publishName, const QString& previewName,
                          const QString& getCodeName);
    void buildTrayIcon();
    void rebuildReopenMenu();
    void addRecentFile(const QString& path);
    void restoreSettings();
    void storeSettings();
    // Asks "Save changes to current file?" when the ticker is modified; false on Cancel or
    // when the save that Yes asked for failed.
    bool confirmDiscard();
    SaveResult SaveCommand();
    bool feedCheck();
    void promptSaveEntry();
    QString runSaveDialog(const QString& proposed);
    void discardTicker();
    void createTicker();
    void readSettingsFile(const QString& path);
    // Runs a command; an error that escapes it is shown, naming the command and the reason.
    bool guarded(const QString& what, const std::function<void()>& command);

    Fmovie* m_movie = nullptr;
    std::unique_ptr<FmovieDesigner> m_movieDesigner;
    TDesignerPanel* m_designer = nullptr;
    QTabWidget* m_tabs = nullptr;
    TnewsSourcePanel* m_feeds = nullptr;
    TnewsEditor* m_newsEditor = nullptr;
    QToolButton* m_newsFeedsButton = nullptr;
    QToolButton* m_myNewsButton = nullptr;
    QScrollArea* m_canvasArea = nullptr;
    QWidget* m_canvas = nullptr;
    QMenu* m_reopenMenu = nullptr;
    QAction* m_showTipsAction = nullptr;
    TrayIcon* m_tray = nullptr;
    QPointer<TpreviewWindow> m_preview;
    QPointer<ThtmlWindow> m_html;
    RecentFiles m_recent;
    QString m_openFolder;
    QString m_saveFolder;
    QString m_opmlFolder;
    int m_frozen = 0;
    bool m_shownOnce = false;
    bool m_closing = false;
    bool m_quitOnClose = false;
};
