#pragma once

class Fmovie;
class QWidget;

// What the main window calls for publishing a ticker.

// Creates new FTP, proxy and Sites windows for this ticker (in that order) and shows the
// Sites window modally. The FTP window stays (hidden until the user connects) and goes
// with its parent, or at the next publish.
void StartPublishWindows(Fmovie& ticker, QWidget* parent);

// Shows the files to upload and the embed code modally.
void ShowFilesWindow(Fmovie& ticker, QWidget* parent);
