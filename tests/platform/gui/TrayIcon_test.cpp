#include "platform/gui/TrayIcon.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

namespace {

class TrayIconTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.resize(400, 300);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    void TearDown() override { TrayIcon::setTrayAvailableForTesting(std::nullopt); }

    void minimize()
    {
        window.setWindowState(window.windowState() | Qt::WindowMinimized);
        QTest::qWait(20);
    }

    QWidget window;
};

TEST_F(TrayIconTest, MenuAndHint)
{
    TrayIcon tray(&window);
    QStringList texts;
    for (QAction* a : tray.popupMenu()->actions())
        texts << (a->isSeparator() ? QString("-") : a->text());
    EXPECT_EQ(texts, (QStringList{"Maximize", "Minimize", "-", "&Help", "-", "Exit"}));
    EXPECT_EQ(tray.hint(), "Velmora Tickerine");
    EXPECT_FALSE(tray.isIconShown()) << "not shown at start";

    QSignalSpy help(&tray, &TrayIcon::helpRequested);
    QSignalSpy exit(&tray, &TrayIcon::exitRequested);
    tray.helpAction()->trigger();
    tray.exitAction()->trigger();
    EXPECT_EQ(help.count(), 1);
    EXPECT_EQ(exit.count(), 1);
}

TEST_F(TrayIconTest, WithoutNotificationAreaMinimiseStaysOrdinary)
{
    TrayIcon::setTrayAvailableForTesting(false);
    TrayIcon tray(&window);
    minimize();
    EXPECT_TRUE(window.isVisible()) << "the window must stay reachable";
    EXPECT_FALSE(tray.isIconShown());
    tray.hideMainWindow();
    EXPECT_TRUE(window.isVisible());
}

TEST_F(TrayIconTest, MinimiseGoesToTrayAndComesBackAsItWas)
{
    TrayIcon::setTrayAvailableForTesting(true);
    TrayIcon tray(&window);
    window.setWindowState(Qt::WindowMaximized);
    minimize();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(tray.isIconShown());

    tray.maximizeAction()->trigger();
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.isMinimized());
    EXPECT_TRUE(window.windowState() & Qt::WindowMaximized) << "previous size kept";

    tray.minimizeAction()->trigger();
    EXPECT_FALSE(window.isVisible());
    tray.restoreMainWindow(); // what a click on the icon does
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(tray.isIconShown()) << "once shown, the icon stays";
}

TEST_F(TrayIconTest, MinimiseToTrayCanBeSwitchedOff)
{
    TrayIcon::setTrayAvailableForTesting(true);
    TrayIcon tray(&window);
    tray.setMinimizeToTray(false);
    minimize();
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(tray.isIconShown());
}

} // namespace
