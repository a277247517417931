#include "platform/Errors.h"
#include "platform/SafeWrite.h"
#include "sources/core/Catalogue.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

namespace {

QString Fixture(const QString& name)
{
    return testsupport::testDataDir() + "/sources/" + name;
}

FRSSsiteData Custom(const QString& title, const QString& url)
{
    FRSSsiteData row;
    row.title = title;
    row.xmlUrl = url;
    row.custom = true;
    return row;
}

} // namespace

TEST(CatalogueReader, ReadsGroupsAndFeedsInDocumentOrder)
{
    const std::vector<FRSSsiteData> rows = ReadCatalogueFile(Fixture("catalogue_groups.xml"));
    ASSERT_EQ(rows.size(), 6u);

    EXPECT_TRUE(rows[0].isGroup);
    EXPECT_EQ(rows[0].title, "World");

    const FRSSsiteData& alpha = rows[1];
    EXPECT_FALSE(alpha.isGroup);
    EXPECT_FALSE(alpha.custom);
    EXPECT_EQ(alpha.text, "Alpha text");
    EXPECT_EQ(alpha.title, "Alpha");
    EXPECT_EQ(alpha.type, "rss");
    EXPECT_EQ(alpha.version, "RSS2");
    EXPECT_EQ(alpha.xmlUrl, "http://alpha.example/rss");
    EXPECT_EQ(alpha.htmlUrl, "http://alpha.example/");
    EXPECT_EQ(alpha.description, "First \"feed\"");

    // Missing attributes give empty fields; an element named "Outline" is not a feed.
    EXPECT_EQ(rows[2].title, "Only a title");
    EXPECT_TRUE(rows[2].xmlUrl.isEmpty());
    EXPECT_EQ(rows[3].title, "Query");

    // Any value of "custom" marks the user's own feed, "false" too.
    EXPECT_TRUE(rows[3].custom);
    // The parser gives "&amp;" and the extra resolving the bare ampersand.
    EXPECT_EQ(rows[3].xmlUrl, "http://q.example/rss?a=1&b=2");

    // A channel without a name is a group with an empty name; other elements are skipped.
    EXPECT_TRUE(rows[4].isGroup);
    EXPECT_TRUE(rows[4].title.isEmpty());
    EXPECT_EQ(rows[5].title, QString::fromUtf8("Caf\xc3\xa9 Z\xc3\xbcrich"));
    EXPECT_TRUE(rows[5].custom);
}

TEST(CatalogueReader, MissingFileGivesNothingAndBrokenFileRaises)
{
    EXPECT_TRUE(ReadCatalogueFile(Fixture("no such catalogue.xml")).empty());
    EXPECT_THROW(ReadCatalogueFile(Fixture("broken_catalogue.xml")), XmlError);
}

TEST(CatalogueText, EntityTablesRunInTheirOrder)
{
    EXPECT_EQ(EscapeCatalogueText("a&b<c>d'e\"f&amp;"), "a&amp;b&lt;c&gt;d&apos;e&quot;f&amp;amp;");
    // "&amp;" is resolved last, so "&amp;lt;" becomes "&lt;" and not "<".
    EXPECT_EQ(ResolveCatalogueEntities("&lt;&gt;&apos;&quot;&amp;lt;"), "<>'\"&lt;");
}

TEST(CustomCatalogue, WithoutCustomFeedsHoldsHeaderEmptyLineAndFooter)
{
    FRSSsiteData group;
    group.title = "Custom News Sources";
    group.isGroup = true;
    group.custom = true;
    FRSSsiteData shipped;
    shipped.title = "Shipped";
    EXPECT_EQ(CustomCatalogueBytes({&group, &shipped}),
              QByteArray("<?xml version=\"1.0\"?>\r\n"
                         "<newssources>\r\n"
                         "<channel name=\"Custom News Sources\">\r\n"
                         "\r\n"
                         "</channel>\r\n"
                         "</newssources>\r\n"));
}

