#include "PublishFixture.h"

#include "platform/FtpComponent.h"
#include "publish/RemoteFolderView.h"
#include "publish/TwFTP.h"
#include "publish/core/FtpSession.h"
#include "publish/core/TrustStore.h"
#include "support/FtpServers.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

using testsupport::TestFtpServer;

namespace {

class FtpWindow : public PublishFixture {
protected:
    ServerProfileData profileFor(const TestFtpServer& server, const QString& folder = "www")
    {
        ServerProfileData p;
        p.ItemName = "My Site";
        p.HostName = " 127.0.0.1\t";
        p.Username = "user";
        p.Password = "secret";
        p.Port = server.port();
        p.Protocol = server.protocol();
        p.HostDirName = folder;
        p.PassiveMode = true;
        return p;
    }
    void connect(TwFTP& window, const ServerProfileData& p)
    {
        window.show();
        window.connectToProfile(p.HostName, p.Username, p.Password, p.Port, p);
    }
    QString status(TwFTP& window) { return window.findChild<QLabel*>("statusLabel")->text(); }
    QPushButton* uploadButton(TwFTP& window) { return window.findChild<QPushButton*>("uploadButton"); }
};

} // namespace

// The whole road for FTP and SFTP: connect, list the profile's folder, upload the set (a
// second click meanwhile starts nothing), record where it went, close.
TEST_F(FtpWindow, UploadsTheSetAndRecordsWhereItWent)
{
    for (auto kind : {TestFtpServer::Ftp, TestFtpServer::Sftp}) {
        TestFtpServer server(TestFtpServer::Options{kind});
        ASSERT_TRUE(server.start()) << server.error().toStdString();
        QDir(server.root()).mkdir("www");
        testsupport::writeFile(server.root() + "/www/news.html", "the old page");
        trustFingerprint(UserStore::instance(), "127.0.0.1", server.port(), server.fingerprint());

        TwFTP window(ticker.get());
        connect(window, profileFor(server));
        auto* label = window.findChild<QLabel*>("remotePathLabel");
        QTRY_COMPARE_WITH_TIMEOUT(label->text(), QString("Remote Path: /www"), 20000);
        EXPECT_EQ(status(window), "Connected");
        EXPECT_EQ(window.windowTitle(), "Remote Server - My Site");

        QTest::mouseClick(uploadButton(window), Qt::LeftButton);
        EXPECT_TRUE(window.uploading());
        uploadButton(window)->click(); // disabled: nothing happens
        QTRY_VERIFY_WITH_TIMEOUT(!window.isVisible(), 60000);
        EXPECT_EQ(window.findChild<QProgressBar*>("setProgressBar")->value(), 1000);

        const QStringList files = ticker->UploadFileList();
        EXPECT_EQ(window.logText().count("UPLOADING: "), files.size());
        for (const QString& path : files) {
            if (path.endsWith(".xml"))
                continue; // rewritten after the run, with the target in it
            EXPECT_EQ(testsupport::readFile(server.root() + "/www/" + QFileInfo(path).fileName()),
                      testsupport::readFile(path))
                << path.toStdString();
        }
        const QByteArray settings = testsupport::readFile(settingsFile());
        EXPECT_TRUE(settings.contains("fd=\"/www\"")) << settings.left(400).toStdString();
        EXPECT_TRUE(settings.contains("fn=\"My Site\""));
        if (kind == TestFtpServer::Ftp) {
            EXPECT_TRUE(window.logText().contains("PASS ****"));
            EXPECT_TRUE(window.logText().contains("USER user"));
        }
        EXPECT_FALSE(window.logText().contains("secret"));
    }
}

