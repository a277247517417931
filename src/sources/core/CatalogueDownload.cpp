#include "sources/core/CatalogueDownload.h"
#include "platform/SafeWrite.h"

#include "app/helpers/AppState.h"
#include "platform/Errors.h"
#include "platform/HttpGet.h"
#include "sources/core/Catalogue.h"

CatalogueDownload::CatalogueDownload(QObject* parent)
    : QObject(parent), m_http(new HttpGet(this)), m_url(QString::fromLatin1(product::CatalogueUrl))
{
    m_http->setAccept(QStringLiteral("*/*"));
    m_http->setUserAgent(QStringLiteral("[-=WinHTTP demo=-]"));
    connect(m_http, &HttpGet::completed, this, &CatalogueDownload::onCompleted);
    connect(m_http, &HttpGet::failed, this, [this](const QString& reason) { Q_EMIT failed(reason); });
}

QString CatalogueDownload::targetPath() const
{
    return m_targetPath.isEmpty() ? Folders().ProgramFolder + catalogue::FileName : m_targetPath;
}

bool CatalogueDownload::Start()
{
    return m_http->Get(m_url);
}

bool CatalogueDownload::isRunning() const
{
    return m_http->isBusy();
}

void CatalogueDownload::onCompleted(int status, const QByteArray& body)
{
    if (status != 200 && status != 206) {
        Q_EMIT failed(QStringLiteral("HTTP status %1").arg(status));
        return;
    }
    if (!IsUsableCatalogue(body)) {
        Q_EMIT failed(QStringLiteral("The response is not a news source catalogue"));
        return;
    }
    try {
        WriteFileAtomically(targetPath(), body);
    } catch (const IoError& error) {
        Q_EMIT failed(error.message());
        return;
    }
    Q_EMIT succeeded();
}
