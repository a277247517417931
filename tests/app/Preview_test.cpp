#include "app/PreviewScheme.h"
#include "app/TpreviewWindow.h"
#include "app/TwMain.h"
#include "app/helpers/AppState.h"
#include "platform/UserStore.h"
#include "platform/gui/Dialogs.h"
#include "ticker/Fmovie.h"

#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

// The scheme must be known before the application object exists, as in the program.
const bool schemeRegistered = [] {
    preview::RegisterScheme();
    return true;
}();

TEST(PreviewWindow, ShowsTheMovingTickerFromTheTemporaryFolderAtItsSizePlusTheMargins)
{
    ASSERT_TRUE(schemeRegistered);
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("program/swf");
    QFile::copy(testsupport::programDir() + "/swf/rovanel.js", dir.path() + "/program/swf/rovanel.js");
    InitFolders(dir.path() + "/program/");
    UserStore::setInstanceFile(dir.path() + "/store.json");
    Dialogs::expectQueued(true);
    TwMain main;
    EXPECT_FALSE(main.previewWindow()->browserCreated());
    main.ShowNewsView(true);
    main.findChild<QSpinBox*>("widthSpinEdit")->setValue(400);
    main.findChild<QSpinBox*>("heightSpinEdit")->setValue(300);

    main.Preview();
    TpreviewWindow* window = main.previewWindow();
    ASSERT_TRUE(window->browserCreated());
    EXPECT_TRUE(QFile::exists(Folders().TempFolder + "temp.html"));
    EXPECT_EQ(window->size(), QSize(480, 355));
    QSignalSpy loaded(window->browser(), &QWebEngineView::loadFinished);
    ASSERT_TRUE(loaded.wait(30000) || loaded.count() > 0);
    EXPECT_TRUE(loaded.first().first().toBool());
    EXPECT_EQ(window->browser()->url().scheme(), "tickerine");

    // The player read temp.xml and the news file through the scheme and shows the sample entry
    // that a My News ticker without entries previews with.
    QString shown;
    for (int i = 0; i < 150 && !shown.contains("My Blog"); ++i) {
        window->browser()->page()->runJavaScript("document.querySelector('.velmora-rovanel').textContent",
                                                 [&shown](const QVariant& text) { shown = text.toString(); });
        QTest::qWait(100);
    }
    EXPECT_TRUE(shown.contains("My Blog")) << shown.toStdString();
    main.movie()->Modified = false;
    Dialogs::expectQueued(false);
}

} // namespace
