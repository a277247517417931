#pragma once

#include "app/helpers/AppState.h"
#include "platform/UserStore.h"
#include "platform/gui/Dialogs.h"
#include "support/TestPaths.h"
#include "ticker/Fmovie.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

// A saved ticker in a folder of its own, a program folder with stand-in player files and a
// private per-user store.
class PublishFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitFolders(program.path() + "/");
        ASSERT_TRUE(testsupport::writeFile(Folders().SwfFolder + "rovanel.swf", QByteArray(200000, 'S')));
        ASSERT_TRUE(testsupport::writeFile(Folders().SwfFolder + "rovanel.js", "JS-PLAYER"));
        ASSERT_TRUE(testsupport::writeFile(Folders().PhpFolder + "loader.php", "<?php // loader"));
        UserStore::setInstanceFile(home.path() + "/store.json");
        Dialogs::clearQueue();
        Dialogs::expectQueued(true);
        ticker = std::make_unique<Fmovie>();
        ticker->SetOutputNames(out.path() + "/News.xml");
        ticker->SaveAllFiles(QString(), QString(), false);
    }
    void TearDown() override
    {
        Dialogs::expectQueued(false);
        Dialogs::clearQueue();
    }
    QString settingsFile() const { return out.path() + "/news.xml"; }

    QTemporaryDir program;
    QTemporaryDir out;
    QTemporaryDir home;
    std::unique_ptr<Fmovie> ticker;
};

// Runs fn on the first visible top-level widget of type T, once it appears (a modal dialog
// opened by the code under test).
template <class T> void whenShown(std::function<void(T*)> fn, int attempts = 500)
{
    QTimer::singleShot(10, [fn, attempts] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* t = qobject_cast<T*>(w); t && t->isVisible()) {
                fn(t);
                return;
            }
        if (attempts > 0)
            whenShown<T>(fn, attempts - 1);
    });
}

inline bool dialogShownWith(const QString& text)
{
    for (const Dialogs::Shown& shown : Dialogs::shown())
        if (shown.text.contains(text))
            return true;
    return false;
}
