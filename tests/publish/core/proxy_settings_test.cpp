#include "platform/UserStore.h"
#include "publish/core/ProxySettings.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

TEST(ProxySettings, FirstUseMakesTheKeyAndPasswordsRoundTripScrambled)
{
    QTemporaryDir dir;
    UserStore store(dir.path() + "/store.json");
    proxySettings() = ProxySettings{"stale", "stale", "stale", "1", "Relay"};
    ASSERT_TRUE(loadProxySettings(store));
    EXPECT_TRUE(store.keyExists(ProxyKey));
    EXPECT_EQ(proxySettings().hostName, "");
    EXPECT_EQ(proxySettings().type, "");

    proxySettings() = ProxySettings{"proxy.example", "me", "pa55", "0", ""};
    ASSERT_TRUE(saveProxySettings(store));
    EXPECT_EQ(store.readValue(ProxyKey, "proxyport"), "0");
    EXPECT_EQ(store.readValue(ProxyKey, "proxytype"), "");
    EXPECT_NE(store.readValue(ProxyKey, "proxypassword"), "pa55");
    proxySettings() = {};
    ASSERT_TRUE(loadProxySettings(store));
    EXPECT_EQ(proxySettings().password, "pa55");
    EXPECT_EQ(proxySettings().hostName, "proxy.example");
}

TEST(ProxySettings, AStoreThatCannotBeWrittenFails)
{
    QTemporaryDir dir;
    // The store's file sits where a folder is needed, so no key can be made.
    QFile blocker(dir.path() + "/blocked");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    UserStore store(dir.path() + "/blocked/store.json");
    EXPECT_FALSE(loadProxySettings(store));
    EXPECT_FALSE(saveProxySettings(store));
}
