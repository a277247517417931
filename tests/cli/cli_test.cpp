#include "app/helpers/AppState.h"
#include "cli/Commands.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using testsupport::programDir;
using testsupport::readFile;
using testsupport::testDataDir;
using testsupport::writeFile;

namespace {

struct Result {
    int status;
    QString out;
    QString err;
};

class CommandLine : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitFolders(program.path() + "/");
        ASSERT_TRUE(writeFile(Folders().SwfFolder + "rovanel.swf", "SWF"));
        ASSERT_TRUE(writeFile(Folders().SwfFolder + "rovanel.js", "JS"));
        ASSERT_TRUE(writeFile(Folders().PhpFolder + "loader.php", "PHP"));
        outDir = out.path() + "/";
    }
    Result run(const QStringList& args)
    {
        QString o, e;
        QTextStream os(&o), es(&e);
        const int status = RunCommandLine(args, os, es);
        os.flush();
        es.flush();
        return {status, o, e};
    }
    QString settingsWithNews()
    {
        writeFile(outDir + "in/news.txt",
                  "<?xml version=\"1.0\"?>\r\n<rss version=\"2.0\">\r\n<channel>\r\n<item>\r\n"
                  "<title>T</title>\r\n<pubDate>09 Dec 2026  </pubDate>\r\n"
                  "<description>&lt;img src=\"p.jpg\"&gt;</description>\r\n"
                  "</item>\r\n</channel>\r\n</rss>\r\n");
        writeFile(outDir + "in/p.jpg", "JPG");
        writeFile(outDir + "in/news.xml",
                  "<?xml version=\"1.0\"?>\r\n<velmoranews mainwidth=\"300\" mainheight=\"50\""
                  " newsurl1=\"news.txt\" newsurl2=\"http://f.example/rss\"></velmoranews>");
        return outDir + "in/news.xml";
    }

    QTemporaryDir program;
    QTemporaryDir out;
    QString outDir;
};

TEST_F(CommandLine, SaveWritesTheSetAndPrintsTheUploadList)
{
    const Result r = run({"save", outDir + "My.Ticker.XML"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, outDir + "my.xml\n" + outDir + "my.html\n" + outDir + "my.swf\n" + outDir + "my.php\n");
    EXPECT_EQ(readFile(outDir + "my.xml"), readFile(testDataDir() + "/ticker/default.xml"));
    EXPECT_TRUE(QFileInfo::exists(outDir + "my.txt"));
}

TEST_F(CommandLine, SaveOfAnOpenedTickerTakesItsNewsAndImages)
{
    const Result r = run({"save", "--open", settingsWithNews(), outDir + "out.xml"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.split('\n', Qt::SkipEmptyParts),
              QStringList({outDir + "out.xml", outDir + "out.html", outDir + "out.swf", outDir + "out.php",
                           outDir + "out.txt", outDir + "p.jpg"}));
    const QByteArray settings = readFile(outDir + "out.xml");
    EXPECT_TRUE(settings.contains(
        " newsurl1=\"out.txt\"\r\n newsurl2=\"news.txt\"\r\n newsurl3=\"http://f.example/rss\"\r\n"));
    EXPECT_TRUE(readFile(outDir + "out.txt").contains("<title>T</title>"));
}

TEST_F(CommandLine, CodePrintsTheEmbedCodeAndWritesNothing)
{
    const Result r = run({"code", "--open", settingsWithNews(), outDir + "Page.xml"});
    ASSERT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.startsWith("<object classid="));
    EXPECT_TRUE(r.out.contains(" width=\"300\" height=\"68\" id=\"VelmoraRovanel\""));
    EXPECT_TRUE(r.out.endsWith("/go/getflashplayer\" /></object>"));
    EXPECT_TRUE(r.out.contains("value=\"page.swf\""));
    EXPECT_FALSE(QFileInfo::exists(outDir + "page.xml"));
}

TEST_F(CommandLine, PreviewWritesIntoTemp)
{
    const Result r = run({"preview"});
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out, Folders().TempFolder + "temp.html\n");
    EXPECT_TRUE(readFile(Folders().TempFolder + "temp.html").contains("temp.js"));
    EXPECT_EQ(readFile(Folders().TempFolder + "temp.js"), "JS");
}

TEST_F(CommandLine, FailuresGiveTheirStatus)
{
    writeFile(outDir + "bad.xml", "<velmoranews");
    struct Case {
        QStringList args;
        int status;
    };
    const Case cases[] = {
        {{}, 2},
        {{"publishh"}, 2},
        {{"save"}, 2},
        {{"save", "a.xml", "b.xml"}, 2},
        {{"save", "--open"}, 2},
        {{"code", "--bogus", "a.xml"}, 2},
        {{"save", "--open", outDir + "none.xml", outDir + "a.xml"}, 1},
        {{"save", "--open", outDir + "bad.xml", outDir + "a.xml"}, 1},
        {{"save", outDir + "no/such/folder/a.xml"}, 1},
    };
    for (const Case& c : cases) {
        const Result r = run(c.args);
        EXPECT_EQ(r.status, c.status) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        if (c.status == 1)
            EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        else
            EXPECT_TRUE(r.err.contains("tickerine-cli save [--open SETTINGS] OUTPUT"));
    }
}

TEST(CommandLineProcess, RunsWithoutADisplay)
{
    QTemporaryDir out;
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    process.setProcessEnvironment(env);
    const QString cli = programDir() + "/tickerine-cli";
    process.start(cli, {"save", out.filePath("t.xml")});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    EXPECT_EQ(QString::fromUtf8(process.readAllStandardOutput()).count('\n'), 4);
    EXPECT_TRUE(QFileInfo::exists(out.filePath("t.html")));

    process.start(cli, {"code", "--open", out.filePath("missing.xml"), out.filePath("t.xml")});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(process.readAllStandardError().contains("missing.xml"));
}

} // namespace
