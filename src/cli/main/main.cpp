#include "app/helpers/AppState.h"
#include "app/helpers/Helpers.h"
#include "cli/Commands.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    // The ticker is a widget, but the command line never shows a window.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    try {
        InitFolders(ExeFolder());
    } catch (const TickerineError& error) {
        err << error.message() << '\n';
        return 1;
    }
    const int status = RunCommandLine(app.arguments().mid(1), out, err);
    out.flush();
    return status;
}
