#include "mynews/doc/FblogDocument.h"

#include "app/helpers/AppState.h"
#include "platform/Clock.h"
#include "platform/Errors.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

// Readable QString values in failure messages.
void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

using testsupport::readFile;
using testsupport::writeFile;

namespace {

const QByteArray Head = "<?xml version=\"1.0\"?>\r\n<rss version=\"2.0\">\r\n<channel>\r\n";
const QByteArray Tail = "</channel>\r\n</rss>\r\n";

class FblogDocumentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Clock::setInstance(std::make_unique<FixedClock>(QDateTime(QDate(2026, 12, 9), QTime(15, 5))));
        PreviewFlag = false;
    }
    void TearDown() override
    {
        Clock::setInstance(nullptr);
        PreviewFlag = false;
    }

    FblogItem* add(const QString& title, const QString& date, const QString& time = QString(),
                   const QString& description = QString(), const QString& author = QString())
    {
        return doc.AddEntry(title, QString(), time, description, date, author);
    }
    QStringList titles() const
    {
        QStringList out;
        for (const FblogItem* e : doc.Entries()) {
            out << e->Title();
        }
        return out;
    }

    QTemporaryDir dir;
    FblogDocument doc;
};

// --- the RSS text --------------------------------------------------------------------------

TEST_F(FblogDocumentTest, EmptyDocumentWritesOnlyTheFrame)
{
    EXPECT_EQ(doc.BuildRssText(false).toUtf8(), Head + Tail);
}

TEST_F(FblogDocumentTest, PreviewOfEmptyDocumentRepeatsTheSampleThreeTimes)
{
    FblogDocument fresh; // made under the fixed clock: the sample carries that day
    const QByteArray item = "<item>\r\n<title>My Blog</title>\r\n<author>My Name</author>\r\n"
                            "<pubDate>09 Dec 2026  </pubDate>\r\n"
                            "<description>This is my blog. I quite like it.</description>\r\n</item>\r\n";
    EXPECT_EQ(fresh.BuildRssText(true).toUtf8(), Head + item + item + item + Tail);

    fresh.AddEntry("Real", QString(), QString(), QString(), QString(), QString());
    EXPECT_EQ(fresh.BuildRssText(true).toUtf8(),
              Head + "<item>\r\n<title>Real</title>\r\n</item>\r\n" + Tail);
}

TEST_F(FblogDocumentTest, ItemLinesAppearOnlyForNonEmptyFieldsAndAreEscaped)
{
    add(QString(), "01 Jan 2026");
    doc.AddEntry("Tom &amp; Jerry&apos;s &lt;show&gt;", "http://x.example/?a=1&b=2", "3:05 pm",
                 "line \"one\"\r\nline two", "02 Jan 2026", "Ann");
    const QByteArray expected = Head +
                                "<item>\r\n"
                                "<title>Tom &amp; Jerry&apos;s &lt;show&gt;</title>\r\n"
                                "<link>http://x.example/?a=1&amp;b=2</link>\r\n"
                                "<author>Ann</author>\r\n"
                                "<pubDate>02 Jan 2026  3:05 pm</pubDate>\r\n"
                                "<description>line &quot;one&quot;\r\nline two</description>\r\n"
                                "</item>\r\n"
                                "<item>\r\n<pubDate>01 Jan 2026  </pubDate>\r\n</item>\r\n" +
                                Tail;
    EXPECT_EQ(doc.BuildRssText(false).toUtf8(), expected);
    EXPECT_EQ(doc.Entries().last()->Title(), "Tom & Jerry's <show>");
}

TEST_F(FblogDocumentTest, WriteRssFileUsesPreviewFlagAndUtf8WithoutBom)
{
    add(QString::fromUtf8("Caf\u00e9"), "01 Jan 2026");
    doc.WriteRssFile(dir.path() + "/", "news.txt");
    const QByteArray bytes = readFile(dir.filePath("news.txt"));
    EXPECT_TRUE(bytes.startsWith("<?xml"));
    EXPECT_TRUE(bytes.contains("<title>Caf\xc3\xa9</title>\r\n"));

    FblogDocument empty;
    PreviewFlag = true;
    empty.WriteRssFile(dir.path() + "/", "preview.txt");
    EXPECT_EQ(readFile(dir.filePath("preview.txt")).count("<item>"), 3);
}

