#include "sources/core/Catalogue.h"
#include "sources/core/FeedListModel.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTemporaryDir>

namespace {

FRSSsiteData Group(const QString& name)
{
    FRSSsiteData row;
    row.title = name;
    row.isGroup = true;
    return row;
}

FRSSsiteData Feed(const QString& title, const QString& url = {}, bool custom = false)
{
    FRSSsiteData row;
    row.title = title;
    row.xmlUrl = url.isEmpty() ? "http://" + title.toLower() + ".example/rss" : url;
    row.custom = custom;
    return row;
}

QStringList Titles(const FeedListModel& model)
{
    QStringList titles;
    for (int i = 0; i < model.size(); ++i)
        titles << model.row(i).title;
    return titles;
}

// A list with the custom group (Alpha, Delta) above two shipped groups.
void FillList(FeedListModel& model)
{
    model.appendRows({Group("Custom News Sources"), Feed("Alpha", {}, true), Feed("Delta", {}, true),
                      Group("World"), Feed("BBC"), Group("Sports"), Feed("ESPN")});
}

} // namespace

TEST(CustomFeedPlacement, LandsInTheCustomGroupByTitle)
{
    struct Case {
        const char* title;
        QStringList expected;
    };
    const Case cases[] = {
        {"charlie", {"Custom News Sources", "Alpha", "charlie", "Delta", "World", "BBC", "Sports", "ESPN"}},
        {"zulu", {"Custom News Sources", "Alpha", "Delta", "zulu", "World", "BBC", "Sports", "ESPN"}},
        {"aardvark", {"Custom News Sources", "aardvark", "Alpha", "Delta", "World", "BBC", "Sports", "ESPN"}},
        // An equal title goes before the existing one.
        {"DELTA", {"Custom News Sources", "Alpha", "DELTA", "Delta", "World", "BBC", "Sports", "ESPN"}},
    };
    for (const Case& c : cases) {
        FeedListModel model;
        FillList(model);
        model.ensureCustomGroup();
        const int place = model.placeCustomFeed(Feed(c.title));
        EXPECT_EQ(Titles(model), c.expected) << c.title;
        EXPECT_EQ(model.row(place).title, c.title);
        EXPECT_TRUE(model.row(place).custom);
        EXPECT_FALSE(model.isTicked(place));
    }
}

TEST(CustomFeedPlacement, CreatesTheGroupAtTheTopWhenMissing)
{
    FeedListModel model;
    model.appendRows({Group("World"), Feed("BBC")});
    model.ensureCustomGroup();
    model.placeCustomFeed(Feed("Mine"));
    EXPECT_EQ(Titles(model), (QStringList{"Custom News Sources", "Mine", "World", "BBC"}));
    EXPECT_TRUE(model.row(0).isGroup);

    // Once there, it is not made again; with the group alone, a new feed goes to the end.
    model.ensureCustomGroup();
    EXPECT_EQ(model.size(), 4);

    FeedListModel empty;
    empty.ensureCustomGroup();
    empty.placeCustomFeed(Feed("zz"));
    empty.placeCustomFeed(Feed("zzz"));
    EXPECT_EQ(Titles(empty), (QStringList{"Custom News Sources", "zz", "zzz"}));
}

TEST(FeedTicks, ProgramTicksFollowTheFirstMatchAndAreNotReported)
{
    FeedListModel model;
    model.appendRows({Group("G"), Feed("One", "http://Same.example/rss"),
                      Feed("Two", "http://same.example/RSS"), Feed("Three", "http://three.example/")});
    QSignalSpy reported(&model, &FeedListModel::userTickChanged);

    model.setData(model.index(3), Qt::Checked, Qt::CheckStateRole);
    ASSERT_EQ(reported.count(), 1);
    model.setTicks({"HTTP://SAME.EXAMPLE/rss", "http://not-listed.example/"});

    // The earlier tick is gone; of the two rows with the same address only the first is ticked.
    EXPECT_EQ(model.tickedRows(), std::vector<int>{1});
    EXPECT_EQ(reported.count(), 1);
}

TEST(FeedTicks, UserTicksAreReportedAndGroupsCannotBeTicked)
{
    FeedListModel model;
    model.appendRows({Group("G"), Feed("One")});
    QSignalSpy reported(&model, &FeedListModel::userTickChanged);

    EXPECT_FALSE(model.flags(model.index(0)).testFlag(Qt::ItemIsUserCheckable));
    EXPECT_FALSE(model.data(model.index(0), Qt::CheckStateRole).isValid());
    EXPECT_FALSE(model.setData(model.index(0), Qt::Checked, Qt::CheckStateRole));

    EXPECT_TRUE(model.flags(model.index(1)).testFlag(Qt::ItemIsUserCheckable));
    model.setData(model.index(1), Qt::Checked, Qt::CheckStateRole);
    model.setData(model.index(1), Qt::Unchecked, Qt::CheckStateRole);
    ASSERT_EQ(reported.count(), 2);
    EXPECT_EQ(reported[0], (QList<QVariant>{1, true}));
    EXPECT_EQ(reported[1], (QList<QVariant>{1, false}));
}

TEST(FeedRows, CustomCatalogueHoldsTheCustomRowsInListOrder)
{
    QTemporaryDir dir;
    FeedListModel model;
    FillList(model);
    model.ensureCustomGroup();
    model.placeCustomFeed(Feed("Bravo"));
    model.updateFeed(1, "Alpha 2", "http://alpha2.example/");
    model.removeLine(3); // Delta
    const QString path = dir.filePath("custom.xml");
    model.saveCustomCatalogue(path);

    const std::vector<FRSSsiteData> rows = ReadCatalogueFile(path);
    QStringList saved;
    for (const FRSSsiteData& row : rows)
        saved << row.title + " " + row.xmlUrl;
    EXPECT_EQ(saved, (QStringList{"Custom News Sources ", "Alpha 2 http://alpha2.example/",
                                  "Bravo http://bravo.example/rss"}));
}
