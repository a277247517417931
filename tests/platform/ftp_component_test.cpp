#include "platform/FtpComponent.h"

#include "support/FtpServers.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

using testsupport::TestFtpServer;

namespace {

struct Session {
    FtpComponent ftp;
    QStringList commands;
    QStringList replies;
    QList<int> doneCodes;

    explicit Session(const TestFtpServer& server, bool trust = true)
    {
        ftp.setHostname("127.0.0.1");
        ftp.setPort(server.port());
        ftp.setProtocol(server.protocol());
        ftp.setLogin("user");
        ftp.setPassword("secret");
        if (trust && !server.fingerprint().isEmpty())
            ftp.setTrustedFingerprints({server.fingerprint()});
        QObject::connect(&ftp, &FtpComponent::OnPreTranslateCommand,
                         [this](const QString& c) { commands << c; });
        QObject::connect(&ftp, &FtpComponent::OnFTPReply,
                         [this](const QString&, quint16, const QString& text) { replies << text; });
        QObject::connect(&ftp, &FtpComponent::OnDone,
                         [this](int code, const QString&) { doneCodes << code; });
    }

    int connect()
    {
        QSignalSpy spy(&ftp, &FtpComponent::OnConnected);
        ftp.Connect();
        if (!spy.wait(30000))
            return -1;
        return spy.first().first().toInt();
    }

    // Uploads and waits for its OnDone; returns its error code.
    int put(const QString& local, const QString& remote)
    {
        const qsizetype before = doneCodes.size();
        ftp.PutFile(local, remote);
        if (!QTest::qWaitFor([&] { return doneCodes.size() > before; }, 60000))
            return -1;
        return doneCodes.last();
    }
};

QString localFile(const QString& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir + "/" + name;
    testsupport::writeFile(path, bytes);
    return path;
}

class FtpComponentProtocols : public ::testing::TestWithParam<TestFtpServer::Options> {};

} // namespace

// Every kind of server: upload a new file and replace an old one; the bytes arrive, no
// temporary file is left, and the listing shows the files with their sizes.
TEST_P(FtpComponentProtocols, UploadsAndReplacesFilesAndListsTheFolder)
{
    TestFtpServer server(GetParam());
    ASSERT_TRUE(server.start()) << server.error().toStdString();
    QDir(server.root()).mkdir("www");
    testsupport::writeFile(server.root() + "/www/news.xml", "old settings");
    QTemporaryDir local;
    QByteArray big(300 * 1024, 'x');
    for (int i = 0; i < big.size(); i += 97)
        big[i] = char(i % 251);

    Session session(server);
    ASSERT_EQ(session.connect(), 0) << session.ftp.GetErrorText(session.ftp.LastError()).toStdString();
    QSignalSpy listed(&session.ftp, &FtpComponent::OnListItems);
    session.ftp.ListDir("www");
    ASSERT_TRUE(listed.wait(20000));
    EXPECT_TRUE(session.ftp.RemotePath().endsWith("/www"));

    EXPECT_EQ(session.put(localFile(local.path(), "news.xml", "new settings"), "news.xml"), 0);
    EXPECT_EQ(session.put(localFile(local.path(), "my ticker.swf", big), "my ticker.swf"), 0);
    EXPECT_EQ(testsupport::readFile(server.root() + "/www/news.xml"), "new settings");
    EXPECT_EQ(testsupport::readFile(server.root() + "/www/my ticker.swf"), big);
    EXPECT_EQ(QDir(server.root() + "/www").entryList(QDir::Files | QDir::Hidden),
              QStringList({"my ticker.swf", "news.xml"}));

    session.ftp.Refresh();
    ASSERT_TRUE(listed.wait(20000));
    QStringList names;
    for (const FtpItem& item : session.ftp.Items()) {
        names << item.name;
        if (item.name == "my ticker.swf") {
            EXPECT_EQ(item.size, big.size());
        }
    }
    names.sort();
    EXPECT_EQ(names, QStringList({"my ticker.swf", "news.xml"}));
}