// The folder view lists names, sizes and dates, opens sub-folders and goes up again; the
// upload goes wherever the view shows.
TEST_F(FtpWindow, TheFolderViewBrowsesAndTheUploadFollowsIt)
{
    TestFtpServer server;
    ASSERT_TRUE(server.start());
    QDir(server.root()).mkpath("www/sub");
    testsupport::writeFile(server.root() + "/www/index.html", "12345");
    TwFTP window(ticker.get());
    connect(window, profileFor(server));
    auto* label = window.findChild<QLabel*>("remotePathLabel");
    QTRY_COMPARE_WITH_TIMEOUT(label->text(), QString("Remote Path: /www"), 20000);
    auto* view = window.findChild<RemoteFolderView*>("remoteFolderTreeWidget");
    const auto row = [&](const QString& name) {
        const auto found = view->findItems(name, Qt::MatchExactly);
        return found.isEmpty() ? nullptr : found.first();
    };
    ASSERT_TRUE(row("index.html") && row("sub") && row(".."));
    EXPECT_EQ(row("index.html")->text(1), "5");
    EXPECT_FALSE(row("index.html")->text(2).isEmpty());
    Q_EMIT view->itemDoubleClicked(row("sub"), 0);
    QTRY_COMPARE_WITH_TIMEOUT(label->text(), QString("Remote Path: /www/sub"), 20000);
    Q_EMIT view->itemDoubleClicked(row(".."), 0);
    QTRY_COMPARE_WITH_TIMEOUT(label->text(), QString("Remote Path: /www"), 20000);
    Q_EMIT view->itemDoubleClicked(row("sub"), 0);
    QTRY_COMPARE_WITH_TIMEOUT(label->text(), QString("Remote Path: /www/sub"), 20000);
    uploadButton(window)->click();
    QTRY_VERIFY_WITH_TIMEOUT(!window.isVisible(), 60000);
    EXPECT_TRUE(QFileInfo(server.root() + "/www/sub/news.html").isFile());
    EXPECT_TRUE(testsupport::readFile(settingsFile()).contains("fd=\"/www/sub\""));
}

// Not connected: nothing is uploaded, and nothing is recorded as published.
TEST_F(FtpWindow, UploadWhileNotConnectedDoesNothing)
{
    const QByteArray before = testsupport::readFile(settingsFile());
    TwFTP window(ticker.get());
    window.show();
    uploadButton(window)->click();
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.logText().contains("UPLOADING"));
    EXPECT_EQ(testsupport::readFile(settingsFile()), before);
}

TEST_F(FtpWindow, WrongPasswordAndUnknownHostTellTheUser)
{
    TestFtpServer server;
    ASSERT_TRUE(server.start());
    {
        TwFTP window(ticker.get());
        ServerProfileData p = profileFor(server);
        p.Password = "wrong";
        Dialogs::queueButton(QMessageBox::Ok);
        connect(window, p);
        QTRY_COMPARE_WITH_TIMEOUT(status(window), QString("Error Connecting"), 20000);
        EXPECT_TRUE(dialogShownWith("Login Error: The Username and/or Password supplied are incorrect."));
        EXPECT_TRUE(window.logText().contains("530"));
        EXPECT_TRUE(window.logText().contains("PASS ****"));
        EXPECT_FALSE(window.logText().contains("wrong"));
    }
    FtpComponent::setResolver([](const QString&) { return QStringList(); });
    {
        TwFTP window(ticker.get());
        ServerProfileData p = profileFor(server);
        p.HostName = "ftp.nowhere.invalid";
        Dialogs::queueButton(QMessageBox::Ok);
        connect(window, p);
        QTRY_COMPARE_WITH_TIMEOUT(status(window), QString("Error Connecting"), 20000);
        EXPECT_TRUE(dialogShownWith(SiteNotFoundMessage));
        EXPECT_TRUE(window.logText().contains("Host not found."));
    }
    FtpComponent::setResolver({});
}

