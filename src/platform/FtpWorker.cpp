#include "platform/FtpWorker.h"

#include "platform/FtpComponent.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QSslCertificate>
#include <QSslKey>
#include <QUrl>

#include <curl/curl.h>

#include <algorithm>

namespace {

// The fingerprint (SHA-256 of the key) as the TLS pin option wants it.
QString pinOf(const QString& fingerprint)
{
    QString b64 = fingerprint.mid(QStringLiteral("SHA256:").size());
    while (b64.size() % 4)
        b64 += '=';
    return "sha256//" + b64;
}

int debugCallback(CURL*, curl_infotype type, char* data, size_t size, void* user)
{
    // The transferred bytes pass through here too; only the conversation is wanted.
    if (type != CURLINFO_HEADER_IN && type != CURLINFO_HEADER_OUT && type != CURLINFO_TEXT)
        return 0;
    static_cast<FtpWorker*>(user)->debugLine(type, QByteArray(data, qsizetype(size)));
    return 0;
}

int progressCallback(void* user, curl_off_t, curl_off_t, curl_off_t ultotal, curl_off_t ulnow)
{
    auto* worker = static_cast<FtpWorker*>(user);
    if (worker->aborted())
        return 1;
    worker->reportProgress(ulnow, ultotal);
    return 0;
}

size_t readCallback(char* buffer, size_t size, size_t count, void* user)
{
    const qint64 n = static_cast<QFile*>(user)->read(buffer, qint64(size * count));
    return n < 0 ? CURL_READFUNC_ABORT : size_t(n);
}

size_t writeCallback(char* data, size_t size, size_t count, void* user)
{
    static_cast<QByteArray*>(user)->append(data, qsizetype(size * count));
    return size * count;
}

int hostKeyCallback(void* user, int, const char* key, size_t length)
{
    return static_cast<FtpWorker*>(user)->checkHostKey(QByteArray(key, qsizetype(length)));
}

// Errors after which the session is gone and the next operation would have to log in again.
bool connectionLost(int code)
{
    switch (code) {
    case CURLE_COULDNT_CONNECT:
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
    case CURLE_OPERATION_TIMEDOUT:
    case CURLE_ABORTED_BY_CALLBACK:
    case CURLE_FTP_WEIRD_SERVER_REPLY:
    case CURLE_SSH:
    case CURLE_SSL_CONNECT_ERROR:
        return true;
    default:
        return false;
    }
}

QString encodedPath(const QString& folder)
{
    QString out;
    for (const QString& part : folder.split('/', Qt::SkipEmptyParts))
        out += QString::fromLatin1(QUrl::toPercentEncoding(part)) + '/';
    return out;
}

QString quoted(const QString& path)
{
    return '"' + QString(path).replace('"', "\\\"") + '"';
}

struct SList {
    curl_slist* list = nullptr;
    explicit SList(const QStringList& items)
    {
        for (const QString& item : items)
            list = curl_slist_append(list, item.toUtf8().constData());
    }
    ~SList() { curl_slist_free_all(list); }
    SList(const SList&) = delete;
    SList& operator=(const SList&) = delete;
};

} // namespace

QString FingerprintOf(const QByteArray& keyBytes)
{
    const QByteArray digest = QCryptographicHash::hash(keyBytes, QCryptographicHash::Sha256);
    return "SHA256:" + QString::fromLatin1(digest.toBase64(QByteArray::OmitTrailingEquals));
}

FtpWorker::FtpWorker(std::shared_ptr<std::atomic_bool> abort) : m_abort(std::move(abort))
{
    m_curl = curl_easy_init();
}

FtpWorker::~FtpWorker()
{
    curl_multi_cleanup(m_multi);
    curl_easy_cleanup(m_curl);
    curl_slist_free_all(m_resolve);
}

bool FtpWorker::isTls() const
{
    return m_settings.protocol >= FtpComponent::ProtocolFtpsControl;
}

bool FtpWorker::isSftp() const
{
    return m_settings.protocol == FtpComponent::ProtocolSftp;
}

QString FtpWorker::baseUrl() const
{
    const QString scheme = isSftp()                                                    ? "sftp"
                           : m_settings.protocol == FtpComponent::ProtocolFtpsImplicit ? "ftps"
                                                                                       : "ftp";
    QUrl url;
    url.setScheme(scheme);
    url.setHost(m_settings.host);
    url.setPort(m_settings.port);
    return url.toString(QUrl::FullyEncoded);
}

// FTP paths in a URL are relative to the login folder unless the first step is "%2F".
QString FtpWorker::folderUrl(const QString& folder) const
{
    return baseUrl() + (isSftp() ? "/" : "/%2F") + encodedPath(folder);
}

