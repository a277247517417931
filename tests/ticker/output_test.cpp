#include "app/helpers/AppState.h"
#include "mynews/doc/FblogDocument.h"
#include "support/TestPaths.h"
#include "ticker/FakeHost.h"
#include "ticker/Fblog.h"
#include "ticker/Fmovie.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using testsupport::readFile;
using testsupport::testDataDir;
using testsupport::writeFile;

namespace {

QByteArray fixture(const QString& name)
{
    return readFile(testDataDir() + "/ticker/" + name);
}

// A program folder of our own, so the shipped player files do not matter.
class OutputSet : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitFolders(program.path() + "/");
        ASSERT_TRUE(writeFile(Folders().SwfFolder + "rovanel.swf", "SWF-PLAYER"));
        ASSERT_TRUE(writeFile(Folders().SwfFolder + "rovanel.js", "JS-PLAYER"));
        ASSERT_TRUE(writeFile(Folders().PhpFolder + "loader.php", "PHP-LOADER"));
        outDir = out.path() + "/";
    }
    QStringList filesIn(const QString& folder) const
    {
        return QDir(folder).entryList(QDir::Files, QDir::Name);
    }

    QTemporaryDir program;
    QTemporaryDir out;
    QString outDir;
};

TEST_F(OutputSet, NamesComeFromTheChosenFileLowerCased)
{
    Fmovie ticker;
    ticker.SetOutputNames(outDir + "My.Ticker.XML");
    EXPECT_EQ(ticker.OutputFolder, outDir);
    EXPECT_EQ(ticker.BaseName, "my");
    EXPECT_EQ(QStringList({ticker.SettingsFileName, ticker.PageFileName, ticker.PlayerFileName,
                           ticker.LoaderFileName, ticker.MyNewsFileName}),
              QStringList({"my.xml", "my.html", "my.swf", "my.php", "my.txt"}));
    ticker.SetOutputNames(outDir + "News TICKÉR.xml");
    EXPECT_EQ(ticker.BaseName, "news tickÉr"); // only A to Z are lower-cased
    EXPECT_EQ(ticker.PreviousOutputFolder, outDir);
}

TEST_F(OutputSet, SaveWritesTheWholeSetAndListsItForUpload)
{
    Fmovie ticker;
    ticker.SetOutputNames(outDir + "News Ticker.XML");
    ticker.SaveAllFiles("", "", false);
    EXPECT_EQ(filesIn(outDir), QStringList({"news ticker.html", "news ticker.php", "news ticker.swf",
                                            "news ticker.txt", "news ticker.xml"}));
    EXPECT_EQ(readFile(outDir + "news ticker.xml"), fixture("default.xml"));
    EXPECT_EQ(readFile(outDir + "news ticker.swf"), "SWF-PLAYER");
    EXPECT_EQ(readFile(outDir + "news ticker.php"), "PHP-LOADER");
    EXPECT_EQ(ticker.PublishedFolder, outDir);
    // Without entries the news file is written but not uploaded.
    EXPECT_EQ(ticker.UploadFileList(), QStringList({outDir + "news ticker.xml", outDir + "news ticker.html",
                                                    outDir + "news ticker.swf", outDir + "news ticker.php"}));
}

TEST_F(OutputSet, PageAndEmbedCodeAreByteExact)
{
    Fmovie ticker;
    ticker.resize(400, 300);
    ticker.SetOutputNames(outDir + "my.xml");
    ticker.SaveAllFiles("", "", false);
    EXPECT_EQ(readFile(outDir + "my.html"), fixture("flash-page.html"));
    EXPECT_EQ(ticker.EmbedCode("temp.html"),
              QString::fromLatin1(fixture("flash-code.txt")).replace("my.swf", "temp.swf"));
    EXPECT_EQ(ticker.EmbedCode(ticker.PlayerFileName).toLatin1(), fixture("flash-code.txt"));

    ticker.SetPlayer(PlayerKind::HTML5);
    EXPECT_EQ(ticker.EmbedCode(ticker.PlayerFileName),
              "<div class=\"velmora-rovanel\" style=\"width:400px;height:300px;\"></div>\r\n"
              "<script src=\"my.js\" data-settings=\"my.xml\"></script>");
    ticker.SaveAllFiles("", "", false);
    EXPECT_EQ(readFile(outDir + "my.html"), fixture("html5-page.html"));
    EXPECT_EQ(readFile(outDir + "my.js"), "JS-PLAYER");
    EXPECT_TRUE(ticker.UploadFileList().contains(outDir + "my.js"));
    EXPECT_FALSE(ticker.UploadFileList().contains(outDir + "my.swf"));
}

TEST_F(OutputSet, PageIsLatin1WithReferencesForOtherCharacters)
{
    Fmovie ticker;
    ticker.SetPlayer(PlayerKind::HTML5);
    ticker.SaveHTMLFile(outDir, "café€.html");
    const QByteArray page = readFile(outDir + "café€.html");
    EXPECT_TRUE(page.contains("<script src=\"caf\xE9&#8364;.js\"")) << page.toStdString();
}

