#include "publish/TwFTP.h"

#include "platform/FtpComponent.h"
#include "platform/UserStore.h"
#include "platform/gui/Dialogs.h"
#include "publish/RemoteFolderView.h"
#include "publish/core/FtpSession.h"
#include "publish/core/TrustStore.h"
#include "ticker/Fmovie.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

const QColor LogBlue(0, 0, 255);
const QColor LogBlack(0, 0, 0);
const QColor LogGreen(0, 128, 0);
const QColor LogRed(192, 0, 0);

int permille(qint64 done, qint64 total)
{
    return total <= 0 ? 0 : int(done * 1000 / total);
}

} // namespace

TwFTP::TwFTP(Fmovie* ticker, QWidget* parent) : QWidget(parent, Qt::Window), m_ticker(ticker)
{
    setObjectName("ftpWindow");
    setWindowTitle("Remote Server");
    setMinimumSize(400, 300);
    resize(560, 420);
    m_ftp = new FtpComponent(this);
    m_run = new UploadRun(*m_ftp, this);
    buildControls();
    connectComponent();
    // Created hidden: the Sites window shows it when the user connects.
    hide();
}

TwFTP::~TwFTP() = default;

void TwFTP::buildControls()
{
    m_remotePath = new QLabel("Remote Path:", this);
    m_remotePath->setObjectName("remotePathLabel");
    m_pages = new QTabWidget(this);
    m_view = new RemoteFolderView(m_pages);
    m_log = new QTextEdit(m_pages);
    m_log->setObjectName("logTextEdit");
    m_log->setReadOnly(true);
    m_log->setLineWrapMode(QTextEdit::NoWrap);
    m_pages->addTab(m_view, "Server Directory");
    m_pages->addTab(m_log, "Log");
    m_status = new QLabel("Status:", this);
    m_status->setObjectName("statusLabel");
    m_fileProgress = new QProgressBar(this);
    m_fileProgress->setObjectName("fileProgressBar");
    m_setProgress = new QProgressBar(this);
    m_setProgress->setObjectName("setProgressBar");
    for (QProgressBar* bar : {m_fileProgress, m_setProgress}) {
        bar->setRange(0, 1000);
        bar->setValue(0);
        bar->setTextVisible(false);
    }
    m_upload = new QPushButton("Upload Files Here", this);
    m_upload->setObjectName("uploadButton");
    m_close = new QPushButton("Close", this);
    m_close->setObjectName("closeButton");
    auto* bars = new QVBoxLayout;
    bars->addWidget(m_fileProgress);
    bars->addWidget(m_setProgress);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_status, 1);
    bottom->addWidget(m_upload);
    bottom->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_remotePath);
    layout->addWidget(m_pages, 1);
    layout->addLayout(bars);
    layout->addLayout(bottom);
    connect(m_upload, &QPushButton::clicked, this, &TwFTP::btnUploadClick);
    connect(m_close, &QPushButton::clicked, this, &TwFTP::btnCloseClick);
    connect(m_view, &RemoteFolderView::openFolder, m_ftp, &FtpComponent::ListDir);
}

void TwFTP::connectComponent()
{
    connect(m_ftp, &FtpComponent::OnConnected, this, &TwFTP::OnConnected);
    connect(m_ftp, &FtpComponent::OnDisconnected, this, [this] { setStatus("Disconnected"); });
    connect(m_ftp, &FtpComponent::OnListItems, this, &TwFTP::OnListItems);
    connect(m_ftp, &FtpComponent::OnDone, this, [this] { addLog(QString()); });
    connect(m_ftp, &FtpComponent::OnFTPReply, this,
            [this](const QString&, quint16 code, const QString& text) { OnFTPReply(code, text); });
    connect(m_ftp, &FtpComponent::OnPreTranslateCommand, this,
            [this](const QString& command) { addLog(commandLogText(command), LogBlue); });
    connect(m_run, &UploadRun::fileStarted, this, &TwFTP::uploadFileStarted);
    connect(m_run, &UploadRun::fileFinished, this, &TwFTP::uploadFileFinished);
    connect(m_run, &UploadRun::finished, this, &TwFTP::uploadRunFinished);
    connect(m_run, &UploadRun::progress, this, &TwFTP::showProgress);
}

void TwFTP::addLog(const QString& line, const QColor& color)
{
    QTextCursor cursor(m_log->document());
    cursor.movePosition(QTextCursor::End);
    if (!m_log->document()->isEmpty())
        cursor.insertBlock();
    QTextCharFormat format;
    format.setForeground(color.isValid() ? color : LogBlack);
    cursor.insertText(line, format);
}

QString TwFTP::logText() const
{
    return m_log->toPlainText();
}

void TwFTP::setStatus(const QString& text)
{
    m_status->setText(text);
}

bool TwFTP::uploading() const
{
    return m_run->running();
}

