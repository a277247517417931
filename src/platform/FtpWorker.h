#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>

typedef void CURL;
typedef void CURLM;
struct curl_slist;

// What one connection is made from; copied into the worker when the connect is asked for.
struct FtpSettings {
    QString host;
    QString login;
    QString password;
    int protocol = 0;
    int port = 21;
    bool passive = true;
    QStringList trusted;
    bool resolved = false; // addresses were looked up beforehand (tests)
    QStringList addresses;
};

// The FTP component's half on its own thread: one libcurl handle whose cached connection
// is the session. Every operation ends with exactly one result signal.
class FtpWorker : public QObject {
    Q_OBJECT
public:
    explicit FtpWorker(std::shared_ptr<std::atomic_bool> abort);
    ~FtpWorker() override;

    void connectTo(const FtpSettings& settings);
    void disconnectNow();
    void list(const QString& folder);
    void put(const QString& localPath, const QString& remoteName, const QString& folder);

    // Called from libcurl's callbacks.
    void debugLine(int type, const QByteArray& data);
    bool aborted() const { return m_abort->load(); }
    void reportProgress(qint64 done, qint64 total);
    int checkHostKey(const QByteArray& key);

Q_SIGNALS:
    void connected(int code, const QString& text, const QString& entryPath, const QString& fingerprint);
    void listed(int code, const QString& text, const QString& folder, const QString& listing);
    void done(int code, const QString& text, bool connectionLost);
    void reply(const QString& command, quint16 code, const QString& text);
    void command(const QString& command);
    void progress(qint64 done, qint64 total);
    void disconnected();

private:
    bool isTls() const;
    bool isSftp() const;
    QString baseUrl() const;
    QString folderUrl(const QString& folder) const;
    void applyBase();
    int perform();
    void closeSession();
    QString errorText(int code) const;
    QString probeCertificate();
    int runQuote(const QString& folder, const QStringList& commands);
    QStringList renameCommands(const QString& folder, const QString& from, const QString& to) const;
    QStringList deleteCommands(const QString& folder, const QString& name) const;

    std::shared_ptr<std::atomic_bool> m_abort;
    CURL* m_curl = nullptr;
    CURLM* m_multi = nullptr;
    FtpSettings m_settings;
    QString m_lastCommand;
    QString m_fingerprint;
    curl_slist* m_resolve = nullptr;
    char m_errorBuffer[256] = {};
    qint64 m_lastProgressMs = 0;
};

// "SHA256:" + unpadded base64 of the SHA-256 of the key bytes, as OpenSSH shows host keys.
QString FingerprintOf(const QByteArray& keyBytes);