TEST(CustomCatalogue, WritesEveryAttributeEscapedInRowOrder)
{
    FRSSsiteData full = Custom("Tom & \"Jerry\"", "http://t.example/?a=1&b=<2>");
    full.text = "it's";
    full.type = "rss";
    full.version = "2.0";
    full.htmlUrl = "http://t.example/";
    full.description = "d";
    const FRSSsiteData bare = Custom("B", "http://b.example/");
    const QByteArray bytes = CustomCatalogueBytes({&full, &bare});
    const QByteArray expected =
        "<?xml version=\"1.0\"?>\r\n<newssources>\r\n<channel name=\"Custom News Sources\">\r\n\r\n"
        "<outline text=\"it&apos;s\" title=\"Tom &amp; &quot;Jerry&quot;\" type=\"rss\" version=\"2.0\""
        " xmlUrl=\"http://t.example/?a=1&amp;b=&lt;2&gt;\" htmlUrl=\"http://t.example/\" description=\"d\""
        " custom=\"true\"/>\r\n"
        "<outline text=\"\" title=\"B\" type=\"\" version=\"\" xmlUrl=\"http://b.example/\" htmlUrl=\"\""
        " description=\"\" custom=\"true\"/>\r\n"
        "</channel>\r\n</newssources>\r\n";
    EXPECT_EQ(bytes, expected);
}

TEST(CustomCatalogue, WrittenFileReadsBackAsTheSameFeeds)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("my custom news sources.xml");
    FRSSsiteData accented =
        Custom(QString::fromUtf8("Caf\xc3\xa9 \xe2\x82\xac <News>"), "http://c.example/?x='1'");
    accented.description = "Line \"one\"";
    WriteFileAtomically(path, CustomCatalogueBytes({&accented}));

    const std::vector<FRSSsiteData> rows = ReadCatalogueFile(path);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].title, "Custom News Sources");
    EXPECT_EQ(rows[1].title, accented.title);
    EXPECT_EQ(rows[1].xmlUrl, accented.xmlUrl);
    EXPECT_EQ(rows[1].description, accented.description);
    EXPECT_TRUE(rows[1].custom);
}

// Writes fail past a file-size limit, as on a full disk; the limit applies to root too.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_saved{};
    void (*m_handler)(int);
};

TEST(CustomCatalogue, FailedWriteLeavesThePreviousFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("my custom news sources.xml");
    ASSERT_TRUE(testsupport::writeFile(path, "previous feeds"));
    {
        FileSizeLimit limit(64);
        EXPECT_THROW(WriteFileAtomically(path, QByteArray(4096, 'x')), IoError);
    }
    EXPECT_EQ(testsupport::readFile(path), "previous feeds");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"my custom news sources.xml"});

    // A folder in the file's place cannot be replaced either.
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken"));
    EXPECT_THROW(WriteFileAtomically(dir.filePath("taken"), "x"), IoError);
}

TEST(CatalogueCheck, AcceptsOnlyWellFormedCataloguesWithAChannel)
{
    struct Case {
        const char* body;
        bool usable;
    };
    const Case cases[] = {
        {"<newssources><channel name=\"A\"/></newssources>", true},
        {"<?xml version=\"1.0\"?>\r\n<newssources>\r\n<channel name=\"A\">\r\n<outline "
         "title=\"x\"/></channel>"
         "</newssources>",
         true},
        {"<newssources></newssources>", false},
        {"<newssources><group/></newssources>", false},
        {"<rss><channel/></rss>", false},
        {"<html><body>Not found</body></html>", false},
        {"<newssources><channel name=\"A\">", false},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsUsableCatalogue(c.body), c.usable) << c.body;
}

TEST(TitleOrder, ComparesBytesWithOnlyAToZFolded)
{
    struct Case {
        const char* a;
        const char* b;
        int sign;
    };
    const Case cases[] = {
        {"alpha", "ALPHA", 0},
        {"alpha", "Beta", -1},
        {"Zulu", "delta", 1},
        {"ab", "abc", -1},
        {"", "a", -1},
        {"Delta", "charlie", 1},
        // "_" (0x5F) lies after the upper-case letters, so it sorts after every letter.
        {"_news", "zebra", 1},
        {"[x]", "Z", 1},
        {"1 News", "A", -1},
        // Bytes beyond ASCII are not folded: "\xc3\xa9" is greater than any letter.
        {"\xc3\xa9t\xc3\xa9", "zz", 1},
        {"\xc3\xa9", "\xc3\x89", 1},
    };
    for (const Case& c : cases) {
        const int result = CompareTitles(QString::fromUtf8(c.a), QString::fromUtf8(c.b));
        EXPECT_EQ((result > 0) - (result < 0), c.sign) << c.a << " vs " << c.b;
    }
}
