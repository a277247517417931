#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The desktop's shell services: opening targets with their default handler, the user's
// documents folder and the recent-documents list.
namespace Shell {

// Hands a file, folder or URL to the desktop's default handler. Nothing is reported: a
// missing file or a type without a handler simply opens nothing.
void open(const QString& target);

// What the desktop's handler is given for a target: a URL as it stands, anything else as
// an absolute file URL, so that a name beginning with "-" can never pass for an option.
QString launchArgument(const QString& target);

// The user's documents folder with a trailing "/", or the empty text when there is none.
QString documentsFolder();

// Adds the file to the desktop's recently-used list ($XDG_DATA_HOME/recently-used.xbel),
// or refreshes its entry. False when the list could not be read or written; an unreadable
// list is left as it is rather than replaced.
bool addToRecentDocuments(const QString& filePath);
// The recently-used list file the above writes to.
QString recentDocumentsFile();

// --- test seam ---------------------------------------------------------------------------
// Replaces what open() does (tests record the target instead of launching a program);
// an empty handler restores the desktop's handler.
using OpenHandler = std::function<void(const QString& target)>;
void setOpenHandler(OpenHandler handler);
// Under a test (QStandardPaths' test mode) nothing is ever launched: without a handler
// the targets are only recorded here, so no test can start a browser or reach the network.
QStringList recordedTargets();
void clearRecordedTargets();

} // namespace Shell
