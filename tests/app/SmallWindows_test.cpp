#include "app/PreviewScheme.h"
#include "app/ThtmlWindow.h"
#include "app/TwTips.h"

#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString writeTips(const QTemporaryDir& dir, const QByteArray& text)
{
    testsupport::writeFile(dir.filePath("tips.txt"), text);
    return dir.path() + "/";
}

void click(QWidget* window, const char* name)
{
    QTest::mouseClick(window->findChild<QPushButton*>(name), Qt::LeftButton);
}

TEST(TipsWindow, OneLineStaysOnThatLine)
{
    QTemporaryDir dir;
    TwTips tips(writeTips(dir, "Only tip\n"));
    EXPECT_TRUE(tips.isVisible());
    EXPECT_EQ(tips.tipText(), "Only tip");
    click(&tips, "nextButton");
    EXPECT_EQ(tips.tipText(), "Only tip");
    click(&tips, "previousButton");
    EXPECT_EQ(tips.tipText(), "Only tip");
}

TEST(TipsWindow, NextNeverReachesTheLastLineButPreviousFromTheFirstDoes)
{
    QTemporaryDir dir;
    TwTips tips(writeTips(dir, "one\r\ntwo\r\nthree\r\n"));
    EXPECT_NE(tips.tipText(), "three");
    for (int i = 0; i < 4; ++i) {
        click(&tips, "nextButton");
        EXPECT_NE(tips.tipText(), "three");
    }
    while (tips.tipText() != "one")
        click(&tips, "nextButton");
    click(&tips, "previousButton");
    EXPECT_EQ(tips.tipText(), "three");
}

TEST(TipsWindow, MissingOrEmptyFileShowsNoWindow)
{
    QTemporaryDir dir;
    EXPECT_FALSE(TwTips(dir.path() + "/").isVisible());
    EXPECT_FALSE(TwTips(writeTips(dir, "")).isVisible());
}

TEST(TipsWindow, ClosingWithTheBoxClearRenamesTheFileAndReportsTheMark)
{
    QTemporaryDir dir;
    const QString folder = writeTips(dir, "a\nb\n");
    {
        TwTips tips(folder);
        auto* box = tips.findChild<QCheckBox*>("showTipsCheckBox");
        QList<bool> marks;
        QObject::connect(&tips, &TwTips::showTipsChanged, [&](bool on) { marks << on; });
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
        EXPECT_EQ(marks, (QList<bool>{false, true}));
        click(&tips, "closeButton");
    }
    EXPECT_TRUE(QFile::exists(folder + "tips.txt"));

    TwTips tips(folder);
    auto* box = tips.findChild<QCheckBox*>("showTipsCheckBox");
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
    click(&tips, "closeButton");
    EXPECT_FALSE(QFile::exists(folder + "tips.txt"));
    EXPECT_TRUE(QFile::exists(folder + "tips2.txt"));
}

TEST(HtmlWindow, ShowsTheCodeAndTheFlashNoteOnlyForFlash)
{
    ThtmlWindow window;
    window.setCode("<embed src=\"my.swf\">", true);
    EXPECT_EQ(window.code(), "<embed src=\"my.swf\">");
    EXPECT_TRUE(window.flashNoteShown());
    window.setCode("<div></div>", false);
    EXPECT_FALSE(window.flashNoteShown());
}

TEST(PreviewScheme, ServesOnlyFilesDirectlyInTheFolder)
{
    QTemporaryDir dir;
    testsupport::writeFile(dir.filePath("temp.html"), "<html/>");
    testsupport::writeFile(dir.filePath("sub/inner.txt"), "x");
    testsupport::writeFile(dir.filePath("../outside.txt"), "x");
    EXPECT_EQ(preview::ResolveFile(dir.path(), "/temp.html"), dir.filePath("temp.html"));
    for (const char* path :
         {"/sub/inner.txt", "/../outside.txt", "/sub", "/", "/missing.xml", "/..\\outside.txt"})
        EXPECT_TRUE(preview::ResolveFile(dir.path(), path).isEmpty()) << path;
}

TEST(PreviewScheme, FindsTheNumberedFeedOfTheSettingsFile)
{
    QTemporaryDir dir;
    testsupport::writeFile(dir.filePath("temp.xml"),
                           "<?xml version=\"1.0\"?>\n<velmoranews newsurl1=\"temp.txt\" "
                           "newsurl2=\"https://example.org/a?x=1&amp;y=2\"></velmoranews>");
    EXPECT_EQ(preview::FeedAddress(dir.filePath("temp.xml"), 2), "https://example.org/a?x=1&y=2");
    EXPECT_EQ(preview::FeedAddress(dir.filePath("temp.xml"), 1), "temp.txt");
    EXPECT_TRUE(preview::FeedAddress(dir.filePath("temp.xml"), 3).isEmpty());
    EXPECT_TRUE(preview::FeedAddress(dir.filePath("missing.xml"), 1).isEmpty());
}

} // namespace
