#include "platform/FtpListing.h"

#include <gtest/gtest.h>

TEST(FtpListing, ReadsUnixAndDosLinesAndSkipsTheRest)
{
    const QString listing = "total 12\r\n"
                            "drwxr-xr-x   2 web  web      4096 Dec 11 10:00 images\r\n"
                            "-rw-r--r--   1 web  web     20000 Dec 11  2025 my ticker.swf\r\n"
                            "-rw-r--r--   1 0    0           6 11 Dec 11:34 sftp.txt\n"
                            "lrwxrwxrwx   1 web  web         9 Jan  2 09:05 www -> public_html\n"
                            "drwxr-xr-x   2 web  web      4096 Dec 11 10:00 .\n"
                            "12-11-26  10:00AM       <DIR>          Old Files\r\n"
                            "12-11-26  10:01PM                 1234 news.xml\r\n"
                            "garbage line\n";
    const QList<FtpItem> items = ParseFtpListing(listing);
    ASSERT_EQ(items.size(), 6);
    const struct {
        const char* name;
        qint64 size;
        bool folder;
    } expected[] = {{"images", 4096, true}, {"my ticker.swf", 20000, false}, {"sftp.txt", 6, false},
                    {"www", 9, false},      {"Old Files", 0, true},          {"news.xml", 1234, false}};
    for (int i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].name, expected[i].name);
        EXPECT_EQ(items[i].size, expected[i].size) << expected[i].name;
        EXPECT_EQ(items[i].isFolder, expected[i].folder) << expected[i].name;
    }
    EXPECT_EQ(items[1].date, "Dec 11 2025");
}

TEST(FtpListing, JoinsRemotePaths)
{
    const std::pair<std::pair<const char*, const char*>, const char*> cases[] = {
        {{"/www", "sub"}, "/www/sub"},   {{"/www/sub", ".."}, "/www"}, {{"/", ".."}, "/"},
        {{"/www", "/other/"}, "/other"}, {{"/a", "./b//c"}, "/a/b/c"}, {{"", ""}, "/"},
    };
    for (const auto& [args, result] : cases)
        EXPECT_EQ(JoinRemotePath(args.first, args.second), result) << args.first << " + " << args.second;
}
