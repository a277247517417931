#include "app/PreviewScheme.h"

#include "platform/XmlDocument.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QUrlQuery>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

namespace preview {

void RegisterScheme()
{
    QWebEngineUrlScheme scheme(Scheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::LocalScheme |
                    QWebEngineUrlScheme::LocalAccessAllowed | QWebEngineUrlScheme::CorsEnabled);
    QWebEngineUrlScheme::registerScheme(scheme);
}

QUrl PageUrl(const QString& fileName)
{
    QUrl url;
    url.setScheme(Scheme);
    url.setHost(Host);
    url.setPath("/" + fileName);
    return url;
}

QString ResolveFile(const QString& folder, const QString& requestPath)
{
    QString name = requestPath;
    if (name.startsWith('/'))
        name.remove(0, 1);
    if (name.isEmpty() || name.contains('/') || name.contains('\\') || name == "." || name == "..")
        return {};
    const QFileInfo info(QDir(folder).filePath(name));
    if (!info.isFile() ||
        QFileInfo(info.absolutePath()).canonicalFilePath() != QFileInfo(folder).canonicalFilePath())
        return {};
    return info.absoluteFilePath();
}

QString FeedAddress(const QString& settingsPath, int number)
{
    if (number < 1)
        return {};
    try {
        const XmlDocument doc = XmlDocument::loadFile(settingsPath);
        return doc.documentElement().attribute("newsurl" + QString::number(number));
    } catch (const TickerineError&) {
        return {};
    }
}

QByteArray MimeType(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    static const QHash<QString, QByteArray> types = {
        {"html", "text/html"},  {"htm", "text/html"}, {"js", "text/javascript"},
        {"css", "text/css"},    {"xml", "text/xml"},  {"txt", "text/xml"},
        {"png", "image/png"},   {"gif", "image/gif"}, {"jpg", "image/jpeg"},
        {"jpeg", "image/jpeg"}, {"bmp", "image/bmp"}, {"swf", "application/x-shockwave-flash"},
        {"php", "text/xml"}};
    return types.value(suffix, "application/octet-stream");
}

SchemeHandler::SchemeHandler(const QString& folder, QObject* parent)
    : QWebEngineUrlSchemeHandler(parent), m_folder(folder), m_network(new QNetworkAccessManager(this))
{}

void SchemeHandler::requestStarted(QWebEngineUrlRequestJob* job)
{
    const QUrl url = job->requestUrl();
    const QString name = url.path().mid(1);
    // The player fetches absolute feeds through its loader ("<name>.php?feed=N"); the
    // preview answers that itself instead of running PHP.
    if (name.endsWith(".php", Qt::CaseInsensitive) && QUrlQuery(url).hasQueryItem("feed")) {
        serveFeed(job, QUrlQuery(url).queryItemValue("feed").toInt());
        return;
    }
    const QString path = ResolveFile(m_folder, url.path());
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    auto* buffer = new QBuffer(job);
    buffer->setData(file.readAll());
    job->reply(MimeType(path), buffer);
}

void SchemeHandler::serveFeed(QWebEngineUrlRequestJob* job, int number)
{
    const QString settings = ResolveFile(m_folder, "temp.xml");
    const QUrl address(FeedAddress(settings, number));
    if (address.scheme() != "http" && address.scheme() != "https") {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    fetch(job, address);
}

void SchemeHandler::fetch(QWebEngineUrlRequestJob* job, const QUrl& address)
{
    QNetworkRequest request(address);
    request.setTransferTimeout(FeedTimeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = m_network->get(request);
    QPointer<QWebEngineUrlRequestJob> guard(job);
    connect(job, &QObject::destroyed, reply, &QNetworkReply::abort);
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
        if (received > MaxFeedBytes)
            reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [reply, guard] {
        reply->deleteLater();
        if (!guard)
            return;
        if (reply->error() != QNetworkReply::NoError) {
            guard->fail(QWebEngineUrlRequestJob::RequestFailed);
            return;
        }
        auto* buffer = new QBuffer(guard);
        buffer->setData(reply->readAll().left(MaxFeedBytes));
        guard->reply("text/xml", buffer);
    });
}

} // namespace preview
