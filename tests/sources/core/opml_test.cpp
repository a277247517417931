#include "app/helpers/Helpers.h"
#include "platform/Errors.h"
#include "sources/core/Opml.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

QString Fixture(const QString& name)
{
    return testsupport::testDataDir() + "/sources/" + name;
}

} // namespace

TEST(OpmlReader, TakesFeedsOfTheFirstTwoLevelsWithTitleAndAddress)
{
    const std::vector<FRSSsiteData> feeds = ReadOpmlFeeds(Fixture("feedreader_export.opml"));
    QStringList titles;
    for (const FRSSsiteData& feed : feeds)
        titles << feed.title;
    // The category outline has no address; "Too Deep" is three levels down; "Text Only Feed"
    // has no title; "No Address" and "Wrong attribute case" have no "xmlUrl".
    EXPECT_EQ(titles, (QStringList{"Top Level Feed", "Zeta Tech", "Beta &amp; Co", "Upper Case Element"}));

    const FRSSsiteData& zeta = feeds[1];
    EXPECT_EQ(zeta.text, "Zeta Tech");
    EXPECT_EQ(zeta.type, "rss");
    EXPECT_EQ(zeta.xmlUrl, "http://zeta.example/feed");
    EXPECT_EQ(zeta.htmlUrl, "http://zeta.example/");
    EXPECT_EQ(zeta.description, "Gadgets");
    EXPECT_TRUE(zeta.custom);
    // Values as the parser gives them: one level of entities only.
    EXPECT_EQ(feeds[2].xmlUrl, "http://beta.example/rss?x=1&y=2");
}

TEST(OpmlReader, TextOnlyOutlinesGiveNothingAndBrokenFilesRaise)
{
    EXPECT_TRUE(ReadOpmlFeeds(Fixture("text_only.opml")).empty());
    EXPECT_THROW(ReadOpmlFeeds(Fixture("broken.opml")), XmlError);
}

TEST(OpmlCopy, KeepsEachImportUnderAFreshName)
{
    QTemporaryDir source;
    QTemporaryDir opml;
    const QString chosen = source.filePath("my.feeds.opml");
    ASSERT_TRUE(QFile::copy(Fixture("text_only.opml"), chosen));
    const QString folder = WithTrailingBackslash(opml.path());

    const QString first = CopyOpmlFile(chosen, folder);
    const QString second = CopyOpmlFile(chosen, folder);
    EXPECT_EQ(first, folder + "my.opml");
    EXPECT_EQ(second, folder + "my(2).opml");
    EXPECT_EQ(testsupport::readFile(second), testsupport::readFile(chosen));

    EXPECT_TRUE(CopyOpmlFile(source.filePath("gone.opml"), folder).isEmpty());
}