TEST_F(FblogDocumentTest, FailedWriteKeepsThePreviousFileAndRaises)
{
    ASSERT_TRUE(writeFile(dir.filePath("news.txt"), "previous"));
    add("Long", "01 Jan 2026", QString(), QString(4000, QLatin1Char('x')));

    // A file size limit below the new text makes the write itself fail half-way.
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 1024;
    setrlimit(RLIMIT_FSIZE, &small);
    EXPECT_THROW(doc.WriteRssFile(dir.path() + "/", "news.txt"), IoError);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(readFile(dir.filePath("news.txt")), "previous");
    EXPECT_THROW(doc.WriteRssFile(dir.path() + "/missing/", "news.txt"), IoError);
}

// --- entries -------------------------------------------------------------------------------

TEST_F(FblogDocumentTest, AddEntryInsertsByDateAndKeepsAddingOrderWithinADay)
{
    add("b1", "05 Mar 2026");
    add("a", "01 Mar 2026");
    add("c", "9 Apr 2026");
    add("b2", "05 Mar 2026");
    add("z", "01 Jan 2027");
    EXPECT_EQ(titles(), QStringList({"a", "b2", "b1", "c", "z"}));

    // Newest first in the file; within a day the entry added first comes first.
    const QString rss = doc.BuildRssText(false);
    EXPECT_LT(rss.indexOf("<title>b1<"), rss.indexOf("<title>b2<"));
    EXPECT_LT(rss.indexOf("<title>z<"), rss.indexOf("<title>c<"));
}

TEST_F(FblogDocumentTest, UnreadableDatesAppend)
{
    add("x", "10 Mar 2026");
    add("bad", "10 March 2026");
    add("y", "01 Jan 2026");    // goes before x without reaching the bad entry
    add("late", "01 Jan 2030"); // walks into the bad entry: appended after it
    add("bad2", "");
    EXPECT_EQ(titles(), QStringList({"y", "x", "bad", "late", "bad2"}));
}

TEST_F(FblogDocumentTest, OrderingDoesNotDependOnTheUsersLocale)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    add("later", "01 Dec 2026");
    add("earlier", "01 Mar 2026");
    QLocale::setDefault(saved);
    EXPECT_EQ(titles(), QStringList({"earlier", "later"}));
    EXPECT_EQ(blogtext::DateText(QDate(2026, 3, 1)), "01 Mar 2026");
}

TEST_F(FblogDocumentTest, SetEntryDataStoresAsTypedAndDoesNotReorder)
{
    FblogItem* first = add("first", "01 Jan 2026", QString(), "&lt;b&gt;bold&lt;/b&gt;");
    FblogItem* second = add("second", "02 Jan 2026");
    EXPECT_EQ(first->Description(), "<b>bold</b>");

    FblogData data;
    ASSERT_TRUE(doc.GetEntryData(first, data));
    data.Date = "01 Jan 2030";
    data.Description = "&lt;b&gt;";
    ASSERT_TRUE(doc.SetEntryData(first, data));
    EXPECT_EQ(first->Description(), "&lt;b&gt;");
    EXPECT_EQ(doc.Entries(), QList<FblogItem*>({first, second}));

    // The edited date counts for the next insertion's walk.
    add("third", "03 Jan 2026");
    EXPECT_EQ(titles(), QStringList({"third", "first", "second"}));
}

TEST_F(FblogDocumentTest, DeletedEntryStaysValidButIsNoLongerFound)
{
    FblogItem* entry = add("gone", "01 Jan 2026");
    doc.DeleteEntry(entry);
    doc.DeleteEntry(entry);
    EXPECT_TRUE(doc.Entries().isEmpty());
    EXPECT_EQ(entry->Title(), "gone");

    FblogData data;
    data.Title = "untouched";
    EXPECT_FALSE(doc.GetEntryData(entry, data));
    EXPECT_EQ(data.Title, "untouched");
    EXPECT_FALSE(doc.SetEntryData(entry, data));
    EXPECT_EQ(entry->Title(), "gone");
}

