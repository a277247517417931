#include "platform/gui/Dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

class DialogsTest : public ::testing::Test {
protected:
    void SetUp() override { Dialogs::clearQueue(); }
    void TearDown() override
    {
        Dialogs::clearQueue();
        Dialogs::expectQueued(false);
    }
};

// Runs check on the modal dialog once it is up (the call that opens it blocks).
template <typename Check> void onModal(Check check)
{
    QTimer::singleShot(0, [check] {
        QTRY_VERIFY(QApplication::activeModalWidget() != nullptr);
        check(QApplication::activeModalWidget());
    });
}

TEST_F(DialogsTest, QueuedAnswersAreTakenInOrderAndRecorded)
{
    Dialogs::expectQueued(true);
    Dialogs::queueButton(QMessageBox::No);
    Dialogs::queueButton(QMessageBox::Cancel);
    Dialogs::queueFileName("/tmp/a.xml");
    Dialogs::queueFileName("");

    EXPECT_EQ(Dialogs::question(nullptr, "Save?", "Save changes to current file?",
                                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel),
              QMessageBox::No);
    Dialogs::FileDialogOptions options{"Save", "/tmp/", "mynews.xml", "Tickerine Files (*.xml)", true};
    EXPECT_EQ(Dialogs::saveFileName(nullptr, options), "/tmp/a.xml");
    EXPECT_EQ(Dialogs::information(nullptr, "", "Done."), QMessageBox::Cancel);
    EXPECT_EQ(Dialogs::existingFolder(nullptr, "Folder", "/srv/"), "") << "an empty answer is Cancel";
    EXPECT_EQ(Dialogs::queuedAnswers(), 0);

    const auto& shown = Dialogs::shown();
    ASSERT_EQ(shown.size(), 4);
    EXPECT_EQ(shown[0].kind, "question");
    EXPECT_EQ(shown[0].text, "Save changes to current file?");
    EXPECT_EQ(shown[1].kind, "save");
    EXPECT_EQ(shown[1].text, "mynews.xml");
    EXPECT_EQ(shown[1].filter, "Tickerine Files (*.xml)");
    EXPECT_EQ(shown[2].title, "Velmora RSS Tickerine 4.5") << "empty title shows the product";
    EXPECT_EQ(shown[3].kind, "folder");
    EXPECT_EQ(shown[3].folder, "/srv/");
}

TEST_F(DialogsTest, WithoutAnswerTheRealMessageBoxIsShown)
{
    QString seenTitle;
    onModal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        seenTitle = box->windowTitle();
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
        QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
    });
    EXPECT_EQ(Dialogs::question(nullptr, "Delete?", "Delete it?", QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::No),
              QMessageBox::Yes);
    EXPECT_EQ(seenTitle, "Delete?");
}

TEST_F(DialogsTest, RealSaveDialogProposesNameAndReturnsFullPath)
{
    QTemporaryDir dir;
    onModal([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->nameFilters(), QStringList{"Tickerine Files (*.xml)"});
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog hides it
    });
    Dialogs::FileDialogOptions options{"Save", dir.path(), "mynews.xml", "Tickerine Files (*.xml)", true};
    EXPECT_EQ(Dialogs::saveFileName(nullptr, options), dir.path() + "/mynews.xml");
}

TEST_F(DialogsTest, UnansweredDialogFailsLoudlyWhenAnswersAreExpected)
{
    Dialogs::expectQueued(true);
    EXPECT_DEATH(Dialogs::information(nullptr, "T", "nobody answers"), "without a queued answer");
}

} // namespace
