#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace testsupport {

// A test server on 127.0.0.1 (tools/servers/*.py under /usr/bin/python3) over a temporary
// folder, started on a free port and stopped when the object goes.
class TestFtpServer {
public:
    enum Kind { Ftp, FtpsExplicit, FtpsImplicit, Sftp };
    struct Options {
        Kind kind = Ftp;
        QString user = "user";
        QString password = "secret";
        bool noOverwriteRename = false; // renaming onto an existing file fails
        int readLimit = 0;              // upload bytes per second, 0 for no limit
    };

    explicit TestFtpServer(Options options);
    TestFtpServer() : TestFtpServer(Options{}) {}
    ~TestFtpServer();
    TestFtpServer(const TestFtpServer&) = delete;
    TestFtpServer& operator=(const TestFtpServer&) = delete;

    // Starts the server and waits until it listens; false (with the reason in error()) when not.
    bool start();
    // Kills the server at once, as a crash or a pulled cable would.
    void stop();
    bool running() const;

    int port() const { return m_port; }
    // The folder the server shows as "/".
    QString root() const;
    // "SHA256:..." of the certificate's or host key's public key, as the FTP layer shows it.
    QString fingerprint() const { return m_fingerprint; }
    QString error() const { return m_error; }
    // The component's protocol code for this server.
    int protocol() const;

private:
    bool makeCertificate();

    Options m_options;
    QTemporaryDir m_dir;
    std::unique_ptr<QProcess> m_process;
    int m_port = 0;
    QString m_fingerprint;
    QString m_error;
};

} // namespace testsupport