// --- date and time texts -------------------------------------------------------------------

TEST(BlogText, DateConversion)
{
    const struct {
        const char* text;
        QDate expected; // invalid: the conversion fails
    } cases[] = {
        {"09 Dec 2026", QDate(2026, 12, 9)},
        {"9 Jan 2027", QDate(2027, 1, 9)},
        {"29 Feb 2028", QDate(2028, 2, 29)},
        {"29 Feb 2027", QDate()},
        {"09 December 2026", QDate()},
        {"09 dec 2026", QDate()},
        {"", QDate()},
        {"09 Dec 2026 x", QDate()},
        {"32 Dec 2026", QDate()},
        {"09  Dec 2026", QDate()},
    };
    for (const auto& c : cases) {
        const std::optional<QDate> value = blogtext::DateValue(c.text);
        EXPECT_EQ(value.value_or(QDate()), c.expected) << c.text;
    }
}

TEST(BlogText, TimeTextsRoundTrip)
{
    const struct {
        QTime time;
        const char* text;
    } cases[] = {{QTime(15, 5), "3:05 pm"},
                 {QTime(0, 7), "12:07 am"},
                 {QTime(12, 0), "12:00 pm"},
                 {QTime(9, 59), "9:59 am"}};
    for (const auto& c : cases) {
        EXPECT_EQ(blogtext::TimeText(c.time), c.text);
        EXPECT_EQ(blogtext::TimeValue(c.text).value_or(QTime()), c.time) << c.text;
    }
    for (const char* bad : {"", "13:00 pm", "3:60 am", "15:05", "0:10 am"}) {
        EXPECT_FALSE(blogtext::TimeValue(bad)) << bad;
    }
}

// --- reading -------------------------------------------------------------------------------

TEST_F(FblogDocumentTest, WriteThenReadGivesTheSameEntries)
{
    add("Old", "01 Jan 2026", "9:00 am", "two\r\nlines <b>bold</b> & more", "Ann");
    add("Same day first", "05 Jan 2026", "", "x", "Bob");
    add("Same day second", "05 Jan 2026", "11:30 pm", "", "Cy");
    doc.WriteRssFile(dir.path() + "/", "news.txt");

    FblogDocument back;
    back.ReadRssFile(dir.filePath("news.txt"));
    ASSERT_EQ(back.Entries().size(), doc.Entries().size());
    for (int i = 0; i < doc.Entries().size(); ++i) {
        EXPECT_EQ(back.Entries()[i]->Data(), doc.Entries()[i]->Data()) << i;
    }
    EXPECT_EQ(back.DefaultAuthor(), "Bob"); // the newest entry is the channel's first item
}

TEST_F(FblogDocumentTest, ReadingAddsToTheEntriesAndTakesOtherProgramsFeeds)
{
    add("Mine", "10 Dec 2026");
    doc.SetDefaultAuthor("Me");
    doc.ReadRssFile(testsupport::testDataDir() + "/mynews/other-program.txt");
    ASSERT_EQ(titles(), QStringList({"Second", "First", "Mine"}));

    const FblogData& first = doc.Entries()[1]->Data();
    EXPECT_EQ(first.Author, "Later Author");
    EXPECT_EQ(first.Date, "09 Dec 2026");
    EXPECT_EQ(first.Time, "3:05 pm");
    EXPECT_EQ(first.Link, "");
    EXPECT_EQ(first.Description, "line one\r\nline two <b>bold</b> &amp;");
    EXPECT_EQ(doc.Entries()[0]->Time(), "");
    EXPECT_EQ(doc.Entries()[0]->Description(), "");
    // The channel's first child is not an item, so the default author stays.
    EXPECT_EQ(doc.DefaultAuthor(), "Me");
}

