#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class FtpComponent;
class ServerProfileData;

// The e-mail style password anonymous logins send.
inline const char* const AnonymousPassword = "tickerine@example.com";
inline const char* const SiteNotFoundMessage =
    "Site not found. Make sure you are connected to the internet and your hostname is spelled correctly.";
inline const char* const LoginErrorMessage =
    "Login Error: The Username and/or Password supplied are incorrect.\n\r"
    "Please check your server settings and try again.";

// The host name without leading and trailing blanks and control characters.
QString cleanHostName(const QString& host);

// Sets the component up for a profile: host, credentials (anonymous, or the trimmed user
// name and password only when both are given), protocol, port and passive mode.
void applyProfile(FtpComponent& ftp, const QString& host, const QString& user, const QString& password,
                  int port, const ServerProfileData& profile);

// A command as the log shows it: any command starting with "PASS" hides what follows.
QString commandLogText(const QString& command);

// Puts a list of local files into the component's current remote folder, one after the
// other, each once the previous one is done. A file that fails does not stop the run.
class UploadRun : public QObject {
    Q_OBJECT
public:
    explicit UploadRun(FtpComponent& ftp, QObject* parent = nullptr);

    // Starts uploading (false, and nothing happens, while a run is going already).
    bool start(const QStringList& localPaths);
    bool running() const { return m_running; }
    QStringList failedFiles() const { return m_failed; }

Q_SIGNALS:
    void fileStarted(const QString& localPath);
    void fileFinished(const QString& localPath, int errorCode, const QString& errorText);
    // Bytes of the current file and of the whole set.
    void progress(qint64 fileDone, qint64 fileTotal, qint64 setDone, qint64 setTotal);
    void finished(int failures);

private:
    void next();
    void handleDone(int code, const QString& text);
    void handleProgress(qint64 done, qint64 total);

    FtpComponent& m_ftp;
    QStringList m_paths;
    QStringList m_failed;
    int m_index = -1;
    bool m_running = false;
    qint64 m_setTotal = 0;
    qint64 m_setDoneBefore = 0;
    qint64 m_fileSize = 0;
};
