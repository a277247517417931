#include "platform/gui/SingleInstance.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QUuid>
#include <QWidget>

namespace {

QString uniqueName()
{
    return "TickerineTest" + QUuid::createUuid().toString(QUuid::Id128).left(12);
}

TEST(SingleInstance, DefaultTitleFromProgramFile)
{
    const struct {
        const char* file;
        const char* title;
    } cases[] = {{"/opt/x/tickerine", "Tickerine"},
                 {"/opt/x/TICKERINE.bin.old", "Tickerine"},
                 {"/a.b/tickerine-cli", "Tickerine-cli"},
                 {"/x/.hidden", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(SingleInstance::defaultTitle(c.file), QString(c.title)) << c.file;
}

TEST(SingleInstance, SecondGuardIsRefusedAndFirstWindowComesBack)
{
    const QString name = uniqueName();
    QWidget window;
    window.show();
    window.showMinimized();
    SingleInstance first(name);
    first.setMainWindow(&window);
    ASSERT_TRUE(first.tryToRun());
    EXPECT_TRUE(first.tryToRun()) << "asking again changes nothing";

    QSignalSpy started(&first, &SingleInstance::anotherInstanceStarted);
    {
        SingleInstance second(name);
        EXPECT_FALSE(second.tryToRun());
        EXPECT_FALSE(second.isFirstInstance());
    }
    EXPECT_TRUE(started.wait(3000));
    EXPECT_FALSE(window.isMinimized());
    EXPECT_TRUE(window.isVisible());
}

TEST(SingleInstance, GuardIsFreedWhenTheFirstInstanceEnds)
{
    const QString name = uniqueName();
    {
        SingleInstance first(name);
        ASSERT_TRUE(first.tryToRun());
    }
    SingleInstance next(name);
    EXPECT_TRUE(next.tryToRun());
}

TEST(SingleInstance, StaleLockOfACrashedRunDoesNotBlock)
{
    const QString name = uniqueName();
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    // A process that has ended: its id is free, just as after a crash.
    QProcess gone;
    gone.start("/bin/true");
    ASSERT_TRUE(gone.waitForFinished());
    const qint64 deadPid = gone.processId() ? gone.processId() : 999999;
    QFile lock(folder + "/" + name + ".lock");
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(deadPid) + "\n" + QCoreApplication::applicationName().toUtf8() + "\n" +
               QSysInfo::machineHostName().toUtf8() + "\n");
    lock.close();
    QFile socket(folder + "/" + name + ".socket");
    ASSERT_TRUE(socket.open(QIODevice::WriteOnly)); // a left-over socket file as well
    socket.close();

    SingleInstance guard(name);
    EXPECT_TRUE(guard.tryToRun());
}

// Child half of the two-process test: only acts when the parent started it.
TEST(SingleInstance, ChildProcessHalf)
{
    const QString name = qEnvironmentVariable("TK_SINGLE_INSTANCE_CHILD");
    if (name.isEmpty())
        GTEST_SKIP() << "run by TwoProcesses";
    SingleInstance guard(name);
    ::_exit(guard.tryToRun() ? 10 : 20);
}

TEST(SingleInstance, TwoProcesses)
{
    const QString name = uniqueName();
    SingleInstance parent(name);
    ASSERT_TRUE(parent.tryToRun());
    QSignalSpy started(&parent, &SingleInstance::anotherInstanceStarted);
    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TK_SINGLE_INSTANCE_CHILD", name);
    second.setProcessEnvironment(env);
    second.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=SingleInstance.ChildProcessHalf"});
    ASSERT_TRUE(second.waitForStarted());
    EXPECT_TRUE(started.wait(10000)) << "the running instance hears of the second start";
    // The child may have ended while the spy's event loop ran; waiting then returns false.
    if (second.state() != QProcess::NotRunning) {
        ASSERT_TRUE(second.waitForFinished(10000));
    }
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 20) << "the second start must end";
}

} // namespace