TEST_F(FblogDocumentTest, ReadFailures)
{
    doc.ReadRssFile(dir.filePath("none.txt"));
    EXPECT_TRUE(doc.Entries().isEmpty());

    EXPECT_THROW(doc.ReadRssFile(testsupport::testDataDir() + "/mynews/not-well-formed.txt"), XmlError);
    EXPECT_TRUE(doc.Entries().isEmpty());

    try {
        doc.ReadRssFile(testsupport::testDataDir() + "/mynews/markup-in-title.txt");
        ADD_FAILURE() << "markup in a title must stop the reading";
    } catch (const XmlError& e) {
        EXPECT_TRUE(e.message().contains("Element does not contain a single text node")) << e.what();
    }
    EXPECT_EQ(titles(), QStringList({"Good"}));
}

// --- images --------------------------------------------------------------------------------

TEST_F(FblogDocumentTest, ListEntryImagesFindsEachTagsFile)
{
    add("1", "01 Jan 2026", "", "<IMG SRC=\"a.jpg\" alt=\"A\"> and <img\r\n src=\"b.png\">");
    add("2", "02 Jan 2026", "", "<img alt=\"only.gif\"><img src=x.jpg><img src=\"a.jpg\">");
    EXPECT_EQ(doc.ListEntryImages(), QStringList({"a.jpg", "b.png", "only.gif", "<img src=x.jpg>", "a.jpg"}));
}

TEST_F(FblogDocumentTest, ImagesOutsideTheOutputFolderAreNeitherListedNorCopied)
{
    const QString outside = dir.filePath("secret.jpg");
    ASSERT_TRUE(writeFile(outside, "secret"));
    QDir().mkpath(dir.filePath("src/pics"));
    QDir().mkpath(dir.filePath("out/pics"));
    ASSERT_TRUE(writeFile(dir.filePath("src/pics/ok.jpg"), "ok"));
    add("x", "01 Jan 2026", "",
        "<img src=\"http://example.org/a.jpg\"><img src=\"" + outside +
            "\"><img src=\"../secret.jpg\"><img src=\"pics/../../secret.jpg\">"
            "<img src=\"C:\\pics\\a.jpg\"><img src=\"data:image/png;base64,AAAA\"><img src=\"pics/ok.jpg\">");
    EXPECT_EQ(doc.ListEntryImages(), QStringList({"pics/ok.jpg"}));

    doc.CopyEntryImages(dir.filePath("src") + "/", dir.filePath("out") + "/");
    EXPECT_EQ(QDir(dir.filePath("out")).entryList(QDir::Files), QStringList());
    EXPECT_EQ(readFile(dir.filePath("out/pics/ok.jpg")), "ok");
}

TEST_F(FblogDocumentTest, CopyEntryImagesFillsOnlyMissingFilesFromSourceThenTemp)
{
    QDir().mkpath(dir.filePath("program"));
    InitFolders(dir.filePath("program") + "/");
    const QString src = dir.filePath("src") + "/";
    const QString out = dir.filePath("out") + "/";
    QDir().mkpath(src);
    QDir().mkpath(out);
    ASSERT_TRUE(writeFile(src + "new.jpg", "source"));
    ASSERT_TRUE(writeFile(src + "kept.jpg", "newer source"));
    ASSERT_TRUE(writeFile(out + "kept.jpg", "already there"));
    ASSERT_TRUE(writeFile(Folders().TempFolder + "fromtemp.jpg", "temp"));
    ASSERT_TRUE(writeFile(Folders().TempFolder + "new.jpg", "temp copy"));
    add("x", "01 Jan 2026", "",
        "<img src=\"new.jpg\"><img src=\"kept.jpg\"><img src=\"fromtemp.jpg\"><img src=\"nowhere.jpg\">");

    doc.CopyEntryImages(src, out);
    EXPECT_EQ(readFile(out + "new.jpg"), "source");
    EXPECT_EQ(readFile(out + "kept.jpg"), "already there");
    EXPECT_EQ(readFile(out + "fromtemp.jpg"), "temp");
    EXPECT_FALSE(QFile::exists(out + "nowhere.jpg"));
}

} // namespace
