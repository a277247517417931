#include "app/RecentFiles.h"

#include <gtest/gtest.h>

TEST(RecentFiles, RestoredListIsCutToFiveWithoutDuplicatesInItsOrder)
{
    RecentFiles recent;
    recent.setPaths({"/a/1.xml", "/a/2.xml", "/a/1.xml", "", "/a/3.xml", "/a/4.xml", "/a/5.xml", "/a/6.xml"});
    EXPECT_EQ(recent.paths(), (QStringList{"/a/1.xml", "/a/2.xml", "/a/3.xml", "/a/4.xml", "/a/5.xml"}));
    EXPECT_EQ(recent.captions().first(), "&1 1.xml");
    EXPECT_EQ(recent.captions().last(), "&5 5.xml");
}
