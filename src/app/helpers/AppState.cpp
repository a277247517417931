#include "app/helpers/AppState.h"

#include "app/helpers/Helpers.h"

bool Updating = false;
bool PreviewFlag = false;

namespace {

AppFolders& folders()
{
    static AppFolders instance;
    return instance;
}

} // namespace

const AppFolders& Folders()
{
    return folders();
}

void InitFolders(const QString& programFolder)
{
    AppFolders f;
    f.ProgramFolder = WithTrailingBackslash(programFolder);
    // The order is fixed: a failure names the first folder that could not be made.
    f.TempFolder = EnsureFolder(f.ProgramFolder + "temp/", true);
    f.PhpFolder = EnsureFolder(f.ProgramFolder + "php/", false);
    f.SwfFolder = EnsureFolder(f.ProgramFolder + "swf/", false);
    f.ButtonsFolder = EnsureFolder(f.ProgramFolder + "buttons/", false);
    f.BackgroundsFolder = EnsureFolder(f.ProgramFolder + "backgrounds/", false);
    f.OpmlFolder = EnsureFolder(f.ProgramFolder + "opml/", false);
    folders() = f;
}
