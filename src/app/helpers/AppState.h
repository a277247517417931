#pragma once

#include <QString>

// Process-wide state that start-up fixes and every subsystem reads.
struct AppFolders {
    QString ProgramFolder;     // folder of the program file, trailing separator
    QString TempFolder;        // ProgramFolder + "temp/"
    QString PhpFolder;         // ProgramFolder + "php/"
    QString SwfFolder;         // ProgramFolder + "swf/"
    QString ButtonsFolder;     // ProgramFolder + "buttons/"
    QString BackgroundsFolder; // ProgramFolder + "backgrounds/"
    QString OpmlFolder;        // ProgramFolder + "opml/"
};

// The folder paths; empty until InitFolders ran.
const AppFolders& Folders();
// Sets ProgramFolder and makes the six sub-folders in the order temp, php, swf, buttons,
// backgrounds, opml (emptying temp of files). Raises IoError naming the folder that could
// not be made and the system's reason.
void InitFolders(const QString& programFolder);

// The designer's updating flag: raised while the program itself paints the ticker or
// writes into Designer controls, so that change handlers ignore those writes.
extern bool Updating;
// Raised only while the preview output set is written.
extern bool PreviewFlag;

// Raises the updating flag for a scope and restores the previous value after it.
class UpdatingGuard {
public:
    UpdatingGuard() : m_previous(Updating) { Updating = true; }
    ~UpdatingGuard() { Updating = m_previous; }
    UpdatingGuard(const UpdatingGuard&) = delete;
    UpdatingGuard& operator=(const UpdatingGuard&) = delete;

private:
    bool m_previous;
};

// The program's fixed texts that several windows share.
namespace product {
inline const char* const Title = "Velmora RSS Tickerine 4.5";
inline const char* const Company = "Velmora Software";
inline const char* const Name = "Velmora Tickerine";
// The maker's web addresses, kept in one place.
inline const char* const HomePage = "https://www.velmora-software.example/tickerine/";
inline const char* const OnlineHelpPage = "https://www.velmora-software.example/tickerine/help/";
inline const char* const ContactPage = "https://www.velmora-software.example/contact/";
// Shown beside the code of a ticker that uses the Flash player.
inline const char* const FlashNote =
    "Note: current web browsers no longer play Flash. Choose \"Player: HTML5\" "
    "in the Designer to show this ticker in every browser.";
inline const char* const CatalogueUrl = "https://www.velmora-software.example/tickerine/newssources.xml";
} // namespace product