bool TwFTP::connectToProfile(const QString& host, const QString& user, const QString& password, int port,
                             const ServerProfileData& profile)
{
    m_profile = profile;
    m_host = host;
    m_user = user;
    m_password = password;
    m_port = port;
    initialRemoteFolder = profile.HostDirName;
    if (m_ftp->State() != FtpComponent::Disconnected)
        m_ftp->Disconnect();
    setStatus("Connecting to " + host);
    connectedProfileName = profile.ItemName;
    m_log->clear();
    const QLocale locale;
    const QDateTime now = QDateTime::currentDateTime();
    addLog("Connecting to " + host + QString(9, ' ') + locale.toString(now.date(), QLocale::ShortFormat) +
           ' ' + locale.toString(now.time(), QLocale::LongFormat));
    applyProfile(*m_ftp, host, user, password, port, profile);
    m_ftp->setTrustedFingerprints(trustedFingerprints(UserStore::instance(), m_ftp->Hostname(), port));
    m_ftp->Connect();
    return true;
}

// A server whose certificate or key is not trusted yet: the user sees its fingerprint and
// decides; a trusted one is remembered for this host and port.
bool TwFTP::askToTrust()
{
    const QString fingerprint = m_ftp->PeerFingerprint();
    if (fingerprint.isEmpty())
        return false;
    const QString question =
        "The server " + m_ftp->Hostname() +
        " identified itself with a certificate or key that is not trusted yet:\n\n" + fingerprint +
        "\n\nTrust it only if this is the fingerprint your hosting provider gave you. Trust "
        "this server and connect?";
    if (Dialogs::question(this, "Untrusted Server", question, QMessageBox::Yes | QMessageBox::No,
                          QMessageBox::No) != QMessageBox::Yes)
        return false;
    trustFingerprint(UserStore::instance(), m_ftp->Hostname(), m_port, fingerprint);
    return true;
}

void TwFTP::OnConnected(int code, const QString& text)
{
    Q_UNUSED(text);
    if (code == FtpComponent::NoError) {
        setWindowTitle("Remote Server - " + m_profile.ItemName);
        setStatus("Connected");
        addLog("Connected.");
        // The folder view always shows where the connection is.
        m_ftp->ListDir(initialRemoteFolder.isEmpty() ? m_ftp->RemotePath() : initialRemoteFolder);
        return;
    }
    m_ftp->Disconnect();
    setStatus("Error Connecting");
    const QString error = m_ftp->GetErrorText(m_ftp->LastError());
    addLog(error);
    if (code == FtpComponent::UntrustedPeerError) {
        addLog("Server fingerprint: " + m_ftp->PeerFingerprint());
        if (askToTrust())
            connectToProfile(m_host, m_user, m_password, m_port, m_profile);
        return;
    }
    if (error == QLatin1String("Host not found."))
        Dialogs::information(this, "Remote Server", SiteNotFoundMessage);
}

void TwFTP::OnListItems()
{
    m_remotePath->setText("Remote Path: " + m_ftp->RemotePath());
    m_view->showFolder(m_ftp->RemotePath(), m_ftp->Items());
}

void TwFTP::OnFTPReply(quint16 code, const QString& text)
{
    addLog(text, LogBlack);
    if (code == 530)
        Dialogs::information(this, "Remote Server", LoginErrorMessage);
}

void TwFTP::btnUploadClick()
{
    if (!m_ticker || m_run->running())
        return;
    if (m_ftp->State() != FtpComponent::Connected) {
        // Nothing can arrive, so nothing is recorded as published.
        setStatus("Not connected: nothing was uploaded.");
        return;
    }
    const QStringList files = m_ticker->UploadFileList();
    m_fileCount = int(files.size());
    m_upload->setEnabled(false);
    m_view->setEnabled(false);
    m_run->start(files);
}

void TwFTP::uploadFileStarted(const QString& localPath)
{
    setStatus("Uploading " + localPath + "...");
    addLog("UPLOADING: " + localPath, LogGreen);
}

void TwFTP::uploadFileFinished(const QString& localPath, int code, const QString& text)
{
    if (code != 0)
        addLog("FAILED: " + localPath + ": " + text, LogRed);
}

void TwFTP::showProgress(qint64 fileDone, qint64 fileTotal, qint64 setDone, qint64 setTotal)
{
    m_fileProgress->setValue(permille(fileDone, fileTotal));
    m_setProgress->setValue(permille(setDone, setTotal));
}

void TwFTP::uploadRunFinished(int failures)
{
    m_upload->setEnabled(true);
    m_view->setEnabled(true);
    m_ftp->Refresh();
    if (failures > 0) {
        // The previous versions stay on the server; the settings file keeps its old target.
        setStatus(QString("Upload failed: %1 of %2 files did not arrive.").arg(failures).arg(m_fileCount));
        return;
    }
    if (m_ticker) {
        m_ticker->RemoteFolder = m_ftp->RemotePath();
        m_ticker->SiteName = connectedProfileName;
        try {
            m_ticker->SaveXMLFile(QString(), QString());
        } catch (const TickerineError& error) {
            addLog(error.message(), LogRed);
            setStatus(error.message());
            return;
        }
    }
    setStatus("Done.");
    btnCloseClick();
}

void TwFTP::btnCloseClick()
{
    m_ftp->Disconnect();
    close();
}

void TwFTP::closeEvent(QCloseEvent* event)
{
    m_ftp->Disconnect();
    QWidget::closeEvent(event);
}
