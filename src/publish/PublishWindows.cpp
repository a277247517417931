#include "publish/PublishWindows.h"

#include "publish/TForm2.h"
#include "publish/TserversWindow.h"
#include "publish/TwFTP.h"
#include "publish/TwindowProxy.h"

#include <QPointer>

void StartPublishWindows(Fmovie& ticker, QWidget* parent)
{
    // The FTP window of an earlier publish is not used again; one still at work stays.
    static QPointer<TwFTP> previous;
    if (previous && !previous->isVisible())
        previous->deleteLater();
    auto* ftp = new TwFTP(&ticker, parent);
    previous = ftp;
    TwindowProxy proxy(parent);
    TserversWindow sites(ftp, &proxy, parent);
    sites.exec();
}

void ShowFilesWindow(Fmovie& ticker, QWidget* parent)
{
    TForm2 files(&ticker, parent);
    files.showFilesToUpload();
}