// An anonymous profile logs in as "anonymous" whatever its fields hold; a profile with an
// empty password sets no credentials at all.
TEST_F(FtpWindow, CredentialsFollowTheProfile)
{
    FtpComponent ftp;
    ServerProfileData p;
    p.Anonymous = true;
    applyProfile(ftp, "host", "bob", "pw", 21, p);
    EXPECT_EQ(ftp.Login(), "anonymous");
    EXPECT_EQ(ftp.Password(), AnonymousPassword);
    FtpComponent other;
    p.Anonymous = false;
    applyProfile(other, "\t host \n", " bob ", "", 2121, p);
    EXPECT_EQ(other.Login(), "");
    EXPECT_EQ(other.Hostname(), "host");
    applyProfile(other, "host", " bob ", " pw ", 2121, p);
    EXPECT_EQ(other.Login(), "bob");
    EXPECT_EQ(other.Password(), "pw");
    EXPECT_EQ(commandLogText("PASS anything at all"), "PASS ****");
    EXPECT_EQ(commandLogText("PASV"), "PASV");
    EXPECT_EQ(commandLogText("pass x"), "pass x");
}

// The certificate is shown with its fingerprint; No refuses, Yes connects and is remembered.
TEST_F(FtpWindow, AnUntrustedCertificateIsTheUsersChoice)
{
    TestFtpServer server(TestFtpServer::Options{TestFtpServer::FtpsExplicit});
    ASSERT_TRUE(server.start()) << server.error().toStdString();
    QDir(server.root()).mkdir("www");
    {
        TwFTP window(ticker.get());
        Dialogs::queueButton(QMessageBox::No);
        connect(window, profileFor(server));
        QTRY_COMPARE_WITH_TIMEOUT(status(window), QString("Error Connecting"), 20000);
        EXPECT_TRUE(dialogShownWith(server.fingerprint()));
        EXPECT_TRUE(trustedFingerprints(UserStore::instance(), "127.0.0.1", server.port()).isEmpty());
    }
    Dialogs::clearQueue();
    {
        TwFTP window(ticker.get());
        Dialogs::queueButton(QMessageBox::Yes);
        connect(window, profileFor(server));
        QTRY_COMPARE_WITH_TIMEOUT(status(window), QString("Connected"), 20000);
        EXPECT_EQ(trustedFingerprints(UserStore::instance(), "127.0.0.1", server.port()),
                  QStringList({server.fingerprint()}));
    }
    Dialogs::clearQueue();
    TwFTP again(ticker.get());
    connect(again, profileFor(server));
    QTRY_COMPARE_WITH_TIMEOUT(status(again), QString("Connected"), 20000);
    EXPECT_TRUE(Dialogs::shown().isEmpty());
}

// The server stops in the middle of the run: the old files stay, the window stays open and
// answers, the status says what happened, and the settings file keeps its old target.
TEST_F(FtpWindow, AServerLostMidRunLeavesTheOldFiles)
{
    TestFtpServer server(TestFtpServer::Options{TestFtpServer::Ftp, "user", "secret", false, 8 * 1024});
    ASSERT_TRUE(server.start());
    QDir(server.root()).mkdir("www");
    for (const QString& path : ticker->UploadFileList())
        testsupport::writeFile(server.root() + "/www/" + QFileInfo(path).fileName(), "previous");
    const QByteArray settingsBefore = testsupport::readFile(settingsFile());

    TwFTP window(ticker.get());
    connect(window, profileFor(server));
    QTRY_COMPARE_WITH_TIMEOUT(status(window), QString("Connected"), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(window.findChild<QLabel*>("remotePathLabel")->text().endsWith("/www"), 20000);
    uploadButton(window)->click();
    QTRY_VERIFY_WITH_TIMEOUT(status(window).contains(".swf..."), 20000);
    QTest::qWait(300);
    server.stop();
    QTRY_VERIFY_WITH_TIMEOUT(!window.uploading(), 60000);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(status(window).startsWith("Upload failed:")) << status(window).toStdString();
    EXPECT_TRUE(window.logText().contains("FAILED: "));
    EXPECT_EQ(testsupport::readFile(server.root() + "/www/news.swf"), "previous");
    EXPECT_EQ(testsupport::readFile(settingsFile()), settingsBefore);
    window.findChild<QPushButton*>("closeButton")->click();
    EXPECT_FALSE(window.isVisible());
}
