#pragma once

#include "publish/core/ServerProfileStore.h"

#include <QPointer>
#include <QWidget>

class Fmovie;
class FtpComponent;
class QLabel;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTextEdit;
class RemoteFolderView;
class UploadRun;

// "Remote Server": connects to one server profile, shows the remote folder and the log of
// the conversation, and uploads the ticker's files into the folder shown.
class TwFTP : public QWidget {
    Q_OBJECT
public:
    explicit TwFTP(Fmovie* ticker, QWidget* parent = nullptr);
    ~TwFTP() override;

    // Starts connecting; the outcome arrives through the component's events. True when the
    // connect was asked for.
    bool connectToProfile(const QString& host, const QString& user, const QString& password, int port,
                          const ServerProfileData& profile);
    void btnUploadClick();
    void btnCloseClick();

    FtpComponent& Component() const { return *m_ftp; }
    bool uploading() const;
    QString logText() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void connectComponent();
    void addLog(const QString& line, const QColor& color = QColor());
    void setStatus(const QString& text);
    void OnConnected(int code, const QString& text);
    void OnListItems();
    void OnFTPReply(quint16 code, const QString& text);
    bool askToTrust();
    void uploadFileStarted(const QString& localPath);
    void uploadFileFinished(const QString& localPath, int code, const QString& text);
    void uploadRunFinished(int failures);
    void showProgress(qint64 fileDone, qint64 fileTotal, qint64 setDone, qint64 setTotal);

    QPointer<Fmovie> m_ticker;
    FtpComponent* m_ftp = nullptr;
    UploadRun* m_run = nullptr;
    ServerProfileData m_profile;
    QString m_host;
    QString m_user;
    QString m_password;
    int m_port = 0;
    QString initialRemoteFolder;
    QString connectedProfileName;
    int m_fileCount = 0;

    QLabel* m_remotePath = nullptr;
    QTabWidget* m_pages = nullptr;
    RemoteFolderView* m_view = nullptr;
    QTextEdit* m_log = nullptr;
    QLabel* m_status = nullptr;
    QProgressBar* m_fileProgress = nullptr;
    QProgressBar* m_setProgress = nullptr;
    QPushButton* m_upload = nullptr;
    QPushButton* m_close = nullptr;
};
