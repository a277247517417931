#include "support/FtpServers.h"

#include "support/TestPaths.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QSslCertificate>
#include <QSslKey>

namespace testsupport {

TestFtpServer::TestFtpServer(Options options) : m_options(std::move(options))
{
    QDir(m_dir.path()).mkpath("root");
}

TestFtpServer::~TestFtpServer()
{
    stop();
}

QString TestFtpServer::root() const
{
    return m_dir.path() + "/root";
}

int TestFtpServer::protocol() const
{
    switch (m_options.kind) {
    case Ftp:
        return 0;
    case Sftp:
        return 1;
    case FtpsExplicit:
        return 3;
    case FtpsImplicit:
        return 4;
    }
    return 0;
}

bool TestFtpServer::makeCertificate()
{
    QProcess openssl;
    openssl.start("openssl",
                  {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj", "/CN=localhost",
                   "-keyout", m_dir.path() + "/key.pem", "-out", m_dir.path() + "/cert.pem"});
    if (!openssl.waitForFinished(60000) || openssl.exitCode() != 0) {
        m_error = "openssl: " + QString::fromLocal8Bit(openssl.readAllStandardError());
        return false;
    }
    const auto certificates = QSslCertificate::fromPath(m_dir.path() + "/cert.pem");
    if (certificates.isEmpty())
        return false;
    const QByteArray digest =
        QCryptographicHash::hash(certificates.first().publicKey().toDer(), QCryptographicHash::Sha256);
    m_fingerprint = "SHA256:" + QString::fromLatin1(digest.toBase64(QByteArray::OmitTrailingEquals));
    return true;
}

bool TestFtpServer::start()
{
    const QString servers = sourceDir() + "/tools/servers/";
    QStringList args;
    if (m_options.kind == Sftp) {
        args << servers + "sftp_server.py"
             << "--key" << m_dir.path() + "/host.key";
    } else {
        args << servers + "ftp_server.py";
        if (m_options.kind != Ftp) {
            if (!makeCertificate())
                return false;
            args << "--tls" << (m_options.kind == FtpsImplicit ? "implicit" : "explicit") << "--cert"
                 << m_dir.path() + "/cert.pem"
                 << "--key" << m_dir.path() + "/key.pem";
        }
        if (m_options.noOverwriteRename)
            args << "--no-overwrite-rename";
        if (m_options.readLimit > 0)
            args << "--read-limit" << QString::number(m_options.readLimit);
    }
    args << "--root" << root() << "--user" << m_options.user << "--password" << m_options.password;
    m_process = std::make_unique<QProcess>();
    m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process->start("/usr/bin/python3", args);
    QDeadlineTimer deadline(30000);
    while (!m_process->canReadLine() && !deadline.hasExpired() && m_process->state() != QProcess::NotRunning)
        m_process->waitForReadyRead(200);
    const QStringList words = QString::fromLatin1(m_process->readLine()).trimmed().split(' ');
    if (words.size() < 2 || words[0] != "LISTENING") {
        m_error = "the test server did not start";
        stop();
        return false;
    }
    m_port = words[1].toInt();
    if (words.size() > 2)
        m_fingerprint = words[2];
    return true;
}

void TestFtpServer::stop()
{
    if (!m_process)
        return;
    m_process->kill();
    m_process->waitForFinished(5000);
    m_process.reset();
}

bool TestFtpServer::running() const
{
    return m_process && m_process->state() == QProcess::Running;
}

} // namespace testsupport