INSTANTIATE_TEST_SUITE_P(Servers, FtpComponentProtocols,
                         ::testing::Values(TestFtpServer::Options{TestFtpServer::Ftp},
                                           TestFtpServer::Options{TestFtpServer::Ftp, "user", "secret", true},
                                           TestFtpServer::Options{TestFtpServer::FtpsExplicit},
                                           TestFtpServer::Options{TestFtpServer::FtpsImplicit},
                                           TestFtpServer::Options{TestFtpServer::Sftp}));

// A certificate or host key nobody trusted fails the connect before any password is sent,
// and names the fingerprint the server showed.
TEST(FtpComponent, RefusesAnUntrustedServerAndNamesItsFingerprint)
{
    for (auto kind : {TestFtpServer::FtpsExplicit, TestFtpServer::FtpsImplicit, TestFtpServer::Sftp}) {
        TestFtpServer server(TestFtpServer::Options{kind});
        ASSERT_TRUE(server.start()) << server.error().toStdString();
        Session session(server, false);
        session.ftp.setTrustedFingerprints({"SHA256:somebodyElsesKeyAAAAAAAAAAAAAAAAAAAAAAAAAA"});
        EXPECT_EQ(session.connect(), FtpComponent::UntrustedPeerError) << kind;
        EXPECT_EQ(session.ftp.PeerFingerprint(), server.fingerprint()) << kind;
        EXPECT_EQ(session.ftp.State(), FtpComponent::Disconnected);
        EXPECT_FALSE(session.commands.join('\n').contains("PASS")) << kind;

        Session fresh(server, false);
        EXPECT_EQ(fresh.connect(), FtpComponent::UntrustedPeerError) << kind;
        EXPECT_EQ(fresh.ftp.PeerFingerprint(), server.fingerprint()) << kind;
    }
}

TEST(FtpComponent, ReportsLoginAndHostFailures)
{
    TestFtpServer server;
    ASSERT_TRUE(server.start());
    Session wrong(server);
    wrong.ftp.setPassword("wrong");
    EXPECT_NE(wrong.connect(), 0);
    EXPECT_TRUE(wrong.replies.join('\n').contains("530")) << wrong.replies.join('\n').toStdString();
    EXPECT_TRUE(wrong.commands.contains("PASS wrong"));

    FtpComponent::setResolver([](const QString& host) {
        return host == "ftp.example.invalid" ? QStringList() : QStringList({"127.0.0.1"});
    });
    Session unknown(server);
    unknown.ftp.setHostname("ftp.example.invalid");
    EXPECT_EQ(unknown.connect(), FtpComponent::HostNotFoundError);
    EXPECT_EQ(unknown.ftp.GetErrorText(unknown.ftp.LastError()), "Host not found.");
    FtpComponent::setResolver({});
}

// The server going away in the middle of a transfer: OnDone still comes, the old remote
// file stays whole, and later uploads are reported as failed rather than waited for.
TEST(FtpComponent, ServerGoneMidTransferKeepsTheOldFile)
{
    TestFtpServer server(TestFtpServer::Options{TestFtpServer::Ftp, "user", "secret", false, 256 * 1024});
    ASSERT_TRUE(server.start());
    testsupport::writeFile(server.root() + "/big.bin", "previous version");
    QTemporaryDir local;
    const QString big = localFile(local.path(), "big.bin", QByteArray(4 * 1024 * 1024, 'b'));
    const QString small = localFile(local.path(), "small.txt", "small");

    Session session(server);
    ASSERT_EQ(session.connect(), 0);
    QSignalSpy progress(&session.ftp, &FtpComponent::OnProgress);
    session.ftp.PutFile(big, "big.bin");
    session.ftp.PutFile(small, "small.txt");
    ASSERT_TRUE(progress.wait(20000));
    server.stop();
    ASSERT_TRUE(QTest::qWaitFor([&] { return session.doneCodes.size() == 2; }, 90000));
    EXPECT_NE(session.doneCodes[0], 0);
    EXPECT_NE(session.doneCodes[1], 0);
    EXPECT_EQ(session.ftp.State(), FtpComponent::Disconnected);
    EXPECT_EQ(testsupport::readFile(server.root() + "/big.bin"), "previous version");
}