void FtpWorker::applyBase()
{
    curl_easy_reset(m_curl);
    curl_easy_setopt(m_curl, CURLOPT_ERRORBUFFER, m_errorBuffer);
    m_errorBuffer[0] = 0;
    curl_easy_setopt(m_curl, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(m_curl, CURLOPT_DEBUGFUNCTION, debugCallback);
    curl_easy_setopt(m_curl, CURLOPT_DEBUGDATA, this);
    curl_easy_setopt(m_curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(m_curl, CURLOPT_XFERINFOFUNCTION, progressCallback);
    curl_easy_setopt(m_curl, CURLOPT_XFERINFODATA, this);
    curl_easy_setopt(m_curl, CURLOPT_CONNECTTIMEOUT, 30L);
    curl_easy_setopt(m_curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(m_curl, CURLOPT_LOW_SPEED_TIME, 60L);
    curl_easy_setopt(m_curl, CURLOPT_NOSIGNAL, 1L);
    if (m_resolve)
        curl_easy_setopt(m_curl, CURLOPT_RESOLVE, m_resolve);
    if (!m_settings.login.isEmpty()) {
        curl_easy_setopt(m_curl, CURLOPT_USERNAME, m_settings.login.toUtf8().constData());
        curl_easy_setopt(m_curl, CURLOPT_PASSWORD, m_settings.password.toUtf8().constData());
    }
    if (isSftp()) {
        curl_easy_setopt(m_curl, CURLOPT_SSH_AUTH_TYPES, long(CURLSSH_AUTH_PASSWORD | CURLSSH_AUTH_KEYBOARD));
        curl_easy_setopt(m_curl, CURLOPT_SSH_HOSTKEYFUNCTION, hostKeyCallback);
        curl_easy_setopt(m_curl, CURLOPT_SSH_HOSTKEYDATA, this);
        return;
    }
    curl_easy_setopt(m_curl, CURLOPT_FTP_FILEMETHOD, long(CURLFTPMETHOD_SINGLECWD));
    if (!m_settings.passive)
        curl_easy_setopt(m_curl, CURLOPT_FTPPORT, "-");
    if (!isTls())
        return;
    const bool controlOnly = m_settings.protocol == FtpComponent::ProtocolFtpsControl;
    curl_easy_setopt(m_curl, CURLOPT_USE_SSL, long(controlOnly ? CURLUSESSL_CONTROL : CURLUSESSL_ALL));
    // With TLS 1.3 on a resumed data connection the tail of an upload can be lost while the
    // transfer is still reported complete (seen with libcurl 7.88 from the second file of a
    // session on); TLS 1.2 does not lose it.
    curl_easy_setopt(m_curl, CURLOPT_SSLVERSION,
                     long(CURL_SSLVERSION_TLSv1_2) | long(CURL_SSLVERSION_MAX_TLSv1_2));
    if (m_settings.trusted.isEmpty())
        return; // the system's trust store and the host name decide
    // A certificate the user accepted is pinned: only its key is accepted, whoever signed it.
    QStringList pins;
    for (const QString& fingerprint : m_settings.trusted)
        pins << pinOf(fingerprint);
    curl_easy_setopt(m_curl, CURLOPT_SSL_VERIFYPEER, 0L);
    curl_easy_setopt(m_curl, CURLOPT_SSL_VERIFYHOST, 0L);
    curl_easy_setopt(m_curl, CURLOPT_PINNEDPUBLICKEY, pins.join(';').toUtf8().constData());
}

// Runs the handle through a multi handle of our own, which keeps the session's connection
// between operations. The poll never sleeps longer than 20 ms: libcurl 7.88 can leave an
// FTP data connection unstarted until its next timeout, a full second per file, when the
// passive-mode reply comes in early; polling again soon starts it at once. The wait starts
// at 1 ms and doubles while nothing happens, so the start of each file costs next to nothing
// and an idle wait does not spin.
int FtpWorker::perform()
{
    m_lastProgressMs = 0;
    if (!m_multi)
        m_multi = curl_multi_init();
    curl_multi_add_handle(m_multi, m_curl);
    int running = 1;
    int waitMs = 1;
    while (running) {
        if (curl_multi_perform(m_multi, &running) != CURLM_OK)
            break;
        if (running) {
            int ready = 0;
            curl_multi_poll(m_multi, nullptr, 0, waitMs, &ready);
            waitMs = ready > 0 ? 1 : std::min(waitMs * 2, 20);
        }
    }
    int result = CURLE_RECV_ERROR;
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(m_multi, &left))
        if (message->msg == CURLMSG_DONE && message->easy_handle == m_curl)
            result = int(message->data.result);
    curl_multi_remove_handle(m_multi, m_curl);
    return result;
}

void FtpWorker::closeSession()
{
    // Cleaning the handles closes the cached connection (FTP sends QUIT first).
    curl_multi_cleanup(m_multi);
    m_multi = nullptr;
    curl_easy_cleanup(m_curl);
    m_curl = curl_easy_init();
}

QString FtpWorker::errorText(int code) const
{
    if (code == CURLE_COULDNT_RESOLVE_HOST)
        return QStringLiteral("Host not found.");
    if (code == CURLE_PEER_FAILED_VERIFICATION || code == CURLE_SSL_PINNEDPUBKEYNOTMATCH)
        return QStringLiteral("The server's certificate or host key is not trusted.");
    const QString detail = QString::fromUtf8(m_errorBuffer);
    return detail.isEmpty() ? QString::fromUtf8(curl_easy_strerror(CURLcode(code))) : detail;
}

void FtpWorker::debugLine(int type, const QByteArray& data)
{
    for (QString line : QString::fromUtf8(data).split('\n', Qt::SkipEmptyParts)) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        if (type == CURLINFO_HEADER_OUT) {
            m_lastCommand = line;
            Q_EMIT command(line);
        } else if (type == CURLINFO_HEADER_IN) {
            Q_EMIT reply(m_lastCommand, quint16(line.left(3).toUInt()), line);
        } else if (type == CURLINFO_TEXT && isSftp()) {
            // SFTP has no text conversation; libcurl's account of its steps stands in.
            Q_EMIT reply(m_lastCommand, 0, line);
        }
    }
}

void FtpWorker::reportProgress(qint64 done, qint64 total)
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (total <= 0 || (now - m_lastProgressMs < 100 && done < total))
        return;
    m_lastProgressMs = now;
    Q_EMIT progress(done, total);
}

