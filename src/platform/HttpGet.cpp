#include "platform/HttpGet.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace {

int StatusOf(const QNetworkReply* reply)
{
    return reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
}

} // namespace

HttpGet::HttpGet(QObject* parent)
    : QObject(parent), m_network(new QNetworkAccessManager(this)), m_deadline(new QTimer(this))
{
    m_deadline->setSingleShot(true);
    connect(m_deadline, &QTimer::timeout, this, &HttpGet::onDeadline);
}

HttpGet::~HttpGet()
{
    abort();
}

bool HttpGet::Get(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    if (isBusy() || !url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return false;
    QNetworkRequest request(url);
    request.setRawHeader("Accept", m_accept.toUtf8());
    if (!m_userAgent.isEmpty())
        request.setHeader(QNetworkRequest::UserAgentHeader, m_userAgent);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(5);
    request.setTransferTimeout(m_stallTimeout);
    m_reply = m_network->get(request);
    connect(m_reply, &QNetworkReply::readyRead, this, &HttpGet::onReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &HttpGet::onFinished);
    m_deadline->start(m_totalTimeout);
    return true;
}

void HttpGet::abort()
{
    if (!m_reply)
        return;
    QNetworkReply* reply = m_reply;
    release();
    reply->abort();
}

void HttpGet::onReadyRead()
{
    if (m_reply && m_reply->bytesAvailable() > m_maxBodySize)
        finishWithFailure(QStringLiteral("The response is larger than %1 bytes").arg(m_maxBodySize),
                          StatusOf(m_reply));
}

void HttpGet::onFinished()
{
    if (!m_reply)
        return;
    QNetworkReply* reply = m_reply;
    const int status = StatusOf(reply);
    if (reply->error() != QNetworkReply::NoError) {
        finishWithFailure(reply->errorString(), status);
        return;
    }
    const QByteArray body = reply->readAll();
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    // A compressed body is unpacked on the way, so its length no longer matches the header.
    const bool packed = reply->hasRawHeader("Content-Encoding");
    if (!packed && length.isValid() && length.toLongLong() != body.size()) {
        finishWithFailure(QStringLiteral("The transfer ended before the whole body arrived"), status);
        return;
    }
    release();
    Q_EMIT completed(status, body);
}

void HttpGet::onDeadline()
{
    if (m_reply)
        finishWithFailure(QStringLiteral("The transfer took too long"), StatusOf(m_reply));
}

void HttpGet::finishWithFailure(const QString& reason, int status)
{
    abort();
    Q_EMIT failed(reason, status);
}

void HttpGet::release()
{
    m_deadline->stop();
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->deleteLater();
    }
    m_reply.clear();
}
