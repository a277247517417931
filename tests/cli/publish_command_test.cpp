#include "app/helpers/AppState.h"
#include "cli/Commands.h"
#include "platform/UserStore.h"
#include "support/FtpServers.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

using testsupport::TestFtpServer;

namespace {

class PublishCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitFolders(program.path() + "/");
        testsupport::writeFile(Folders().SwfFolder + "rovanel.swf", QByteArray(50000, 'S'));
        testsupport::writeFile(Folders().SwfFolder + "rovanel.js", "JS");
        testsupport::writeFile(Folders().PhpFolder + "loader.php", "<?php");
        UserStore::setInstanceFile(program.path() + "/store.json");
        qputenv("TICKERINE_PASSWORD", "secret");
    }
    void TearDown() override { qunsetenv("TICKERINE_PASSWORD"); }

    int run(const QStringList& args)
    {
        output.clear();
        errors.clear();
        QTextStream out(&output);
        QTextStream err(&errors);
        return RunCommandLine(QStringList{"publish"} + args, out, err);
    }
    QStringList hostArgs(const TestFtpServer& server, const QString& protocol)
    {
        return {out.path() + "/Ticker.xml",
                "--host",
                "127.0.0.1",
                "--port",
                QString::number(server.port()),
                "--user",
                "user",
                "--protocol",
                protocol,
                "--remote-folder",
                "/site"};
    }

    QTemporaryDir program;
    QTemporaryDir out;
    QString output;
    QString errors;
};

} // namespace

TEST_F(PublishCommandTest, UploadsTheSetAndRecordsTheTarget)
{
    TestFtpServer server;
    ASSERT_TRUE(server.start());
    QDir(server.root()).mkdir("site");
    ASSERT_EQ(run(hostArgs(server, "ftp")), 0) << errors.toStdString() << output.toStdString();
    for (const char* name : {"ticker.html", "ticker.swf", "ticker.php"})
        EXPECT_EQ(testsupport::readFile(server.root() + "/site/" + name),
                  testsupport::readFile(out.path() + "/" + name))
            << name;
    EXPECT_TRUE(QFileInfo(server.root() + "/site/ticker.xml").isFile());
    const QByteArray settings = testsupport::readFile(out.path() + "/ticker.xml");
    EXPECT_TRUE(settings.contains("fd=\"/site\""));
    EXPECT_TRUE(settings.contains("fn=\"127.0.0.1\""));
    EXPECT_TRUE(output.contains("PASS ****"));
    EXPECT_TRUE(output.contains("UPLOADING: "));
    EXPECT_FALSE(output.contains("secret"));
}

TEST_F(PublishCommandTest, FailsWithTheReason)
{
    TestFtpServer server;
    ASSERT_TRUE(server.start());
    QDir(server.root()).mkdir("site");
    qputenv("TICKERINE_PASSWORD", "wrong");
    EXPECT_EQ(run(hostArgs(server, "ftp")), 1);
    EXPECT_TRUE(errors.contains("Login Error")) << errors.toStdString();
    qputenv("TICKERINE_PASSWORD", "secret");
    QStringList missingFolder = hostArgs(server, "ftp");
    missingFolder.last() = "/nowhere";
    EXPECT_EQ(run(missingFolder), 1);
    EXPECT_TRUE(errors.contains("remote folder")) << errors.toStdString();
    EXPECT_EQ(run({out.path() + "/t.xml", "--site", "Not There"}), 1);
    EXPECT_EQ(run({out.path() + "/t.xml", "--host", "h", "--password", "x"}), 2);
    EXPECT_EQ(run({out.path() + "/t.xml"}), 2);
}

TEST_F(PublishCommandTest, AnUntrustedServerNeedsItsFingerprint)
{
    TestFtpServer server(TestFtpServer::Options{TestFtpServer::FtpsExplicit});
    ASSERT_TRUE(server.start()) << server.error().toStdString();
    QDir(server.root()).mkdir("site");
    EXPECT_EQ(run(hostArgs(server, "ftps")), 1);
    EXPECT_TRUE(errors.contains(server.fingerprint())) << errors.toStdString();
    EXPECT_FALSE(QFileInfo(server.root() + "/site/ticker.html").exists());
    EXPECT_EQ(run(hostArgs(server, "ftps") + QStringList{"--trust", server.fingerprint()}), 0)
        << errors.toStdString();
    EXPECT_TRUE(QFileInfo(server.root() + "/site/ticker.html").isFile());
}
