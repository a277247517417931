#include "PublishFixture.h"

#include "publish/TForm2.h"
#include "ticker/TickerHost.h"

#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

struct PublishHost : TickerHost {
    int publishWindows = 0;
    void startPublishWindows() override { ++publishWindows; }
};

} // namespace

using FilesWindow = PublishFixture;

TEST_F(FilesWindow, ListsTheUploadFilesOfTheFolderAndCopiesTheWholeCode)
{
    testsupport::writeFile(out.path() + "/unrelated.txt", "not for the server");
    TForm2 window(ticker.get());
    bool checked = false;
    whenShown<TForm2>([&](TForm2* shown) {
        QStringList expected;
        for (const QString& path : ticker->UploadFileList())
            expected << QFileInfo(path).fileName();
        EXPECT_EQ(shown->listedFiles(), expected);
        EXPECT_FALSE(shown->listedFiles().contains("unrelated.txt"));
        EXPECT_FALSE(shown->listedFiles().contains("news.txt")); // no entries: not uploaded
        EXPECT_TRUE(shown->findChild<QLabel*>("folderLinkLabel")->text().contains(ticker->PublishedFolder));
        auto* code = shown->findChild<QPlainTextEdit*>("codePlainTextEdit");
        QTextCursor part = code->textCursor();
        part.setPosition(5);
        code->setTextCursor(part);
        shown->findChild<QPushButton*>("copyButton")->click();
        EXPECT_EQ(QApplication::clipboard()->text(), ticker->EmbedCode(ticker->PlayerFileName));
        checked = true;
        shown->reject();
    });
    window.showFilesToUpload();
    EXPECT_TRUE(checked);
}

TEST_F(FilesWindow, UploadNowPublishesAfterTheWindowHasClosed)
{
    PublishHost host;
    Fmovie saved(nullptr, &host);
    saved.SetOutputNames(out.path() + "/other.xml");
    saved.SaveAllFiles(QString(), QString(), false);
    TForm2 window(&saved);
    int shownCount = 0;
    whenShown<TForm2>([&](TForm2* shown) {
        ++shownCount;
        shown->findChild<QPushButton*>("uploadNowButton")->click();
    });
    window.showFilesToUpload();
    EXPECT_EQ(host.publishWindows, 1);
    EXPECT_EQ(shownCount, 1);
    EXPECT_FALSE(window.isVisible());
}

// The Flash player no longer runs in browsers: its code comes with the note, the HTML5 code without.
TEST_F(FilesWindow, FlashCodeComesWithTheNoteAboutTheBrowserPlayer)
{
    for (const PlayerKind kind : {PlayerKind::Flash, PlayerKind::HTML5}) {
        ticker->SetPlayer(kind);
        TForm2 window(ticker.get());
        bool noted = false;
        whenShown<TForm2>([&](TForm2* shown) {
            noted = shown->flashNoteShown();
            shown->reject();
        });
        window.showFilesToUpload();
        EXPECT_EQ(noted, kind == PlayerKind::Flash);
    }
}
