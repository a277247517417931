#include "mynews/doc/FblogDocument.h"
#include "support/TestPaths.h"
#include "ticker/FakeHost.h"
#include "ticker/Fblog.h"
#include "ticker/Fmovie.h"

#include <QDir>
#include <QFile>
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

// A settings file holding only these attribute lines.
QByteArray settingsWith(const QByteArray& attributes)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<velmoranews\r\n" + attributes + "></velmoranews>";
}

class SettingsFile : public ::testing::Test {
protected:
    QString write(const QByteArray& bytes, const QString& name = "t.xml")
    {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(writeFile(path, bytes));
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(SettingsFile, NewTickerWritesTheSixtyFourLineFile)
{
    Fmovie ticker;
    const QByteArray written = ticker.WriteSettingsXml().toUtf8();
    EXPECT_EQ(written, fixture("default.xml"));
    EXPECT_EQ(written.count("\r\n"), 63);
    EXPECT_TRUE(written.endsWith("\r\n></velmoranews>"));
}

TEST_F(SettingsFile, FeedLinesAreNumberedWithoutGapsAndEscaped)
{
    Fmovie ticker;
    ticker.AddFeedUrl("http://a.example/rss?x=1&y=<2>");
    ticker.AddFeedUrl("HTTP://A.EXAMPLE/RSS?X=1&Y=<2>"); // same address, other case
    ticker.AddFeedUrl("http://b.example/it's");
    EXPECT_EQ(ticker.FeedUrls.size(), 2);
    QString text = ticker.WriteSettingsXml();
    EXPECT_TRUE(text.contains(" fd=\"\"\r\n newsurl1=\"http://a.example/rss?x=1&amp;y=&lt;2&gt;\"\r\n"
                              " newsurl2=\"http://b.example/it&apos;s\"\r\n newswidth="));

    // With My News entries the news file comes first and is not repeated from the feeds.
    ticker.NewsDocument().AddEntry("T", "", "", "D", "09 Dec 2026", "A");
    ticker.FeedUrls.prepend("mynews.txt");
    text = ticker.WriteSettingsXml();
    EXPECT_TRUE(
        text.contains(" newsurl1=\"mynews.txt\"\r\n newsurl2=\"http://a.example/rss?x=1&amp;y=&lt;2&gt;\"\r\n"
                      " newsurl3=\"http://b.example/it&apos;s\"\r\n newswidth="));
    EXPECT_EQ(text.count("mynews.txt"), 1);

    ticker.RemoveFeedUrl("HTTP://B.EXAMPLE/IT'S");
    EXPECT_EQ(ticker.FeedUrls, QStringList({"mynews.txt", "http://a.example/rss?x=1&y=<2>"}));
}

TEST_F(SettingsFile, EveryTextValueIsEscapedSoTheFileStaysWellFormed)
{
    Fmovie ticker;
    ticker.SiteName = "Tom & Jerry's";
    ticker.RemoteFolder = "/www/<news>";
    ticker.EntryStyle().Font(1).Font.setFamily("A\"B");
    ticker.EntryStyle().StringSetting("entrybkimage")->SetText("a&b.png");
    const QString text = ticker.WriteSettingsXml();
    EXPECT_TRUE(text.contains(" fn=\"Tom &amp; Jerry&apos;s\"\r\n fd=\"/www/&lt;news&gt;\"\r\n"));
    EXPECT_TRUE(text.contains(" titlefontname=\"A&quot;B\"\r\n"));

    const QString path = write(text.toUtf8());
    Fmovie reread;
    reread.ReadSettingsFile(path);
    EXPECT_EQ(reread.EntryStyle().Font(1).Font.family(), "A\"B");
    EXPECT_EQ(reread.EntryStyle().StringSetting("entrybkimage")->GetText(), "a&b.png");
}

TEST_F(SettingsFile, RoundTripKeepsEverySetting)
{
    FakeHost host;
    Fmovie ticker(nullptr, &host);
    ticker.show(); // on the canvas, as in the Designer
    ticker.resize(420, 130);
    ticker.ColorSetting("bkcolor")->SetColor(0x00336699);
    ticker.BoolSetting("bkgdt")->SetBool(true);
    ticker.BoolSetting("newshorz")->SetBool(true);
    ticker.IntSetting("scrollspeed")->SetInt(77);
    Fblog& entry = ticker.EntryStyle();
    entry.ColorSetting("entrybdrclr")->SetColor(colors::Red);
    entry.BoolSetting("entrybdrdashed")->SetBool(false);
    entry.Font(4).Font = QFont("Courier New", 14);
    entry.Font(4).Font.setBold(true);
    entry.Font(4).Font.setItalic(true);
    entry.Font(4).Color = 0x00123456;
    ticker.AddFeedUrl("http://feeds.example/a&b");
    ticker.SetPlayer(PlayerKind::HTML5);
    const QString written = ticker.WriteSettingsXml();
    const QString path = write(written.toUtf8());

    FakeHost host2;
    Fmovie reread(nullptr, &host2);
    reread.ReadSettingsFile(path);
    EXPECT_EQ(reread.WriteSettingsXml(), written);
    EXPECT_EQ(reread.size(), QSize(420, 130));
    EXPECT_EQ(reread.SettingsFileName, "t.xml");
    EXPECT_EQ(host2.ticked, QStringList{"http://feeds.example/a&b"});
    EXPECT_EQ(host2.width->value(), 420);
    EXPECT_FALSE(reread.Modified);
}

TEST_F(SettingsFile, MissingAttributesReadAsTheirFileDefaults)
{
    Fmovie ticker;
    ticker.ReadSettingsFile(write(settingsWith(" newsurl1=\"a\"\r\n newsurl3=\"c\"\r\n")));
    const auto i = [&](const char* n) { return ticker.IntSetting(n)->GetInt(); };
    const auto e = [&](const char* n) { return ticker.EntryStyle().IntSetting(n)->GetInt(); };
    EXPECT_EQ(ticker.size(), QSize(400, 300));
    EXPECT_EQ(i("mainwidth"), 400);
    EXPECT_EQ(i("mainheight"), 300);
    EXPECT_EQ(i("scrollspeed"), 20);
    EXPECT_EQ(i("scrollpause"), 50);
    EXPECT_EQ(i("bkgdtclr1a"), 50);
    EXPECT_FALSE(ticker.BoolSetting("bkdrawbk")->GetBool());
    EXPECT_TRUE(ticker.BoolSetting("external")->GetBool());
    EXPECT_EQ(ticker.ColorSetting("bkgdtclr2")->GetColor(), colors::Blue); // kept
    EXPECT_EQ(e("newswidth"), 350);
    EXPECT_EQ(e("newsheight"), 250);
    EXPECT_EQ(e("newsx"), 20);
    EXPECT_EQ(e("entrybkalpha"), 50);
    EXPECT_FALSE(ticker.EntryStyle().BoolSetting("entrydrawborder")->GetBool());
    EXPECT_EQ(ticker.FeedUrls, QStringList{"a"});
    EXPECT_EQ(ticker.Player(), PlayerKind::Flash);
    // Fonts keep their style but take the size of a missing attribute.
    const Fblog& entry = ticker.EntryStyle();
    EXPECT_TRUE(entry.Font(1).Font.bold());
    EXPECT_TRUE(entry.Font(3).Font.italic());
    EXPECT_TRUE(entry.Font(5).Font.underline());
    EXPECT_EQ(entry.Font(2).Font.pointSize(), 18);
    EXPECT_FALSE(entry.NextButton()->Picture().isNull());
    EXPECT_TRUE(entry.NextButton()->FileName.isEmpty());
}

TEST_F(SettingsFile, ValueFormsAreReadAsTheFileWritesThem)
{
    Fmovie ticker;
    ticker.ReadSettingsFile(write(settingsWith(" bkdrawbk=\"TRUE\"\r\n bkcolor=\"0x00FF00\"\r\n"
                                               " titlefontstyle=\"Bold\"\r\n titlefontcolor=\"#000080\"\r\n"
                                               " datefontstyle=\"normal\"\r\n datefontitalic=\"italic\"\r\n"
                                               " linkfontstyle=\"normal\"\r\n linkfontitalic=\"normal\"\r\n"
                                               " player=\"HTML5\"\r\n")));
    const Fblog& entry = ticker.EntryStyle();
    EXPECT_TRUE(ticker.BoolSetting("bkdrawbk")->GetBool());
    EXPECT_EQ(ticker.ColorSetting("bkcolor")->GetColor(), 0x0000FF00);
    EXPECT_FALSE(entry.Font(1).Font.bold());
    EXPECT_EQ(entry.Font(1).Color, colors::Navy);
    EXPECT_TRUE(entry.Font(3).Font.italic());
    EXPECT_FALSE(entry.Font(5).Font.underline());
    EXPECT_EQ(ticker.Player(), PlayerKind::HTML5);

    // Only "html5" in any letter case chooses the browser player.
    ticker.ReadSettingsFile(write(settingsWith(" player=\"flash5\"\r\n")));
    EXPECT_EQ(ticker.Player(), PlayerKind::Flash);
}

TEST_F(SettingsFile, OnlyHtml5AddsThePlayerLineAfterTheLastFont)
{
    Fmovie ticker;
    ticker.SetPlayer(PlayerKind::HTML5);
    const QByteArray flash = fixture("default.xml");
    QByteArray html5 = flash;
    html5.insert(html5.size() - QByteArray("></velmoranews>").size(), " player=\"html5\"\r\n");
    EXPECT_EQ(ticker.WriteSettingsXml().toUtf8(), html5);
    ticker.SetPlayer(PlayerKind::Flash);
    EXPECT_EQ(ticker.WriteSettingsXml().toUtf8(), flash);
}

TEST_F(SettingsFile, ReadsMyNewsBesideTheSettingsFile)
{
    write(
        "<?xml version=\"1.0\"?>\r\n<rss version=\"2.0\">\r\n<channel>\r\n<item>\r\n<title>Hello</title>\r\n"
        "<author>Me</author>\r\n<pubDate>09 Dec 2026  3:05 pm</pubDate>\r\n<description>Line1\r\nLine2"
        "</description>\r\n</item>\r\n</channel>\r\n</rss>\r\n",
        "my.txt");
    FakeHost host;
    Fmovie ticker(nullptr, &host);
    ticker.ReadSettingsFile(write(settingsWith(" newsurl1=\"my.txt\"\r\n")));
    ASSERT_EQ(ticker.NewsDocument().Entries().size(), 1);
    EXPECT_EQ(host.historyRows, QStringList{"Hello|09 Dec 2026 3:05 pm|Line1 Line2"});
}

TEST_F(SettingsFile, BrokenFileLeavesAFreshTickerAndNamesTheFile)
{
    struct Case {
        const char* what;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"not well-formed", "<?xml version=\"1.0\"?>\r\n<velmoranews mainwidth=\"300\"\r\n"},
        {"invalid colour", settingsWith(" mainwidth=\"300\"\r\n bkcolor=\"blue\"\r\n")},
        {"negative colour", settingsWith(" mainwidth=\"300\"\r\n newsurl1=\"x\"\r\n entrybdrclr=\"-5\"\r\n")},
        {"invalid font colour", settingsWith(" mainwidth=\"300\"\r\n textfontcolor=\"zz\"\r\n")},
    };
    const QByteArray fresh = fixture("default.xml");
    for (const Case& c : cases) {
        FakeHost host;
        Fmovie ticker(nullptr, &host);
        ticker.AddFeedUrl("http://old.example/");
        const QString path = write(c.bytes, "broken.xml");
        try {
            ticker.ReadSettingsFile(path);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const IoError& error) {
            EXPECT_TRUE(error.message().contains(path)) << c.what;
        }
        EXPECT_EQ(ticker.WriteSettingsXml().toUtf8(), fresh) << c.what;
        EXPECT_TRUE(ticker.SettingsFileName.isEmpty()) << c.what;
        ASSERT_EQ(host.problems.size(), 1) << c.what;
        EXPECT_TRUE(host.problems.first().contains("broken.xml")) << c.what;
    }
}

TEST_F(SettingsFile, MissingImageIsReportedAndTheLoadGoesOn)
{
    FakeHost host;
    Fmovie ticker(nullptr, &host);
    ticker.ReadSettingsFile(write(settingsWith(" mainwidth=\"321\"\r\n entrybkimage=\"gone.png\"\r\n"
                                               " nextbutton=\"nonext.gif\"\r\n")));
    EXPECT_EQ(ticker.IntSetting("mainwidth")->GetInt(), 321);
    EXPECT_EQ(ticker.EntryStyle().StringSetting("entrybkimage")->GetText(), "gone.png");
    EXPECT_TRUE(ticker.EntryStyle().BackgroundPicture.isNull());
    EXPECT_EQ(ticker.EntryStyle().NextButton()->FileName, "nonext.gif");
    ASSERT_EQ(host.problems.size(), 2);
    EXPECT_TRUE(host.problems.at(0).contains("gone.png"));
    EXPECT_TRUE(host.problems.at(1).contains("nonext.gif"));
    EXPECT_FALSE(ticker.Modified);
}

TEST_F(SettingsFile, ImagesAreFoundBesideTheSettingsFile)
{
    QImage tile(50, 30, QImage::Format_RGB32);
    tile.fill(Qt::red);
    ASSERT_TRUE(tile.save(dir.filePath("tile.png")));
    ASSERT_TRUE(tile.save(dir.filePath("next.png")));
    Fmovie ticker;
    ticker.ReadSettingsFile(
        write(settingsWith(" entrybkimage=\"tile.png\"\r\n nextbutton=\"next.png\"\r\n")));
    const Fblog& entry = ticker.EntryStyle();
    EXPECT_EQ(entry.BackgroundPicture.size(), QSize(50, 30));
    EXPECT_EQ(entry.ImageFolder, dir.path() + "/");
    EXPECT_EQ(entry.NextButton()->FullPath, dir.filePath("next.png"));
    EXPECT_TRUE(ticker.WriteSettingsXml().contains(" entrybdrdashed=\"false\"\r\n nextbutton=\"next.png\"\r\n"
                                                   " titlefontname="));
}

TEST_F(SettingsFile, MissingFileDoesNothing)
{
    Fmovie ticker;
    ticker.ReadSettingsFile(dir.filePath("none.xml"));
    EXPECT_TRUE(ticker.SettingsFileName.isEmpty());
    EXPECT_EQ(ticker.WriteSettingsXml().toUtf8(), fixture("default.xml"));
}

} // namespace
