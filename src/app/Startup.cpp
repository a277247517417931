#include "app/Startup.h"

#include "app/PreviewScheme.h"
#include "app/TApplication.h"
#include "app/ThtmlWindow.h"
#include "app/TpreviewWindow.h"
#include "app/TwMain.h"
#include "app/TwTips.h"
#include "app/helpers/AppState.h"
#include "app/helpers/Helpers.h"
#include "mynews/TlinkWindow.h"
#include "platform/Errors.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/SingleInstance.h"
#include "sources/TaddFeedWin.h"
#include "sources/Tfeedinfowin.h"
#include "sources/TnewsSourcePanel.h"

#include <QDateTime>
#include <QFileInfo>

#include <cstdio>
#include <memory>

namespace {

// Start-up measurement: with the variable set, each phase prints its time since the epoch.
void phase(const char* name)
{
    static const bool on = qEnvironmentVariableIsSet("TICKERINE_STARTUP_TIMESTAMP");
    if (on)
        std::fprintf(stderr, "startup-phase %s %lld\n", name,
                     static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
}

bool startFailed(const QString& message)
{
    std::fprintf(stderr, "%s\n", qPrintable(message));
    if (!qEnvironmentVariableIsSet("TICKERINE_NO_DIALOGS"))
        Dialogs::error(nullptr, product::Title, message);
    return false;
}

bool initFolders()
{
    try {
        InitFolders(ExeFolder());
        return true;
    } catch (const TickerineError& error) {
        return startFailed(QString("%1 cannot start.\n\n%2").arg(product::Title, error.message()));
    }
}

} // namespace

int RunTickerine(int argc, char** argv)
{
    // The preview's scheme and the browser's shared contexts must be settled before the
    // application object exists; the browser itself is made on the first preview.
    phase("main");
    preview::RegisterScheme();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    TApplication app(argc, argv);
    app.setApplicationName(SingleInstance::defaultTitle(QString::fromLocal8Bit(argv[0])));
    app.setApplicationDisplayName(product::Title);
    // The main window may sit in the tray while no window shows; closing it ends the run.
    app.setQuitOnLastWindowClosed(false);

    phase("application");
    // Checked before the folders: a second start must not empty the running one's preview.
    SingleInstance guard(SingleInstance::defaultTitle(QString::fromLocal8Bit(argv[0])));
    if (!guard.tryToRun())
        return 0;
    if (!initFolders())
        return 1;

    phase("folders");
    TwMain main;
    phase("main-window");
    guard.setMainWindow(&main);
    main.setQuitOnClose(true);
    auto preview = std::make_unique<TpreviewWindow>(Folders().TempFolder, &main);
    main.setPreviewWindow(preview.get());
    auto link = std::make_unique<TlinkWindow>(&main);
    auto html = std::make_unique<ThtmlWindow>(&main);
    main.setHtmlWindow(html.get());
    auto tips = std::make_unique<TwTips>(Folders().ProgramFolder);
    QObject::connect(tips.get(), &TwTips::showTipsChanged, main.showTipsAction(), &QAction::setChecked);
    // The files window ("Files") is made for the current ticker each time it shows, since
    // each New replaces the ticker it lists.
    auto feedInfo = std::make_unique<Tfeedinfowin>(&main);
    auto addFeed = std::make_unique<TaddFeedWin>(&main);
    main.newsSourcePanel()->setFeedWindows(addFeed.get(), feedInfo.get());

    phase("windows");
    main.show();
    if (tips->isVisible())
        tips->raise();
    return app.exec();
}
