#include "app/helpers/AppState.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

void touch(const QString& path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

TEST(AppFolders, InitFoldersMakesSubFoldersAndEmptiesTempOfFilesOnly)
{
    QTemporaryDir dir;
    const QString root = dir.path(); // no trailing separator: one is added
    ASSERT_TRUE(QDir(root).mkpath("temp/sub"));
    ASSERT_TRUE(QDir(root).mkpath("php"));
    touch(root + "/temp/old.html");
    touch(root + "/temp/sub/kept.txt");
    touch(root + "/php/loader.php");

    InitFolders(root);
    const AppFolders& f = Folders();
    EXPECT_EQ(f.ProgramFolder, root + "/");
    EXPECT_EQ(f.TempFolder, root + "/temp/");
    EXPECT_EQ(f.OpmlFolder, root + "/opml/");
    for (const QString& folder :
         {f.TempFolder, f.PhpFolder, f.SwfFolder, f.ButtonsFolder, f.BackgroundsFolder, f.OpmlFolder})
        EXPECT_TRUE(QDir(folder).exists()) << folder.toStdString();
    EXPECT_FALSE(QFile::exists(root + "/temp/old.html"));
    EXPECT_TRUE(QFile::exists(root + "/temp/sub/kept.txt"));
    EXPECT_TRUE(QFile::exists(root + "/php/loader.php"));
}

TEST(AppFolders, RootProgramFolderHasNoDoubledSeparator)
{
    // "/" cannot be written to in a test, so only the path arithmetic is checked.
    QTemporaryDir dir;
    InitFolders(dir.path() + "/");
    EXPECT_EQ(Folders().TempFolder, dir.path() + "/temp/");
}

TEST(AppFolders, FolderThatCannotBeMadeIsNamedInTheError)
{
    // A file where a sub-folder belongs fails even for a user who may write anywhere.
    QTemporaryDir dir;
    touch(dir.path() + "/swf");
    try {
        InitFolders(dir.path());
        ADD_FAILURE() << "expected IoError";
    } catch (const IoError& e) {
        EXPECT_TRUE(e.message().contains("swf")) << e.message().toStdString();
    }
    EXPECT_TRUE(QDir(dir.path() + "/php").exists()) << "folders before the failing one are made";
}

TEST(AppFlags, UpdatingGuardRestoresPreviousValue)
{
    Updating = false;
    {
        UpdatingGuard outer;
        EXPECT_TRUE(Updating);
        {
            UpdatingGuard inner;
        }
        EXPECT_TRUE(Updating);
    }
    EXPECT_FALSE(Updating);
    EXPECT_FALSE(PreviewFlag);
}

} // namespace
