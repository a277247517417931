#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

class HttpGet;

// Fetches the newest shipped catalogue from the maker's server in the background and puts it
// in place of the local copy. The local file is replaced, in one step, only by a complete
// response (status 200 or 206) whose body is a well-formed catalogue with at least one
// channel; anything else leaves it untouched and reports failed.
class CatalogueDownload : public QObject {
    Q_OBJECT
public:
    explicit CatalogueDownload(QObject* parent = nullptr);

    // The address to fetch; the maker's catalogue address unless set.
    void setUrl(const QUrl& url) { m_url = url; }
    QUrl url() const { return m_url; }
    // The file to replace; the program folder's catalogue unless set.
    void setTargetPath(const QString& path) { m_targetPath = path; }
    QString targetPath() const;

    // Starts a download; false, and nothing happens, while one is running.
    bool Start();
    bool isRunning() const;
    HttpGet& http() { return *m_http; }

Q_SIGNALS:
    // The catalogue file has been replaced.
    void succeeded();
    // Nothing was changed; reason says why, for diagnostics.
    void failed(const QString& reason);

private:
    void onCompleted(int status, const QByteArray& body);

    HttpGet* m_http;
    QUrl m_url;
    QString m_targetPath;
};
