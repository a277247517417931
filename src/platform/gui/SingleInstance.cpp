#include "platform/gui/SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QWidget>

namespace {

const QByteArray activateMessage = "activate\n";
constexpr int connectTimeoutMs = 2000;

// A name that is safe as part of a file name.
QString fileSafe(const QString& name)
{
    QString safe;
    for (const QChar c : name)
        safe += (c.isLetterOrNumber() || c == '-' || c == '_' || c == '.') ? c : QChar('_');
    return safe.isEmpty() ? QStringLiteral("_") : safe;
}

QString findRuntimeFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    QDir().mkpath(folder);
    return folder;
}

const QString& runtimeFolder()
{
    static const QString folder = findRuntimeFolder();
    return folder;
}

} // namespace

SingleInstance::SingleInstance(const QString& name, QObject* parent)
    : QObject(parent), m_name(name.isEmpty() ? defaultTitle(QCoreApplication::applicationFilePath()) : name)
{}

SingleInstance::~SingleInstance()
{
    if (m_server)
        m_server->close();
}

QString SingleInstance::defaultTitle(const QString& programFile)
{
    QString title = QFileInfo(programFile).fileName();
    const qsizetype dot = title.indexOf('.');
    if (dot >= 0)
        title.truncate(dot);
    title = title.toLower();
    if (!title.isEmpty())
        title[0] = title[0].toUpper();
    return title;
}

QString SingleInstance::runtimePath(const QString& suffix) const
{
    return runtimeFolder() + '/' + fileSafe(m_name) + suffix;
}

bool SingleInstance::tryToRun()
{
    if (m_checked)
        return m_first;
    m_checked = true;
    m_lock = std::make_unique<QLockFile>(runtimePath(".lock"));
    // Never stale by age: only a lock whose process is gone is taken over.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0)) {
        m_first = true;
        listen();
        return true;
    }
    m_lock.reset();
    notifyRunningInstance();
    return false;
}

void SingleInstance::listen()
{
    const QString socketPath = runtimePath(".socket");
    // We hold the lock, so a socket file that is still there was left by a crashed run.
    QLocalServer::removeServer(socketPath);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
    m_server->listen(socketPath);
}

void SingleInstance::onNewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine())
                return;
            if (socket->readLine(64) == activateMessage) {
                bringMainWindowForward();
                Q_EMIT anotherInstanceStarted();
            }
            socket->disconnectFromServer();
        });
    }
}

bool SingleInstance::notifyRunningInstance() const
{
    QLocalSocket socket;
    socket.connectToServer(runtimePath(".socket"));
    if (!socket.waitForConnected(connectTimeoutMs))
        return false;
    socket.write(activateMessage);
    const bool written = socket.waitForBytesWritten(connectTimeoutMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(connectTimeoutMs);
    return written;
}

void SingleInstance::setMainWindow(QWidget* window)
{
    m_mainWindow = window;
}

void SingleInstance::bringMainWindowForward()
{
    QWidget* window = m_mainWindow.data();
    if (!window)
        return;
    if (window->isMinimized())
        window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window->show();
    window->raise();
    window->activateWindow();
}
