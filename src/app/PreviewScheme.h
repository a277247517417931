#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QUrl>
#include <QWebEngineUrlSchemeHandler>

class QNetworkAccessManager;
class QNetworkReply;
class QWebEngineProfile;
class QWebEngineUrlRequestJob;

// The preview set in the temporary folder is served to the embedded browser through a
// scheme of its own, so the player's XMLHttpRequests for its settings and feeds are
// same-origin requests. Only files lying directly in that folder are served.
namespace preview {

inline const char* const Scheme = "tickerine";
inline const char* const Host = "preview";
// Largest feed the preview fetches for the player, and how long it waits for it.
constexpr qint64 MaxFeedBytes = 4 * 1024 * 1024;
constexpr int FeedTimeoutMs = 15000;

// Registers the scheme; must run before the application object exists.
void RegisterScheme();
// The page address of a file of the preview set.
QUrl PageUrl(const QString& fileName);

// The file of folder that a request path names: a plain file name directly inside the
// folder, else empty (sub-folders, "..", separators and missing files are refused).
QString ResolveFile(const QString& folder, const QString& requestPath);
// The Nth feed address (newsurlN) of a settings file, or empty.
QString FeedAddress(const QString& settingsPath, int number);
QByteArray MimeType(const QString& fileName);

class SchemeHandler : public QWebEngineUrlSchemeHandler {
    Q_OBJECT
public:
    SchemeHandler(const QString& folder, QObject* parent = nullptr);
    void requestStarted(QWebEngineUrlRequestJob* job) override;

private:
    void serveFeed(QWebEngineUrlRequestJob* job, int number);
    void fetch(QWebEngineUrlRequestJob* job, const QUrl& address);

    QString m_folder;
    QNetworkAccessManager* m_network = nullptr;
};

} // namespace preview