TEST_F(OutputSet, EntryImagesAreCopiedOnceAndListedWhenSafe)
{
    Fmovie ticker;
    const QString source = program.path() + "/src/";
    QDir().mkpath(source);
    ASSERT_TRUE(writeFile(source + "photo.jpg", "NEW"));
    ASSERT_TRUE(writeFile(outDir + "photo.jpg", "OLD"));
    ASSERT_TRUE(writeFile(source + "tile.png", "TILE"));
    ticker.SetOutputNames(source + "first.xml");
    ticker.SetOutputNames(outDir + "second.xml");
    ticker.NewsDocument().AddEntry("T", "", "",
                                   "<img src=\"photo.jpg\"> <img src=\"../../etc/x.png\">"
                                   "<img src=\"http://evil.example/a.png\">",
                                   "09 Dec 2026", "A");
    ticker.EntryStyle().StringSetting("entrybkimage")->SetText("tile.png");
    ticker.EntryStyle().ImageFolder = source;
    ticker.SaveAllFiles("", "", false);
    EXPECT_EQ(readFile(outDir + "photo.jpg"), "OLD");
    EXPECT_EQ(readFile(outDir + "tile.png"), "TILE");
    EXPECT_EQ(ticker.UploadFileList(),
              QStringList({outDir + "second.xml", outDir + "second.html", outDir + "second.swf",
                           outDir + "second.php", outDir + "tile.png", outDir + "second.txt",
                           outDir + "photo.jpg"}));
    EXPECT_TRUE(ticker.WriteSettingsXml().contains(" newsurl1=\"second.txt\"\r\n"));
}

TEST_F(OutputSet, PreviewUsesTheBrowserPlayerAndKeepsThePublishedFolder)
{
    Fmovie ticker;
    ticker.SetOutputNames(outDir + "my.xml");
    ticker.SaveAllFiles("", "", false);
    ticker.SavePreviewFiles();
    EXPECT_FALSE(PreviewFlag);
    EXPECT_EQ(ticker.PublishedFolder, outDir);
    const QString temp = Folders().TempFolder;
    EXPECT_EQ(filesIn(temp),
              QStringList({"my.txt", "temp.html", "temp.js", "temp.php", "temp.swf", "temp.xml"}));
    EXPECT_TRUE(readFile(temp + "temp.html").contains("<script src=\"temp.js\" data-settings=\"temp.xml\">"));
    // Three sample entries, written while the preview flag was up.
    EXPECT_EQ(readFile(temp + "my.txt").count("<item>"), 3);
    // The page the user gets keeps the chosen (Flash) player.
    EXPECT_TRUE(readFile(outDir + "my.html").contains("<embed src=\"my.swf\""));
}

// Without entries the preview's news file holds the sample entry; a My News preview names it
// so the browser shows it, a feed preview does not, and saved settings never do.
TEST_F(OutputSet, MyNewsPreviewWithoutEntriesNamesTheSampleNewsFile)
{
    Fmovie ticker;
    ticker.SetExternal(false);
    ticker.SavePreviewFiles();
    EXPECT_TRUE(readFile(Folders().TempFolder + "temp.xml").contains(" newsurl1=\"mynews.txt\"\r\n"));
    EXPECT_FALSE(ticker.WriteSettingsXml().contains("newsurl"));

    ticker.SetExternal(true);
    ticker.SavePreviewFiles();
    EXPECT_FALSE(readFile(Folders().TempFolder + "temp.xml").contains("newsurl"));
}

TEST_F(OutputSet, FailedWriteRaisesAndStopsAtThatStep)
{
    Fmovie ticker;
    ticker.SetOutputNames(outDir + "my.xml");
    // A folder where the page should go: the page cannot be written.
    ASSERT_TRUE(QDir().mkpath(outDir + "my.html"));
    ASSERT_TRUE(writeFile(outDir + "my.xml", "PREVIOUS"));
    EXPECT_THROW(ticker.SaveAllFiles("", "", false), IoError);
    EXPECT_EQ(readFile(outDir + "my.xml"), fixture("default.xml")); // written before the page
    EXPECT_FALSE(QFileInfo::exists(outDir + "my.swf"));             // after it: not reached
    EXPECT_TRUE(QFileInfo(outDir + "my.html").isDir());
    EXPECT_THROW(ticker.SaveXMLFile(outDir + "missing/", "a.xml"), IoError);
}

TEST_F(OutputSet, NoFolderWritesNothing)
{
    Fmovie ticker;
    ticker.SaveAllFiles("", "", false);
    ticker.SaveXMLFile("", "");
    ticker.SaveHTMLFile("", "");
    EXPECT_TRUE(ticker.PublishedFolder.isEmpty());
}

TEST_F(OutputSet, PublishAsksANameOnlyForANewTicker)
{
    struct Host : FakeHost {
        QString askSaveFileName(const QString& proposed) override
        {
            asked.append(proposed);
            return answer;
        }
        void startPublishWindows() override { ++publishes; }
        QStringList asked;
        QString answer;
        int publishes = 0;
    } host;
    Fmovie ticker(nullptr, &host);
    ticker.StartPublish(); // cancelled
    EXPECT_EQ(host.asked, QStringList{"mynews.xml"});
    EXPECT_EQ(host.publishes, 0);
    EXPECT_TRUE(filesIn(outDir).isEmpty());
    host.answer = outDir + "pub.xml";
    ticker.StartPublish();
    ticker.StartPublish();
    EXPECT_EQ(host.asked.size(), 2);
    EXPECT_EQ(host.publishes, 2);
    EXPECT_TRUE(QFileInfo::exists(outDir + "pub.html"));
}

} // namespace
