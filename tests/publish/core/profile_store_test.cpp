#include "platform/UserStore.h"
#include "publish/core/ServerProfileStore.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

const QString Key = QLatin1String(ProfilesKey);

struct StoreFixture : ::testing::Test {
    QTemporaryDir dir;
    UserStore store{dir.path() + "/store.json"};

    void put(const QString& sub, const QList<std::pair<QString, QString>>& values)
    {
        for (const auto& [name, value] : values)
            ASSERT_TRUE(store.writeValue(Key + '\\' + sub, name, value));
    }
    std::optional<QString> value(const QString& sub, const QString& name)
    {
        return store.readValue(Key + '\\' + sub, name);
    }
    std::unique_ptr<ServerProfileStore> loaded()
    {
        auto profiles = std::make_unique<ServerProfileStore>(store);
        profiles->loadProfiles();
        return profiles;
    }
};

} // namespace

TEST_F(StoreFixture, ReadsDefaultsNamesAndFlagsAsStored)
{
    put("a", {{"HostName", "ftp.a.example"}});
    put("b", {{"HostName", "ftp.b.example"}, {"ItemName", ""}});
    put("c", {{"ItemName", "Site C"}, {"port", "2121"}, {"Timeout", "30"}, {"Protocol", "3"}});
    put("d", {{"ItemName", "flags"},
              {"Anonymous", "true"},
              {"PassiveMode", "yes"},
              {"SavePassword", "01"},
              {"Secure", "1"},
              {"UseNoop", "1"}});
    ServerProfileStore profiles(store);
    profiles.loadProfiles();
    ASSERT_EQ(profiles.count(), 4);
    EXPECT_EQ(profiles.at(0).ItemName, "ftp.a.example"); // absent name: the host
    EXPECT_EQ(profiles.at(1).ItemName, "");              // empty name stays empty
    EXPECT_EQ(profiles.at(0).Port, 21);
    EXPECT_EQ(profiles.at(0).Timeout, 60);
    EXPECT_EQ(profiles.at(0).Protocol, 0);
    EXPECT_FALSE(profiles.at(0).PassiveMode); // absent reads as false, unlike a new profile
    EXPECT_EQ(profiles.at(2).Port, 2121);     // written "Port", asked as "port"
    EXPECT_EQ(profiles.at(2).Timeout, 30);
    EXPECT_EQ(profiles.at(2).Protocol, 3);
    const ServerProfileData& f = profiles.at(3);
    EXPECT_FALSE(f.Anonymous);
    EXPECT_FALSE(f.PassiveMode);
    EXPECT_FALSE(f.SavePassword);
    EXPECT_TRUE(f.Secure);
    EXPECT_TRUE(f.UseNoop);
}

TEST_F(StoreFixture, SavesPasswordsScrambledOnlyWhenAsked)
{
    ServerProfileStore profiles(store);
    auto kept = std::make_unique<ServerProfileData>();
    kept->ItemName = "Kept";
    kept->Password = "s3cret";
    kept->SavePassword = true;
    profiles.append(std::move(kept));
    auto dropped = std::make_unique<ServerProfileData>();
    dropped->ItemName = "Dropped";
    dropped->Password = "other";
    profiles.append(std::move(dropped));
    put("Dropped", {{"Password", "an old scrambled one"}});
    ASSERT_TRUE(profiles.saveProfiles());

    EXPECT_NE(value("Kept", "Password"), "s3cret");
    EXPECT_EQ(value("Dropped", "Password"), "");
    EXPECT_EQ(value("Kept", "Port"), "0");
    EXPECT_EQ(value("Kept", "PassiveMode"), "1");
    const auto again = loaded();
    EXPECT_EQ(again->find("Kept")->Password, "s3cret");
    EXPECT_EQ(again->find("Dropped")->Password, "");
}

TEST_F(StoreFixture, KeepsBookmarksUpToTheFirstGap)
{
    put("full", {{"ItemName", "full"}, {"Bookmark 0", "/a"}, {"Bookmark 1", "/b"}, {"Bookmark 2", "/c"}});
    put("gap", {{"ItemName", "gap"}, {"Bookmark 0", "/x"}, {"Bookmark 2", "/z"}});
    const auto loadedProfiles = loaded();
    ServerProfileStore& profiles = *loadedProfiles;
    EXPECT_EQ(profiles.find("full")->Bookmarks, QStringList({"/a", "/b", "/c"}));
    EXPECT_EQ(profiles.find("gap")->Bookmarks, QStringList({"/x"}));
    ASSERT_TRUE(profiles.saveProfiles());
    EXPECT_EQ(value("full", "Bookmark 2"), "/c");
    EXPECT_EQ(value("gap", "Bookmark 0"), "/x");
    EXPECT_FALSE(value("gap", "Bookmark 1"));
    EXPECT_EQ(value("gap", "Bookmark 2"), "/z"); // beyond the gap: left alone
}

TEST_F(StoreFixture, UnnamedProfilesLiveUnderTheirOwnUntitledKey)
{
    ServerProfileStore profiles(store);
    for (const char* name : {"A", "", "B"}) {
        auto p = std::make_unique<ServerProfileData>();
        p->ItemName = name;
        p->HostName = QString("host-") + name;
        profiles.append(std::move(p));
    }
    ASSERT_TRUE(profiles.saveProfiles());
    EXPECT_EQ(value("Untitled 1", "ItemName"), "");
    EXPECT_EQ(loaded()->at(2).ItemName, ""); // "Untitled 1" sorts after "B"

    profiles.eraseProfileKey(1);
    profiles.eraseProfileKey(QString());
    EXPECT_TRUE(store.keyExists(Key));
    EXPECT_EQ(store.subKeyNames(Key), QStringList({"A", "B"}));
}

TEST_F(StoreFixture, RefusesNamesThatWouldShareOrNestKeys)
{
    ServerProfileStore profiles(store);
    auto p = std::make_unique<ServerProfileData>();
    p->ItemName = "My Site";
    profiles.append(std::move(p));
    EXPECT_TRUE(profiles.profileExists("My Site"));
    EXPECT_FALSE(profiles.profileExists("my site"));
    EXPECT_EQ(profiles.nameProblem("My Site", -1), SiteExistsMessage);
    EXPECT_EQ(profiles.nameProblem("My Site", 0), SiteExistsMessage); // confirming the unchanged name
    EXPECT_EQ(profiles.nameProblem("MY SITE", -1), SiteExistsMessage);
    EXPECT_EQ(profiles.nameProblem("MY SITE", 0), ""); // its own name in other case
    EXPECT_FALSE(profiles.nameProblem("Sites\\Other", -1).isEmpty());
    EXPECT_EQ(profiles.nameProblem("Other Site", -1), "");
}

TEST(ProfileFlags, OnlyOneIsTrue)
{
    EXPECT_EQ(boolToText(true), "1");
    EXPECT_EQ(boolToText(false), "0");
    for (const char* text : {"true", "yes", "01", " 1", "", "0"})
        EXPECT_FALSE(textToBool(text)) << text;
    EXPECT_TRUE(textToBool("1"));
}
