#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <memory>

namespace {

// Starts the real program offscreen, with a home and runtime folder of the test's own.
class StartupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_home.isValid());
        QDir(m_home.path()).mkpath("runtime");
        QFile::setPermissions(m_home.filePath("runtime"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QDir(m_home.path()).mkpath("Documents");
    }
    void TearDown() override
    {
        for (auto& process : m_processes)
            if (process->state() != QProcess::NotRunning) {
                process->kill();
                process->waitForFinished(5000);
            }
    }
    // A program folder of its own: a copy of the program file and nothing else.
    QString copyProgram(const QString& folderName)
    {
        const QString folder = m_home.filePath(folderName);
        QDir().mkpath(folder);
        EXPECT_TRUE(QFile::copy(testsupport::programDir() + "/tickerine", folder + "/tickerine"));
        return folder + "/tickerine";
    }
    QProcess* start(const QString& program)
    {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("HOME", m_home.path());
        env.insert("XDG_CONFIG_HOME", m_home.filePath(".config"));
        env.insert("XDG_DATA_HOME", m_home.filePath(".local/share"));
        env.insert("XDG_RUNTIME_DIR", m_home.filePath("runtime"));
        env.insert("TICKERINE_STARTUP_TIMESTAMP", "1");
        env.insert("TICKERINE_NO_DIALOGS", "1");
        process->setProcessEnvironment(env);
        process->start(program, {});
        EXPECT_TRUE(process->waitForStarted(10000));
        m_processes.push_back(std::move(process));
        return m_processes.back().get();
    }
    static bool waitForMainWindow(QProcess* process)
    {
        QByteArray out;
        for (int i = 0; i < 300 && process->state() == QProcess::Running; ++i) {
            process->waitForReadyRead(100);
            out += process->readAllStandardOutput();
            if (out.contains("main-window-shown"))
                return true;
        }
        return false;
    }

    QTemporaryDir m_home;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

TEST_F(StartupTest, ASecondStartEndsWithoutAWindowWhileTheFirstRuns)
{
    const QString program = testsupport::programDir() + "/tickerine";
    QProcess* first = start(program);
    ASSERT_TRUE(waitForMainWindow(first));

    QProcess* second = start(program);
    ASSERT_TRUE(second->waitForFinished(20000));
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_FALSE(second->readAllStandardOutput().contains("main-window-shown"));
    EXPECT_EQ(first->state(), QProcess::Running);
}

TEST_F(StartupTest, TempLosesItsFilesAndKeepsItsSubFolders)
{
    const QString program = copyProgram("program");
    const QString temp = QFileInfo(program).absolutePath() + "/temp/";
    ASSERT_TRUE(testsupport::writeFile(temp + "old.html", "x"));
    ASSERT_TRUE(testsupport::writeFile(temp + "no-dot", "x"));
    ASSERT_TRUE(testsupport::writeFile(temp + "keep/inner.txt", "x"));
    ASSERT_TRUE(testsupport::writeFile(QFileInfo(program).absolutePath() + "/swf/rovanel.swf", "player"));

    QProcess* process = start(program);
    ASSERT_TRUE(waitForMainWindow(process));
    EXPECT_FALSE(QFile::exists(temp + "old.html"));
    EXPECT_FALSE(QFile::exists(temp + "no-dot"));
    EXPECT_TRUE(QFile::exists(temp + "keep/inner.txt"));
    EXPECT_TRUE(QFile::exists(QFileInfo(program).absolutePath() + "/swf/rovanel.swf"));
    for (const char* folder : {"php", "buttons", "backgrounds", "opml"})
        EXPECT_TRUE(QFileInfo(QFileInfo(program).absolutePath() + "/" + folder).isDir()) << folder;
}

TEST_F(StartupTest, AFolderThatCannotBeMadeEndsTheStartWithItsNameAndReason)
{
    const QString program = copyProgram("blocked");
    // A file where the folder should be: mkdir fails for every user, root included.
    ASSERT_TRUE(testsupport::writeFile(QFileInfo(program).absolutePath() + "/php", "not a folder"));

    QProcess* process = start(program);
    ASSERT_TRUE(process->waitForFinished(20000));
    EXPECT_NE(process->exitCode(), 0);
    const QString message = QString::fromLocal8Bit(process->readAllStandardError());
    EXPECT_TRUE(message.contains(QFileInfo(program).absolutePath() + "/php")) << qPrintable(message);
    EXPECT_TRUE(message.contains("File exists")) << qPrintable(message);
    EXPECT_FALSE(process->readAllStandardOutput().contains("main-window-shown"));
}

} // namespace
