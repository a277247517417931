#include "platform/UserStore.h"

#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <unistd.h>

namespace {

const QString profiles = "Software\\Velmora Software\\Internet\\Profiles";

class UserStoreTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString file() const { return dir.path() + "/cfg/userstore.json"; }
};

TEST_F(UserStoreTest, NamesIgnoreCaseAndKeepFirstSpelling)
{
    UserStore store(file());
    ASSERT_TRUE(store.writeValue(profiles + "\\My Site", "Port", "21"));
    EXPECT_EQ(store.readValue("software\\VELMORA SOFTWARE\\internet\\profiles\\my site", "port"), "21");
    ASSERT_TRUE(store.writeValue(profiles + "\\MY SITE", "PORT", "2121"));
    EXPECT_EQ(store.valueNames(profiles + "\\my site"), QStringList{"Port"});
    EXPECT_EQ(store.subKeyNames(profiles), QStringList{"My Site"});
    EXPECT_EQ(store.readValue(profiles + "\\My Site", "Port"), "2121");
    EXPECT_FALSE(store.readValue(profiles + "\\My Site", "Missing").has_value());
    EXPECT_FALSE(store.readValue(profiles + "\\Nobody", "Port").has_value());
}

TEST_F(UserStoreTest, SubKeysListSortedWithoutCase)
{
    UserStore store(file());
    for (const char* name : {"beta", "Alpha", "gamma", "Delta"})
        ASSERT_TRUE(store.openKey(profiles + "\\" + name, true));
    EXPECT_EQ(store.subKeyNames(profiles), (QStringList{"Alpha", "beta", "Delta", "gamma"}));
}

TEST_F(UserStoreTest, ChangesReachTheFileAndSurviveReopening)
{
    {
        UserStore store(file());
        EXPECT_FALSE(store.openKey(profiles, false));
        EXPECT_TRUE(store.openKey(profiles, true));
        ASSERT_TRUE(store.writeValue(profiles + "\\A", "HostName", "ftp.example.com"));
        ASSERT_TRUE(store.writeValue(profiles + "\\A", "0", "bookmark"));
        ASSERT_TRUE(store.writeValue(profiles + "\\B", "HostName", QString::fromUtf8("ünï \"quoted\"\\")));
        ASSERT_TRUE(store.deleteValue(profiles + "\\A", "0"));
        EXPECT_FALSE(store.deleteValue(profiles + "\\A", "0"));
        ASSERT_TRUE(store.deleteKey(profiles + "\\a"));
        EXPECT_TRUE(store.deleteKey(profiles + "\\never"));
    }
    UserStore again(file());
    EXPECT_TRUE(again.keyExists(profiles));
    EXPECT_EQ(again.subKeyNames(profiles), QStringList{"B"});
    EXPECT_EQ(again.readValue(profiles + "\\B", "hostname"), QString::fromUtf8("ünï \"quoted\"\\"));
    EXPECT_EQ(QFile(file()).permissions() & (QFile::ReadOther | QFile::ReadGroup), QFile::Permissions());
}

TEST_F(UserStoreTest, DeleteKeyTakesEverythingBelow)
{
    UserStore store(file());
    ASSERT_TRUE(store.writeValue(profiles + "\\A\\Deep", "x", "1"));
    ASSERT_TRUE(store.deleteKey("Software\\Velmora Software\\Internet"));
    EXPECT_FALSE(store.keyExists(profiles));
    EXPECT_TRUE(store.keyExists("Software\\Velmora Software"));
    EXPECT_FALSE(store.deleteKey("")) << "the root cannot go";
}

