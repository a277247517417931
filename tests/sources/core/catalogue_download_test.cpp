#include "platform/HttpGet.h"
#include "sources/LocalHttpServer.h"
#include "sources/core/CatalogueDownload.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace {

const QByteArray GoodCatalogue = "<?xml version=\"1.0\"?>\r\n<newssources>\r\n<channel name=\"World\">\r\n"
                                 "<outline title=\"New Feed\" xmlUrl=\"http://new.example/rss\"/>\r\n"
                                 "</channel>\r\n</newssources>\r\n";
const QByteArray OldCatalogue = "<newssources><channel name=\"Old\"/></newssources>";

class CatalogueDownloadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        target = dir.filePath("newssources.xml");
        ASSERT_TRUE(testsupport::writeFile(target, OldCatalogue));
        download.setUrl(server.url());
        download.setTargetPath(target);
    }

    // Runs one download to its end; true when it succeeded.
    bool Run()
    {
        QSignalSpy succeeded(&download, &CatalogueDownload::succeeded);
        QSignalSpy failed(&download, &CatalogueDownload::failed);
        EXPECT_TRUE(download.Start());
        EXPECT_TRUE(WaitUntil([&] { return succeeded.count() + failed.count() > 0; }));
        QTest::qWait(50); // no second event may follow
        EXPECT_EQ(succeeded.count() + failed.count(), 1);
        EXPECT_FALSE(download.isRunning());
        return succeeded.count() == 1;
    }

    QTemporaryDir dir;
    QString target;
    LocalHttpServer server;
    CatalogueDownload download;
};

} // namespace

TEST_F(CatalogueDownloadTest, CompleteCatalogueReplacesTheFileAsReceived)
{
    server.setReply({200, GoodCatalogue});
    ASSERT_TRUE(Run());
    EXPECT_EQ(testsupport::readFile(target), GoodCatalogue);

    ASSERT_EQ(server.requests().size(), 1);
    const QByteArray request = server.requests().first();
    EXPECT_TRUE(request.startsWith("GET /tickerine/newssources.xml HTTP/1.1\r\n")) << request.constData();
    EXPECT_TRUE(request.contains("\r\nAccept: */*")) << request.constData();
    EXPECT_TRUE(request.contains("\r\nUser-Agent: [-=WinHTTP demo=-]")) << request.constData();

    server.setReply({206, GoodCatalogue + "<!-- partial content -->"});
    EXPECT_TRUE(Run());
}

TEST_F(CatalogueDownloadTest, AnythingButACompleteCatalogueChangesNothing)
{
    struct Case {
        const char* name;
        LocalHttpServer::Reply reply;
    };
    const Case cases[] = {
        {"not found", {404, "<html><body>Not Found</body></html>"}},
        {"server error with a catalogue body", {500, GoodCatalogue}},
        {"a web page", {200, "<html><body>Maintenance</body></html>"}},
        {"a catalogue without channels", {200, "<newssources></newssources>"}},
        {"not well-formed", {200, GoodCatalogue.left(60)}},
        {"an empty body", {200, ""}},
        {"cut off", {200, GoodCatalogue.left(60), LocalHttpServer::Mode::CutOff}},
    };
    for (const Case& c : cases) {
        server.setReply(c.reply);
        EXPECT_FALSE(Run()) << c.name;
        EXPECT_EQ(testsupport::readFile(target), OldCatalogue) << c.name;
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"newssources.xml"});
}

TEST_F(CatalogueDownloadTest, StalledTransferFailsWithinItsTimeLimit)
{
    server.setReply({200, GoodCatalogue, LocalHttpServer::Mode::Stall});
    download.http().setStallTimeout(300);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(Run());
    EXPECT_LT(clock.elapsed(), 5000);

    // The overall limit ends a transfer that the stall limit alone would let run on.
    download.http().setStallTimeout(60000);
    download.http().setTotalTimeout(300);
    clock.restart();
    EXPECT_FALSE(Run());
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(testsupport::readFile(target), OldCatalogue);
}

TEST_F(CatalogueDownloadTest, SecondRequestWhileOneRunsIsIgnored)
{
    server.setReply({200, GoodCatalogue, LocalHttpServer::Mode::Complete, 300});
    QSignalSpy succeeded(&download, &CatalogueDownload::succeeded);
    ASSERT_TRUE(download.Start());
    EXPECT_FALSE(download.Start());
    EXPECT_TRUE(download.isRunning());
    ASSERT_TRUE(WaitUntil([&] { return succeeded.count() > 0; }));
    QTest::qWait(200);
    EXPECT_EQ(succeeded.count(), 1);
    EXPECT_EQ(server.requests().size(), 1);

    // Once it has ended the next one runs.
    server.setReply({200, GoodCatalogue});
    EXPECT_TRUE(Run());
    EXPECT_EQ(server.requests().size(), 2);
}

TEST_F(CatalogueDownloadTest, UnreachableServerOrUnwritableFileFails)
{
    download.setUrl(QUrl(QStringLiteral("http://127.0.0.1:%1/newssources.xml").arg(ClosedPort())));
    EXPECT_FALSE(Run());
    EXPECT_EQ(testsupport::readFile(target), OldCatalogue);

    // A folder in the catalogue's place: the body cannot be stored.
    download.setUrl(server.url());
    server.setReply({200, GoodCatalogue});
    const QString taken = dir.filePath("taken");
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken"));
    download.setTargetPath(taken);
    EXPECT_FALSE(Run());
    EXPECT_TRUE(QFileInfo(taken).isDir());
}

TEST(HttpGet, FetchesOnlyWebAddressesAndCapsTheBody)
{
    HttpGet http;
    for (const char* address : {"file:///etc/passwd", "ftp://127.0.0.1/x", "not a url", ""})
        EXPECT_FALSE(http.Get(QUrl(address))) << address;
    EXPECT_FALSE(http.isBusy());

    LocalHttpServer server;
    server.setReply({200, QByteArray(100000, 'x')});
    http.setMaxBodySize(1000);
    QSignalSpy completed(&http, &HttpGet::completed);
    QSignalSpy failed(&http, &HttpGet::failed);
    ASSERT_TRUE(http.Get(server.url()));
    ASSERT_TRUE(WaitUntil([&] { return completed.count() + failed.count() > 0; }));
    EXPECT_EQ(failed.count(), 1);
    EXPECT_EQ(completed.count(), 0);
}
