#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

// An HTTP client that runs one GET at a time in the background and reports its end on the
// thread that owns it. A response counts as completed only when the whole body arrived;
// everything else (no connection, a transfer cut short or stalled, a body over the size
// limit, an HTTP error status) is reported as failed.
class HttpGet : public QObject {
    Q_OBJECT
public:
    explicit HttpGet(QObject* parent = nullptr);
    ~HttpGet() override;

    // Only http and https addresses are fetched.
    // Returns false, and changes nothing, while a transfer runs or when the address is not
    // http or https.
    bool Get(const QUrl& url);
    bool isBusy() const { return !m_reply.isNull(); }
    // Ends a running transfer without an event.
    void abort();

    // Header values sent with every request.
    void setAccept(const QString& accept) { m_accept = accept; }
    void setUserAgent(const QString& userAgent) { m_userAgent = userAgent; }
    // A transfer that receives nothing for this long fails (milliseconds).
    void setStallTimeout(int ms) { m_stallTimeout = ms; }
    // A transfer that has not ended this long after it began fails (milliseconds).
    void setTotalTimeout(int ms) { m_totalTimeout = ms; }
    void setMaxBodySize(qint64 bytes) { m_maxBodySize = bytes; }

Q_SIGNALS:
    void completed(int status, const QByteArray& body);
    void failed(const QString& reason, int status);

private:
    void onReadyRead();
    void onFinished();
    void onDeadline();
    void finishWithFailure(const QString& reason, int status);
    void release();

    QNetworkAccessManager* m_network;
    QTimer* m_deadline;
    QPointer<QNetworkReply> m_reply;
    QString m_accept = QStringLiteral("*/*");
    QString m_userAgent;
    int m_stallTimeout = 30000;
    int m_totalTimeout = 120000;
    qint64 m_maxBodySize = 32 * 1024 * 1024;
};
