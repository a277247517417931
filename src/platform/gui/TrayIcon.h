#pragma once

#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>

#include <optional>

class QAction;
class QMenu;
class QWidget;

// The notification-area icon of the main window, with minimise-to-tray: minimising the
// watched window hides it and shows the icon; a click on the icon or "Maximize" brings it
// back as it was, "Minimize" hides it again. The icon is not shown until the first
// minimise and then stays. Where the desktop has no notification area, minimising stays an
// ordinary minimise, so the window can always be reached again.
class TrayIcon : public QObject {
    Q_OBJECT
public:
    explicit TrayIcon(QWidget* mainWindow, QObject* parent = nullptr);
    ~TrayIcon() override;

    QMenu* popupMenu() const { return m_menu; }
    QAction* maximizeAction() const { return m_maximize; }
    QAction* minimizeAction() const { return m_minimize; }
    QAction* helpAction() const { return m_help; }
    QAction* exitAction() const { return m_exit; }

    bool isIconShown() const { return m_shown; }
    QString hint() const;
    bool minimizeToTray() const { return m_minimizeToTray; }
    void setMinimizeToTray(bool on) { m_minimizeToTray = on; }

    // A click on the icon and "Maximize": shows the window in the state it had before it
    // was minimised and makes it the active window.
    void restoreMainWindow();
    // "Minimize": hides the window (an ordinary minimise without a notification area).
    void hideMainWindow();

    // Whether the desktop offers a notification area; tests may decide it.
    static bool trayAvailable();
    static void setTrayAvailableForTesting(std::optional<bool> available);

Q_SIGNALS:
    void helpRequested();
    void exitRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenu();
    void showIcon();
    void onActivated(QSystemTrayIcon::ActivationReason reason);
    void onMinimized();

    QPointer<QWidget> m_window;
    QSystemTrayIcon* m_icon = nullptr; // child of this
    QMenu* m_menu = nullptr;           // deleted by the destructor (a menu takes no QObject parent)
    QAction* m_maximize = nullptr;
    QAction* m_minimize = nullptr;
    QAction* m_help = nullptr;
    QAction* m_exit = nullptr;
    bool m_shown = false;
    bool m_minimizeToTray = true;
};
