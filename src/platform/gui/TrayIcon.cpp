#include "platform/gui/TrayIcon.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QStyle>
#include <QTimer>
#include <QWidget>

namespace {

std::optional<bool>& trayOverride()
{
    static std::optional<bool> available;
    return available;
}

QIcon programIcon(const QWidget* window)
{
    if (window && !window->windowIcon().isNull())
        return window->windowIcon();
    if (!QApplication::windowIcon().isNull())
        return QApplication::windowIcon();
    return QApplication::style()->standardIcon(QStyle::SP_ComputerIcon);
}

} // namespace

TrayIcon::TrayIcon(QWidget* mainWindow, QObject* parent) : QObject(parent), m_window(mainWindow)
{
    m_icon = new QSystemTrayIcon(programIcon(mainWindow), this);
    m_icon->setToolTip(QStringLiteral("Velmora Tickerine"));
    buildMenu();
    connect(m_icon, &QSystemTrayIcon::activated, this, &TrayIcon::onActivated);
    if (mainWindow)
        mainWindow->installEventFilter(this);
}

TrayIcon::~TrayIcon()
{
    m_icon->setContextMenu(nullptr);
    delete m_menu;
}

void TrayIcon::buildMenu()
{
    // A QMenu cannot have a QObject parent, so this object deletes it itself.
    m_menu = new QMenu();
    m_menu->setObjectName("trayPopupMenu");
    m_maximize = m_menu->addAction(QStringLiteral("Maximize"), this, &TrayIcon::restoreMainWindow);
    m_minimize = m_menu->addAction(QStringLiteral("Minimize"), this, &TrayIcon::hideMainWindow);
    m_menu->addSeparator();
    m_help = m_menu->addAction(QStringLiteral("&Help"), this, &TrayIcon::helpRequested);
    m_menu->addSeparator();
    m_exit = m_menu->addAction(QStringLiteral("Exit"), this, &TrayIcon::exitRequested);
    m_icon->setContextMenu(m_menu);
}

QString TrayIcon::hint() const
{
    return m_icon->toolTip();
}

bool TrayIcon::trayAvailable()
{
    return trayOverride().value_or(QSystemTrayIcon::isSystemTrayAvailable());
}

void TrayIcon::setTrayAvailableForTesting(std::optional<bool> available)
{
    trayOverride() = available;
}

bool TrayIcon::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window && event->type() == QEvent::WindowStateChange && m_window->isMinimized())
        // Hiding inside the state change confuses some window managers; do it right after.
        QTimer::singleShot(0, this, &TrayIcon::onMinimized);
    return QObject::eventFilter(watched, event);
}

void TrayIcon::onMinimized()
{
    if (!m_window || !m_window->isMinimized() || !m_minimizeToTray || !trayAvailable())
        return;
    showIcon();
    m_window->hide();
}

void TrayIcon::showIcon()
{
    m_shown = true;
    m_icon->show();
}

void TrayIcon::onActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
        restoreMainWindow();
}

void TrayIcon::restoreMainWindow()
{
    if (!m_window)
        return;
    // Clearing only the minimised bit brings a maximised window back maximised.
    m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void TrayIcon::hideMainWindow()
{
    if (!m_window)
        return;
    if (!trayAvailable()) {
        m_window->showMinimized();
        return;
    }
    showIcon();
    m_window->hide();
}
