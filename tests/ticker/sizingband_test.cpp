#include "ticker/SizingBand.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    int x, y;
    SizingZone zone;
};

TEST(SizingBand, FirstMatchingRuleWinsOnA200By100Panel)
{
    const Case cases[] = {
        {0, 0, SizingZone::TopLeft},     {4, 4, SizingZone::TopLeft},
        {0, 4, SizingZone::TopLeft},     {0, 5, SizingZone::Left},
        {5, 0, SizingZone::Top},         {196, 0, SizingZone::TopRight},
        {195, 0, SizingZone::Top},       {199, 99, SizingZone::BottomRight},
        {0, 99, SizingZone::BottomLeft}, {0, 96, SizingZone::BottomLeft},
        {0, 95, SizingZone::Left},       {199, 50, SizingZone::Right},
        {100, 99, SizingZone::Bottom},   {100, 50, SizingZone::None},
        {5, 5, SizingZone::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SizingZoneAt(c.x, c.y, 200, 100), c.zone) << c.x << "," << c.y;
}

TEST(SizingBand, TinyPanelPrefersCornersInRuleOrder)
{
    // On a 6 by 6 panel every point is in two bands; the corner rules come first.
    EXPECT_EQ(SizingZoneAt(3, 3, 6, 6), SizingZone::TopLeft);
    EXPECT_EQ(SizingZoneAt(5, 3, 6, 6), SizingZone::TopRight);
}

TEST(SizingBand, CursorShowsTheDirection)
{
    EXPECT_EQ(SizingCursor(SizingZone::TopLeft), Qt::SizeFDiagCursor);
    EXPECT_EQ(SizingCursor(SizingZone::BottomLeft), Qt::SizeBDiagCursor);
    EXPECT_EQ(SizingCursor(SizingZone::Right), Qt::SizeHorCursor);
    EXPECT_EQ(SizingCursor(SizingZone::Top), Qt::SizeVerCursor);
    EXPECT_EQ(SizingCursor(SizingZone::None), Qt::ArrowCursor);
}

} // namespace
