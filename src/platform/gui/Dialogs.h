#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// The one way the program asks the user through a message box or a file dialog.
// Tests queue the answers a user would give; an answer is taken in queue order, and a
// call with an empty queue shows the real dialog (a test that forgets an answer would
// then hang on the offscreen platform, so tests call Dialogs::expectQueued(true) to make
// such a call fail loudly instead).
namespace Dialogs {

// Message boxes. Buttons as QMessageBox's; the result is the button pressed.
QMessageBox::StandardButton information(QWidget* parent, const QString& title, const QString& text);
QMessageBox::StandardButton warning(QWidget* parent, const QString& title, const QString& text);
QMessageBox::StandardButton error(QWidget* parent, const QString& title, const QString& text);
QMessageBox::StandardButton question(QWidget* parent, const QString& title, const QString& text,
                                     QMessageBox::StandardButtons buttons,
                                     QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// File dialogs. An empty result means Cancel. filter uses Qt's form
// ("Tickerine Files (*.settings *.xml)").
struct FileDialogOptions {
    QString title;
    QString folder;   // initial folder
    QString fileName; // proposed name
    QString filter;
    bool confirmOverwrite = true;
};
QString openFileName(QWidget* parent, const FileDialogOptions& options);
QString saveFileName(QWidget* parent, const FileDialogOptions& options);
QString existingFolder(QWidget* parent, const QString& title, const QString& folder);

// --- test seam ---------------------------------------------------------------------------
struct Shown {
    QString kind; // "information", "warning", "error", "question", "open", "save", "folder"
    QString title;
    QString text;   // message text, or the proposed file name / folder for file dialogs
    QString folder; // file dialogs: the initial folder
    QString filter; // file dialogs: the filter
};
void queueButton(QMessageBox::StandardButton answer);
void queueFileName(const QString& answer); // "" answers Cancel
// Every dialog asked for since the last clearQueue(), answered or not.
const QList<Shown>& shown();
void clearQueue();
void expectQueued(bool on);
// Answers queued but not taken yet (a test can check that every answer was used).
int queuedAnswers();

// The title a message box shows when the caller passes an empty one.
QString defaultTitle();
void setDefaultTitle(const QString& title);

} // namespace Dialogs
