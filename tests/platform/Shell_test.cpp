#include "platform/Shell.h"

#include "platform/Clock.h"
#include "platform/XmlDocument.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QUrl>

namespace {

std::vector<XmlNode> bookmarks(const QString& file)
{
    std::vector<XmlNode> result;
    for (const XmlNode& n : XmlDocument::loadFile(file).documentElement().children())
        if (n.name() == "bookmark")
            result.push_back(n);
    return result;
}

class RecentDocuments : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile::remove(Shell::recentDocumentsFile());
        Clock::setInstance(std::make_unique<FixedClock>(QDateTime({2026, 12, 9}, {10, 0}, Qt::UTC)));
    }
    void TearDown() override { Clock::setInstance(nullptr); }
};

TEST_F(RecentDocuments, AddsOnceAndRefreshes)
{
    const QString file = Shell::recentDocumentsFile();
    EXPECT_TRUE(file.startsWith(QString::fromLocal8Bit(qgetenv("XDG_DATA_HOME"))));
    const QString doc = QDir::tempPath() + "/my ticker & news.xml";
    ASSERT_TRUE(Shell::addToRecentDocuments(doc));
    ASSERT_TRUE(Shell::addToRecentDocuments("/tmp/other.xml"));
    Clock::setInstance(std::make_unique<FixedClock>(QDateTime({2026, 12, 10}, {8, 0}, Qt::UTC)));
    ASSERT_TRUE(Shell::addToRecentDocuments(doc));

    const auto marks = bookmarks(file);
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_EQ(QUrl(marks[0].attribute("href")).toLocalFile(), doc);
    EXPECT_EQ(marks[0].attribute("added"), "2026-12-09T10:00:00Z");
    EXPECT_EQ(marks[0].attribute("modified"), "2026-12-10T08:00:00Z");
    const XmlNode app =
        marks[0].child("info").child("metadata").child("bookmark:applications").child("bookmark:application");
    EXPECT_EQ(app.attribute("count"), "2");
}

TEST_F(RecentDocuments, KeepsOtherProgramsEntriesAndRefusesABrokenList)
{
    const QString file = Shell::recentDocumentsFile();
    const QByteArray foreign = "<?xml version=\"1.0\"?>\n<xbel version=\"1.0\" "
                               "xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\">"
                               "<bookmark href=\"file:///x/a.odt\" added=\"2020-01-01T00:00:00Z\"/></xbel>";
    ASSERT_TRUE(testsupport::writeFile(file, foreign));
    ASSERT_TRUE(Shell::addToRecentDocuments("/x/b.xml"));
    const auto marks = bookmarks(file);
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_EQ(marks[0].attribute("href"), "file:///x/a.odt");

    const QByteArray broken = "<xbel><bookmark href=";
    ASSERT_TRUE(testsupport::writeFile(file, broken));
    EXPECT_FALSE(Shell::addToRecentDocuments("/x/c.xml"));
    EXPECT_EQ(testsupport::readFile(file), broken);
}

TEST(ShellOpen, HandlerSeesTargetsAndDocumentsFolderEndsInSlash)
{
    QStringList seen;
    Shell::setOpenHandler([&](const QString& target) { seen << target; });
    Shell::open("/tmp/a folder/");
    Shell::open("https://example.invalid/");
    Shell::open("");
    Shell::setOpenHandler({});
    EXPECT_EQ(seen, (QStringList{"/tmp/a folder/", "https://example.invalid/"}));

    Shell::clearRecordedTargets();
    Shell::open("https://example.invalid/never-launched");
    EXPECT_EQ(Shell::recordedTargets(), QStringList{"https://example.invalid/never-launched"});
    EXPECT_TRUE(Shell::documentsFolder().endsWith("/Documents/")) << Shell::documentsFolder().toStdString();
}

TEST(ShellOpen, LaunchArgumentIsNeverAnOption)
{
    const struct {
        const char* target;
        const char* argument;
    } cases[] = {
        {"https://example.invalid/a b", "https://example.invalid/a%20b"},
        {"mailto:x@example.invalid", "mailto:x@example.invalid"},
        {"/tmp/my file.html", "file:///tmp/my%20file.html"},
        {"C:stays-a-file", nullptr},
        {"--help", nullptr},
    };
    for (const auto& c : cases) {
        const QString arg = Shell::launchArgument(c.target);
        if (c.argument)
            EXPECT_EQ(arg, QString(c.argument)) << c.target;
        else
            EXPECT_TRUE(arg.startsWith("file:///")) << c.target << " -> " << arg.toStdString();
    }
}

} // namespace