TEST_F(UserStoreTest, FailedSaveLeavesFileAndMemoryAsTheyWere)
{
    UserStore store(file());
    ASSERT_TRUE(store.writeValue(profiles + "\\A", "Port", "21"));
    const QByteArray before = testsupport::readFile(file());

    // The atomic save writes a temporary file beside the store, so a read-only folder stops it.
    QFile::setPermissions(dir.path() + "/cfg", QFile::ReadOwner | QFile::ExeOwner);
    if (::access(QFile::encodeName(dir.path() + "/cfg").constData(), W_OK) == 0) {
        QFile::setPermissions(dir.path() + "/cfg", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        GTEST_SKIP() << "this user may write into read-only folders";
    }
    EXPECT_FALSE(store.writeValue(profiles + "\\A", "Port", "99"));
    EXPECT_FALSE(store.openKey("Software\\Velmora Software\\Internet\\Proxy", true));
    EXPECT_FALSE(store.deleteKey(profiles + "\\A"));
    QFile::setPermissions(dir.path() + "/cfg", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    EXPECT_EQ(store.readValue(profiles + "\\A", "Port"), "21");
    EXPECT_FALSE(store.keyExists("Software\\Velmora Software\\Internet\\Proxy"));
    EXPECT_EQ(testsupport::readFile(file()), before);
}

TEST_F(UserStoreTest, FailedCommitKeepsMemoryAsItWas)
{
    // Works for every user, root included: a folder now stands where the file was, so the
    // final rename of the atomic save fails.
    UserStore store(file());
    ASSERT_TRUE(store.writeValue(profiles + "\\A", "Port", "21"));
    ASSERT_TRUE(QFile::remove(file()));
    ASSERT_TRUE(QDir().mkpath(file() + "/blocker"));
    EXPECT_FALSE(store.writeValue(profiles + "\\A", "Port", "99"));
    EXPECT_FALSE(store.writeValue(profiles + "\\B", "Port", "1"));
    EXPECT_EQ(store.readValue(profiles + "\\A", "Port"), "21");
    EXPECT_EQ(store.subKeyNames(profiles), QStringList{"A"});
    EXPECT_EQ(QDir(dir.path() + "/cfg").entryList(QDir::Files), QStringList()) << "no temporary file left";
}

TEST_F(UserStoreTest, FolderThatCannotBeMadeFailsTheWrite)
{
    // Works for every user: a file stands where the store's folder should be.
    ASSERT_TRUE(testsupport::writeFile(dir.path() + "/cfg", "not a folder"));
    UserStore store(file());
    EXPECT_FALSE(store.writeValue(profiles, "Port", "21"));
    EXPECT_FALSE(store.keyExists(profiles));
}

TEST_F(UserStoreTest, CorruptStoreIsNeverOverwritten)
{
    const QByteArray junk = "{ this is not the store";
    for (const QByteArray& content :
         {junk, QByteArray(R"({"format":"tickerine-userstore","root":{"keys":1}})")}) {
        ASSERT_TRUE(testsupport::writeFile(file(), content));
        UserStore store(file());
        EXPECT_FALSE(store.openKey(profiles, true));
        EXPECT_FALSE(store.writeValue(profiles, "Port", "21"));
        EXPECT_TRUE(store.subKeyNames("Software").isEmpty());
        EXPECT_EQ(testsupport::readFile(file()), content);
    }
}

TEST_F(UserStoreTest, ReloadSeesAnotherWriter)
{
    UserStore first(file());
    UserStore second(file());
    ASSERT_TRUE(second.writeValue(profiles, "HostName", "h"));
    EXPECT_FALSE(first.readValue(profiles, "HostName").has_value());
    ASSERT_TRUE(first.reload());
    EXPECT_EQ(first.readValue(profiles, "HostName"), "h");

    // A write reads in what another writer saved instead of throwing it away.
    ASSERT_TRUE(second.writeValue(profiles, "Port", "21"));
    ASSERT_TRUE(first.writeValue(profiles, "Username", "u"));
    EXPECT_EQ(UserStore(file()).valueNames(profiles), (QStringList{"HostName", "Port", "Username"}));
}

TEST_F(UserStoreTest, InstanceFollowsConfigHomeUnlessRedirected)
{
    const QString standard = qEnvironmentVariable("XDG_CONFIG_HOME") + "/Velmora Software/userstore.json";
    EXPECT_EQ(UserStore::instance().filePath(), standard);
    UserStore::setInstanceFile(file());
    EXPECT_EQ(UserStore::instance().filePath(), file());
    EXPECT_TRUE(UserStore::instance().writeValue(profiles, "x", "y"));
    EXPECT_TRUE(QFile::exists(file()));
    UserStore::setInstanceFile(standard);
}

} // namespace
