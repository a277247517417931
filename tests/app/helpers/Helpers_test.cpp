#include "app/helpers/Helpers.h"
#include "platform/Shell.h"
#include "platform/XmlDocument.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPalette>
#include <QTemporaryDir>

namespace {

void touch(const QString& path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

struct TextCase {
    const char* input;
    const char* expected;
};

TEST(FileNames, WithTrailingBackslash)
{
    const TextCase cases[] = {
        {"", ""}, {"C:", "C:/"}, {"C:/x/", "C:/x/"}, {"C:\\x\\", "C:\\x\\"}, {"/a/b", "/a/b/"}};
    for (const auto& c : cases)
        EXPECT_EQ(WithTrailingBackslash(c.input), QString(c.expected)) << c.input;
}

TEST(FileNames, FileBaseName)
{
    const TextCase cases[] = {
        {"C:\\a.b\\News.Ticker.XML", "News"},
        {"C:\\Sites\\.hidden.xml", ""},
        {"/home/u/a.b/ticker.xml", "ticker"},
        {"C:noname", "noname"},
        {"plain", "plain"},
        {"dir/", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileBaseName(c.input), QString(c.expected)) << c.input;
}

TEST(FileNames, UniqueFileNameSkipsExistingNumbers)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    EXPECT_EQ(UniqueFileName(folder, "feeds", ".opml"), folder + "feeds.opml");
    touch(folder + "feeds.opml");
    touch(folder + "feeds(2).opml");
    EXPECT_EQ(UniqueFileName(folder, "feeds", ".opml"), folder + "feeds(3).opml");
}

TEST(Folders, EnsureFolderCreatesClearsAndReportsFailure)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + "/made/";
    EXPECT_EQ(EnsureFolder(folder, false), folder);
    ASSERT_TRUE(QDir(folder).exists());
    touch(folder + "a.txt");
    touch(folder + "noext");
    touch(folder + ".hidden");
    ASSERT_TRUE(QDir().mkdir(folder + "keep"));
    touch(folder + "keep/inner.txt");

    EnsureFolder(folder, true);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList());
    EXPECT_TRUE(QFile::exists(folder + "keep/inner.txt")) << "sub-folders are never entered";

    // One level only: the parent must exist.
    EXPECT_THROW(EnsureFolder(dir.path() + "/no/such/", false), IoError);
    try {
        EnsureFolder(dir.path() + "/no/such/", false);
    } catch (const IoError& e) {
        EXPECT_TRUE(e.message().contains("such")) << e.message().toStdString();
    }
}

TEST(Folders, DeleteFilesInHonoursPattern)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    touch(folder + "a.jpg");
    touch(folder + "b.JPG");
    touch(folder + "c.png");
    DeleteFilesIn(folder, "*.jpg");
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"c.png"});
    DeleteFilesIn(dir.path() + "/missing/", "*.*"); // no folder: nothing happens
}

TEST(Folders, ExeAndDocumentsFoldersEndInSeparator)
{
    EXPECT_TRUE(ExeFolder().endsWith('/'));
    EXPECT_TRUE(QDir(ExeFolder()).exists());
    const QString docs = MyDocumentsFolder();
    EXPECT_TRUE(docs.isEmpty() || docs.endsWith('/'));
}

TEST(Shell, OpenWithShellGoesThroughTheHandler)
{
    QStringList opened;
    Shell::setOpenHandler([&](const QString& t) { opened << t; });
    OpenWithShell("https://example.invalid/x");
    OpenWithShell("");
    Shell::setOpenHandler({});
    EXPECT_EQ(opened, QStringList{"https://example.invalid/x"});
}

// --- colours ----------------------------------------------------------------------------

TEST(Colors, ColorToTextSwapsToRgbOrder)
{
    EXPECT_EQ(ColorToText(colors::White), "0xFFFFFF");
    EXPECT_EQ(ColorToText(colors::Red), "0xFF0000");
    EXPECT_EQ(ColorToText(0x00123456), "0x563412");
    EXPECT_EQ(ColorToHex(0x00800000), "000080");
    EXPECT_EQ(ColorToText(0x12ABCDEF), "0xEFCDAB") << "the fourth byte is not a colour";
}

TEST(Colors, SystemColorsResolveThroughPalette)
{
    QPalette palette = QGuiApplication::palette();
    const QPalette saved = palette;
    palette.setColor(QPalette::Active, QPalette::Button, QColor(10, 20, 30));
    palette.setColor(QPalette::Active, QPalette::Base, QColor(1, 2, 3));
    QGuiApplication::setPalette(palette);
    EXPECT_EQ(ColorToText(colors::BtnFace), "0x0A141E");
    EXPECT_EQ(ResolveColor(TColor(0x80000005)), 0x030201);
    EXPECT_EQ(ToQColor(colors::BtnFace), QColor(10, 20, 30));
    EXPECT_GE(ResolveColor(TColor(0x800000FF)), 0) << "unknown index";
    QGuiApplication::setPalette(saved);
}

