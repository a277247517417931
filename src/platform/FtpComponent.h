#pragma once

#include "platform/FtpListing.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QThread>

#include <atomic>
#include <functional>
#include <memory>

class FtpWorker;

// The FTP component: one connection to one server over FTP, FTP with TLS (explicit on the
// control connection, on control and data, or implicit) or SFTP, on libcurl. Every
// operation returns at once; the work runs on the component's own thread, and its events
// arrive on the thread that owns the component. Operations run one after the other in the
// order they were asked for.
//
// TLS certificates and SSH host keys are checked: a certificate the system trusts for the
// host name, or a certificate or key whose fingerprint is in TrustedFingerprints, is
// accepted; anything else fails the connect with UntrustedPeerError and PeerFingerprint
// names what the server showed ("SHA256:" + base64 of the SHA-256 of the public key).
class FtpComponent : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Hostname READ Hostname WRITE setHostname)
    Q_PROPERTY(QString Login READ Login WRITE setLogin)
    Q_PROPERTY(QString Password READ Password WRITE setPassword)
    Q_PROPERTY(int Protocol READ Protocol WRITE setProtocol)
    Q_PROPERTY(int Port READ Port WRITE setPort)
    Q_PROPERTY(bool Passive READ Passive WRITE setPassive)
    Q_PROPERTY(int LastError READ LastError)
    Q_PROPERTY(QString RemotePath READ RemotePath)
    Q_PROPERTY(int State READ State)

public:
    enum Protocols {
        ProtocolFtp = 0,
        ProtocolSftp = 1,
        ProtocolFtpsControl = 2,
        ProtocolFtpsBoth = 3,
        ProtocolFtpsImplicit = 4
    };
    enum States { Disconnected = 0, Connecting = 1, Connected = 2 };
    // Error codes are libcurl's; these are the ones callers look at.
    enum Errors {
        NoError = 0,
        HostNotFoundError = 6,
        ConnectRefusedError = 7,
        LoginDeniedError = 67,
        UntrustedPeerError = 60,
        AbortedError = 42,
        NotConnectedError = 10001
    };

    explicit FtpComponent(QObject* parent = nullptr);
    ~FtpComponent() override;

    QString Hostname() const { return m_hostname; }
    void setHostname(const QString& value) { m_hostname = value; }
    QString Login() const { return m_login; }
    void setLogin(const QString& value) { m_login = value; }
    QString Password() const { return m_password; }
    void setPassword(const QString& value) { m_password = value; }
    int Protocol() const { return m_protocol; }
    void setProtocol(int value) { m_protocol = value; }
    int Port() const { return m_port; }
    void setPort(int value) { m_port = value; }
    bool Passive() const { return m_passive; }
    void setPassive(bool value) { m_passive = value; }
    QStringList TrustedFingerprints() const { return m_trusted; }
    void setTrustedFingerprints(const QStringList& value) { m_trusted = value; }

    int LastError() const { return m_lastError; }
    QString RemotePath() const { return m_remotePath; }
    int State() const { return m_state; }
    QString PeerFingerprint() const { return m_peerFingerprint; }
    // The entries of the folder listed last.
    QList<FtpItem> Items() const { return m_items; }

    // Logs in; OnConnected follows, with ErrorCode 0 on success.
    void Connect();
    // Ends the connection (an upload under way is stopped and reported by its OnDone).
    void Disconnect();
    // Uploads the local file into the current remote folder under remoteName. The file is
    // written under a temporary name and renamed when complete, so a broken transfer leaves
    // the previous file in place. OnDone follows for every call, also when it failed.
    void PutFile(const QString& localPath, const QString& remoteName);
    // Lists a folder (absolute, or relative to the current one); it becomes the current
    // remote folder and OnListItems follows. A folder that cannot be listed gives OnDone
    // with the error and leaves the current folder as it was.
    void ListDir(const QString& path);
    // Lists the current folder again.
    void Refresh();
    QString GetErrorText(int code) const;

    // Test seam: answers host name look-ups instead of the system's resolver (an empty
    // list means the name is unknown), so tests never ask a name server. Empty restores it.
    using Resolver = std::function<QStringList(const QString& host)>;
    static void setResolver(Resolver resolver);
    static Resolver resolver();

Q_SIGNALS:
    void OnConnected(int ErrorCode, const QString& ErrorText);
    void OnDisconnected();
    void OnListItems(const QString& FileInfo);
    void OnDone(int ErrorCode, const QString& ErrorText);
    void OnFTPReply(const QString& Command, quint16 ReplyCode, const QString& ReplyText);
    void OnPreTranslateCommand(const QString& Command);
    // Bytes sent of the file being uploaded.
    void OnProgress(qint64 done, qint64 total);

private:
    // False, with OnDone(NotConnectedError) to follow, when no session is open.
    bool RequireConnection();
    void handleConnected(int code, const QString& text, const QString& entryPath, const QString& fingerprint);
    void handleListed(int code, const QString& text, const QString& path, const QString& listing);
    void handleDone(int code, const QString& text, bool connectionLost);

    QString m_hostname;
    QString m_login;
    QString m_password;
    int m_protocol = ProtocolFtp;
    int m_port = 21;
    bool m_passive = true;
    QStringList m_trusted;
    int m_lastError = NoError;
    QString m_remotePath;
    int m_state = Disconnected;
    QString m_peerFingerprint;
    QList<FtpItem> m_items;

    QThread m_thread;
    FtpWorker* m_worker = nullptr; // lives on m_thread, deleted when the thread finishes
    std::shared_ptr<std::atomic_bool> m_abort;
};
