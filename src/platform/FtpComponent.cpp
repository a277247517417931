#include "platform/FtpComponent.h"

#include "platform/FtpWorker.h"

#include <curl/curl.h>

namespace {

FtpComponent::Resolver& resolverSlot()
{
    static FtpComponent::Resolver slot;
    return slot;
}

void ensureCurl()
{
    static const bool ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    Q_UNUSED(ready);
}

} // namespace

FtpComponent::FtpComponent(QObject* parent)
    : QObject(parent), m_abort(std::make_shared<std::atomic_bool>(false))
{
    ensureCurl();
    m_worker = new FtpWorker(m_abort);
    m_worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    connect(m_worker, &FtpWorker::connected, this, &FtpComponent::handleConnected);
    connect(m_worker, &FtpWorker::listed, this, &FtpComponent::handleListed);
    connect(m_worker, &FtpWorker::done, this, &FtpComponent::handleDone);
    connect(m_worker, &FtpWorker::reply, this, &FtpComponent::OnFTPReply);
    connect(m_worker, &FtpWorker::command, this, &FtpComponent::OnPreTranslateCommand);
    connect(m_worker, &FtpWorker::progress, this, &FtpComponent::OnProgress);
    connect(m_worker, &FtpWorker::disconnected, this, [this] {
        if (m_state == Disconnected)
            return;
        m_state = Disconnected;
        Q_EMIT OnDisconnected();
    });
    m_thread.setObjectName("FtpComponent");
    m_thread.start();
}

FtpComponent::~FtpComponent()
{
    // Stops a transfer under way at its next progress check, so the wait is short.
    m_abort->store(true);
    m_thread.quit();
    m_thread.wait();
}

void FtpComponent::setResolver(Resolver resolver)
{
    resolverSlot() = std::move(resolver);
}

FtpComponent::Resolver FtpComponent::resolver()
{
    return resolverSlot();
}

void FtpComponent::Connect()
{
    FtpSettings settings;
    settings.host = m_hostname;
    settings.login = m_login;
    settings.password = m_password;
    settings.protocol = m_protocol;
    settings.port = m_port;
    settings.passive = m_passive;
    settings.trusted = m_trusted;
    if (const Resolver lookUp = resolver()) {
        settings.resolved = true;
        settings.addresses = lookUp(settings.host);
    }
    m_state = Connecting;
    m_peerFingerprint.clear();
    FtpWorker* worker = m_worker;
    QMetaObject::invokeMethod(m_worker, [worker, settings] { worker->connectTo(settings); });
}

void FtpComponent::Disconnect()
{
    if (m_state == Disconnected)
        return;
    m_abort->store(true);
    FtpWorker* worker = m_worker;
    QMetaObject::invokeMethod(m_worker, [worker] { worker->disconnectNow(); });
}

bool FtpComponent::RequireConnection()
{
    if (m_state == Connected)
        return true;
    // Reported like any other result: after the caller's current event.
    QMetaObject::invokeMethod(
        this, [this] { Q_EMIT OnDone(NotConnectedError, GetErrorText(NotConnectedError)); },
        Qt::QueuedConnection);
    return false;
}

void FtpComponent::PutFile(const QString& localPath, const QString& remoteName)
{
    if (!RequireConnection())
        return;
    FtpWorker* worker = m_worker;
    const QString folder = m_remotePath;
    QMetaObject::invokeMethod(
        m_worker, [worker, localPath, remoteName, folder] { worker->put(localPath, remoteName, folder); });
}

void FtpComponent::ListDir(const QString& path)
{
    if (!RequireConnection())
        return;
    FtpWorker* worker = m_worker;
    const QString folder = JoinRemotePath(m_remotePath, path);
    QMetaObject::invokeMethod(m_worker, [worker, folder] { worker->list(folder); });
}

void FtpComponent::Refresh()
{
    ListDir(m_remotePath);
}

QString FtpComponent::GetErrorText(int code) const
{
    switch (code) {
    case NoError:
        return {};
    case HostNotFoundError:
        return QStringLiteral("Host not found.");
    case UntrustedPeerError:
        return QStringLiteral("The server's certificate or host key is not trusted.");
    case NotConnectedError:
        return QStringLiteral("Not connected.");
    default:
        return QString::fromUtf8(curl_easy_strerror(CURLcode(code)));
    }
}

void FtpComponent::handleConnected(int code, const QString& text, const QString& entryPath,
                                   const QString& fingerprint)
{
    m_lastError = code;
    m_peerFingerprint = fingerprint;
    if (code != NoError) {
        m_state = Disconnected;
        Q_EMIT OnConnected(code, text);
        return;
    }
    m_state = Connected;
    m_remotePath = entryPath;
    m_items.clear();
    Q_EMIT OnConnected(code, text);
}

void FtpComponent::handleListed(int code, const QString& text, const QString& path, const QString& listing)
{
    if (code != NoError) {
        handleDone(code, text, false);
        return;
    }
    m_remotePath = path;
    m_items = ParseFtpListing(listing);
    Q_EMIT OnListItems(listing);
}

void FtpComponent::handleDone(int code, const QString& text, bool connectionLost)
{
    m_lastError = code;
    Q_EMIT OnDone(code, text);
    if (connectionLost && m_state != Disconnected) {
        m_state = Disconnected;
        Q_EMIT OnDisconnected();
    }
}