TEST(Colors, TextToColorReadsNumbers)
{
    struct Case {
        const char* text;
        TColor expected;
    } cases[] = {
        {"0x0000FF", colors::Blue}, {"16711680", colors::Red}, {"0xFF0000", colors::Red},
        {"$FF0000", colors::Red},   {"x00FF00", 0x00FF00},     {"X0000ff", colors::Blue},
        {"  +255", 0xFF0000},       {"0X010203", 0x030201},    {"0x7A010203", 0x030201},
        {"clWhite", colors::White}, {"clRed", colors::Red},    {"clnavy", colors::Navy},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextToColor(c.text), c.expected) << c.text;
}

TEST(Colors, TextToColorErrors)
{
    for (const char* text : {"", " ", "0x", "$", "12px", "12 ", "0xGG", "red", "99999999999", "1.5"})
        EXPECT_THROW(TextToColor(text), ConvertError) << text;
    for (const char* text : {"-1", "0xFFFFFFFF", "-0x10"})
        EXPECT_THROW(TextToColor(text), RangeError) << text;
}

TEST(Colors, HexToColorStripsHashes)
{
    const TColor orange = 0x0080FF;
    EXPECT_EQ(HexToColor("#FF8000"), orange);
    EXPECT_EQ(HexToColor("FF8000"), orange);
    EXPECT_EQ(HexToColor("##FF#8000"), orange);
    EXPECT_THROW(HexToColor(""), ConvertError);
    EXPECT_THROW(HexToColor("#"), ConvertError);
}

TEST(Colors, QColorRoundTrip)
{
    EXPECT_EQ(FromQColor(QColor(255, 128, 0)), 0x0080FF);
    EXPECT_EQ(ToQColor(0x0080FF), QColor(255, 128, 0));
}

// --- XML attributes ---------------------------------------------------------------------

TEST(XmlAttributes, ReadAttrIntFallsBackOnBadText)
{
    const XmlDocument doc = XmlDocument::loadData(
        R"(<e a="12px" b="12 " c=" 12" d="$10" e="" f="-7" g="0x7FFFFFFF" h="2147483648" i="-2147483648")"
        R"( j="$FFFFFFFF" k="&#x31;3"/>)");
    const XmlNode e = doc.documentElement();
    struct Case {
        const char* name;
        int expected;
    } cases[] = {{"a", -99},        {"b", -99}, {"c", 12},
                 {"d", 16},         {"e", -99}, {"f", -7},
                 {"g", 2147483647}, {"h", -99}, {"i", int(-2147483648LL)},
                 {"j", -1},         {"k", 13},  {"missing", -99}};
    for (const auto& c : cases)
        EXPECT_EQ(ReadAttrInt(e, c.name, -99), c.expected) << c.name;
    EXPECT_EQ(ReadAttrInt(XmlNode(), "a", 5), 5);
}

TEST(XmlAttributes, ReadAttrTextMissingAndEmptyAreEqual)
{
    const XmlDocument doc = XmlDocument::loadData(R"(<e a="" b="x &amp; y"/>)");
    const XmlNode e = doc.documentElement();
    EXPECT_EQ(ReadAttrText(e, "a"), "");
    EXPECT_EQ(ReadAttrText(e, "missing"), "");
    EXPECT_EQ(ReadAttrText(e, "b"), "x & y");
    EXPECT_EQ(ReadAttrText(XmlNode(), "b"), "");
}

// --- text -------------------------------------------------------------------------------

TEST(Text, ReplaceAll)
{
    struct Case {
        const char* text;
        const char* oldText;
        const char* newText;
        const char* sensitive;
        const char* insensitive;
    } cases[] = {
        {"aaa", "aa", "b", "ba", "ba"},
        {"abc", "", "x", "abc", "abc"},
        {"a&b", "&", "&amp;", "a&amp;b", "a&amp;b"},
        {"Jan jan JAN", "jan", "1", "Jan 1 JAN", "1 1 1"},
        {"xx", "x", "xx", "xxxx", "xxxx"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReplaceAll(c.text, c.oldText, c.newText), QString(c.sensitive)) << c.text;
        EXPECT_EQ(ReplaceAllIgnoreCase(c.text, c.oldText, c.newText), QString(c.insensitive)) << c.text;
    }
    EXPECT_EQ(RemoveChar("a#b##c", '#'), "abc");
}

TEST(Text, WideCopyCountsCharacters)
{
    const QString text = QString::fromUtf8("Grüße");
    struct Case {
        int index;
        int count;
        const char* expected;
    } cases[] = {{1, 3, "Grü"}, {0, 2, "Gr"}, {-5, 1, "G"}, {4, 100, "ße"},
                 {6, 1, ""},    {2, -1, ""},  {1, 0, ""}};
    for (const auto& c : cases)
        EXPECT_EQ(WideCopy(text, c.index, c.count), QString::fromUtf8(c.expected))
            << c.index << "," << c.count;
}

} // namespace