int FtpWorker::checkHostKey(const QByteArray& key)
{
    const QString fingerprint = FingerprintOf(key);
    if (m_settings.trusted.contains(fingerprint))
        return CURLKHMATCH_OK;
    m_fingerprint = fingerprint;
    return CURLKHMATCH_MISMATCH;
}

// Learns which certificate an untrusted TLS server shows without logging in: a pin that
// no key can match ends the handshake before any credentials are sent.
QString FtpWorker::probeCertificate()
{
    CURL* probe = curl_easy_init();
    curl_easy_setopt(probe, CURLOPT_URL, (baseUrl() + "/").toUtf8().constData());
    curl_easy_setopt(probe, CURLOPT_NOBODY, 1L);
    if (m_resolve)
        curl_easy_setopt(probe, CURLOPT_RESOLVE, m_resolve);
    curl_easy_setopt(probe, CURLOPT_CONNECTTIMEOUT, 30L);
    curl_easy_setopt(probe, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(probe, CURLOPT_USE_SSL, long(CURLUSESSL_ALL));
    curl_easy_setopt(probe, CURLOPT_SSL_VERIFYPEER, 0L);
    curl_easy_setopt(probe, CURLOPT_SSL_VERIFYHOST, 0L);
    curl_easy_setopt(probe, CURLOPT_CERTINFO, 1L);
    curl_easy_setopt(probe, CURLOPT_PINNEDPUBLICKEY, "sha256//AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA=");
    curl_easy_perform(probe);
    QString fingerprint;
    curl_certinfo* info = nullptr;
    if (curl_easy_getinfo(probe, CURLINFO_CERTINFO, &info) == CURLE_OK && info && info->num_of_certs > 0) {
        for (curl_slist* item = info->certinfo[0]; item; item = item->next) {
            const QByteArray field(item->data);
            if (!field.startsWith("Cert:"))
                continue;
            const QSslCertificate certificate(field.mid(5), QSsl::Pem);
            fingerprint = FingerprintOf(certificate.publicKey().toDer());
        }
    }
    curl_easy_cleanup(probe);
    return fingerprint;
}

void FtpWorker::connectTo(const FtpSettings& settings)
{
    m_abort->store(false);
    closeSession();
    m_settings = settings;
    m_fingerprint.clear();
    curl_slist_free_all(m_resolve);
    m_resolve = nullptr;
    if (settings.resolved) {
        if (settings.addresses.isEmpty()) {
            Q_EMIT connected(CURLE_COULDNT_RESOLVE_HOST, errorText(CURLE_COULDNT_RESOLVE_HOST), {}, {});
            return;
        }
        const QString entry =
            settings.host + ':' + QString::number(settings.port) + ':' + settings.addresses.join(',');
        m_resolve = curl_slist_append(nullptr, entry.toUtf8().constData());
    }
    applyBase();
    curl_easy_setopt(m_curl, CURLOPT_URL, (baseUrl() + (isSftp() ? "/~/" : "/")).toUtf8().constData());
    curl_easy_setopt(m_curl, CURLOPT_NOBODY, 1L);
    int code = perform();
    if (isTls() && (code == CURLE_PEER_FAILED_VERIFICATION || code == CURLE_SSL_PINNEDPUBKEYNOTMATCH)) {
        m_fingerprint = probeCertificate();
        code = CURLE_PEER_FAILED_VERIFICATION;
    }
    if (isSftp() && !m_fingerprint.isEmpty())
        code = CURLE_PEER_FAILED_VERIFICATION;
    QString entryPath;
    if (code == CURLE_OK) {
        char* path = nullptr;
        curl_easy_getinfo(m_curl, CURLINFO_FTP_ENTRY_PATH, &path);
        entryPath = path ? QString::fromUtf8(path) : QStringLiteral("/");
        if (!entryPath.startsWith('/'))
            entryPath.prepend('/');
    }
    Q_EMIT connected(code, code == CURLE_OK ? QString() : errorText(code), entryPath, m_fingerprint);
}

void FtpWorker::disconnectNow()
{
    closeSession();
    m_abort->store(false);
    Q_EMIT disconnected();
}

void FtpWorker::list(const QString& folder)
{
    QByteArray listing;
    applyBase();
    curl_easy_setopt(m_curl, CURLOPT_URL, folderUrl(folder).toUtf8().constData());
    curl_easy_setopt(m_curl, CURLOPT_WRITEFUNCTION, writeCallback);
    curl_easy_setopt(m_curl, CURLOPT_WRITEDATA, &listing);
    const int code = perform();
    Q_EMIT listed(code, code == CURLE_OK ? QString() : errorText(code), folder,
                  code == CURLE_OK ? QString::fromUtf8(listing) : QString());
}

QStringList FtpWorker::renameCommands(const QString& folder, const QString& from, const QString& to) const
{
    const QString source = JoinRemotePath(folder, from);
    const QString target = JoinRemotePath(folder, to);
    if (isSftp())
        return {"rename " + quoted(source) + ' ' + quoted(target)};
    return {"RNFR " + source, "RNTO " + target};
}

QStringList FtpWorker::deleteCommands(const QString& folder, const QString& name) const
{
    const QString path = JoinRemotePath(folder, name);
    return {isSftp() ? "rm " + quoted(path) : "DELE " + path};
}

int FtpWorker::runQuote(const QString& folder, const QStringList& commands)
{
    const SList list(commands);
    applyBase();
    curl_easy_setopt(m_curl, CURLOPT_URL, folderUrl(folder).toUtf8().constData());
    curl_easy_setopt(m_curl, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(m_curl, CURLOPT_POSTQUOTE, list.list);
    return perform();
}

void FtpWorker::put(const QString& localPath, const QString& remoteName, const QString& folder)
{
    QFile file(localPath);
    if (!file.open(QIODevice::ReadOnly)) {
        Q_EMIT done(CURLE_READ_ERROR, "Cannot read " + localPath + ": " + file.errorString(), false);
        return;
    }
    const QString temporary = '.' + remoteName + ".part";
    const SList rename(renameCommands(folder, temporary, remoteName));
    applyBase();
    curl_easy_setopt(m_curl, CURLOPT_URL,
                     (folderUrl(folder) + QUrl::toPercentEncoding(temporary)).toUtf8().constData());
    curl_easy_setopt(m_curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(m_curl, CURLOPT_READFUNCTION, readCallback);
    curl_easy_setopt(m_curl, CURLOPT_READDATA, &file);
    curl_easy_setopt(m_curl, CURLOPT_INFILESIZE_LARGE, curl_off_t(file.size()));
    curl_easy_setopt(m_curl, CURLOPT_POSTQUOTE, rename.list);
    int code = perform();
    QString text = code == CURLE_OK ? QString() : errorText(code);
    if (code == CURLE_QUOTE_ERROR) {
        // The file arrived but the server will not rename over the old one.
        code = runQuote(folder,
                        deleteCommands(folder, remoteName) + renameCommands(folder, temporary, remoteName));
        text = code == CURLE_OK ? QString() : errorText(code);
    } else if (code != CURLE_OK && !connectionLost(code)) {
        runQuote(folder, deleteCommands(folder, temporary));
    }
    Q_EMIT done(code, text, connectionLost(code));
}
