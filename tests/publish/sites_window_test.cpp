#include "PublishFixture.h"

#include "platform/FtpComponent.h"
#include "publish/TForm4.h"
#include "publish/TserversWindow.h"
#include "publish/TwFTP.h"
#include "publish/TwindowProxy.h"
#include "publish/core/FtpSession.h"
#include "publish/core/ProxySettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>

namespace {

const QString Profiles = QLatin1String(ProfilesKey);

class SitesWindow : public PublishFixture {
protected:
    void SetUp() override
    {
        PublishFixture::SetUp();
        ftp = std::make_unique<TwFTP>(ticker.get());
        proxy = std::make_unique<TwindowProxy>();
    }
    void storeProfile(const QString& name, const QList<std::pair<QString, QString>>& values = {})
    {
        UserStore::instance().writeValue(Profiles + '\\' + name, "ItemName", name);
        for (const auto& [key, value] : values)
            UserStore::instance().writeValue(Profiles + '\\' + name, key, value);
    }
    std::unique_ptr<TserversWindow> openSites()
    {
        auto sites = std::make_unique<TserversWindow>(ftp.get(), proxy.get());
        sites->show();
        return sites;
    }
    template <class T> T* child(QWidget& w, const char* name) { return w.findChild<T*>(name); }
    void select(TserversWindow& sites, int row)
    {
        auto* tree = child<QTreeWidget>(sites, "serversTreeWidget");
        tree->setCurrentItem(tree->topLevelItem(row));
    }

    std::unique_ptr<TwFTP> ftp;
    std::unique_ptr<TwindowProxy> proxy;
};

} // namespace

// No stored site: the wizard opens by itself; walking it through adds the profile, selected,
// shortly after the wizard has closed.
TEST_F(SitesWindow, TheWizardMakesTheFirstProfile)
{
    bool walked = false;
    whenShown<TForm4>([&](TForm4* wizard) {
        auto* next1 = child<QPushButton>(*wizard, "step1NextButton");
        EXPECT_FALSE(next1->isEnabled());
        QTest::keyClicks(child<QLineEdit>(*wizard, "nicknameLineEdit"), "Home Site");
        EXPECT_TRUE(next1->isEnabled());
        QTest::keyClick(child<QLineEdit>(*wizard, "nicknameLineEdit"), Qt::Key_Return);
        EXPECT_EQ(wizard->step(), 2);
        auto* anon = child<QCheckBox>(*wizard, "anonymousCheckBox");
        EXPECT_TRUE(child<QCheckBox>(*wizard, "savePasswordCheckBox")->isChecked());
        QTest::keyClicks(child<QLineEdit>(*wizard, "userLineEdit"), "typed");
        anon->click();
        EXPECT_EQ(child<QLineEdit>(*wizard, "userLineEdit")->text(), "anonymous");
        EXPECT_EQ(child<QLineEdit>(*wizard, "passwordLineEdit")->text().size(), 13);
        anon->click();
        EXPECT_EQ(child<QLineEdit>(*wizard, "userLineEdit")->text(), "");
        EXPECT_EQ(child<QLineEdit>(*wizard, "passwordLineEdit")->text(), "");
        QTest::keyClicks(child<QLineEdit>(*wizard, "userLineEdit"), "bob");
        QTest::keyClicks(child<QLineEdit>(*wizard, "passwordLineEdit"), "pw");
        child<QPushButton>(*wizard, "step2NextButton")->click();
        // An empty host keeps step 3, by button and by Enter.
        EXPECT_FALSE(child<QPushButton>(*wizard, "step3NextButton")->isEnabled());
        QTest::keyClick(child<QLineEdit>(*wizard, "hostLineEdit"), Qt::Key_Return);
        EXPECT_EQ(wizard->step(), 3);
        QTest::keyClicks(child<QLineEdit>(*wizard, "hostLineEdit"), "ftp.home.example");
        QTest::keyClicks(child<QLineEdit>(*wizard, "remotePathLineEdit"), "/www");
        QTest::keyClick(child<QLineEdit>(*wizard, "remotePathLineEdit"), Qt::Key_Return);
        EXPECT_EQ(wizard->step(), 4);
        child<QPushButton>(*wizard, "noProxyButton")->click();
        EXPECT_EQ(wizard->step(), 5);
        child<QPushButton>(*wizard, "step5FinishButton")->click();
        walked = true;
    });
    auto sites = openSites();
    QTRY_VERIFY_WITH_TIMEOUT(walked, 10000);
    auto* tree = child<QTreeWidget>(*sites, "serversTreeWidget");
    EXPECT_EQ(tree->topLevelItemCount(), 0); // not yet: Timer2 adds it
    QTRY_COMPARE(tree->topLevelItemCount(), 1);
    EXPECT_EQ(sites->currentProfile(), 0);
    const ServerProfileData& p = sites->Profiles().at(0);
    EXPECT_EQ(p.ItemName, "Home Site");
    EXPECT_EQ(p.HostName, "ftp.home.example");
    EXPECT_EQ(p.Username, "bob");
    EXPECT_EQ(p.HostDirName, "/www");
    EXPECT_EQ(p.Port, 21);
    EXPECT_EQ(p.Timeout, 120);
    EXPECT_TRUE(p.PassiveMode);
    EXPECT_TRUE(p.SavePassword);
    EXPECT_EQ(child<QLineEdit>(*sites, "hostNameLineEdit")->text(), "ftp.home.example");
}

TEST_F(SitesWindow, TheWizardRefusesClashingNamesAndCancelAddsNothing)
{
    storeProfile("Home");
    auto sites = openSites();
    bool done = false;
    whenShown<TForm4>([&](TForm4* wizard) {
        auto* name = child<QLineEdit>(*wizard, "nicknameLineEdit");
        for (const char* clash : {"Home", "HOME", "a\\b"}) {
            name->clear();
            Dialogs::queueButton(QMessageBox::Ok);
            QTest::keyClicks(name, clash);
            child<QPushButton>(*wizard, "step1NextButton")->click();
            EXPECT_EQ(wizard->step(), 1) << clash;
        }
        child<QPushButton>(*wizard, "step1CancelButton")->click();
        done = true;
    });
    child<QPushButton>(*sites, "addButton")->click();
    QTRY_VERIFY(done);
    EXPECT_TRUE(dialogShownWith("A site with that name already exists, please choose another one."));
    QTest::qWait(250);
    EXPECT_EQ(sites->Profiles().count(), 1);
}

TEST_F(SitesWindow, FieldsWriteIntoTheProfileAsTheyChange)
{
    storeProfile("A", {{"Secure", "1"}, {"Protocol", "3"}, {"Port", "990"}});
    auto sites = openSites();
    select(*sites, 0);
    auto* drop = child<QComboBox>(*sites, "protocolComboBox");
    auto* port = child<QLineEdit>(*sites, "portLineEdit");
    EXPECT_EQ(drop->currentText(), "SFTP"); // the Secure flag wins
    ServerProfileData& p = sites->Profiles().at(0);
    for (const auto& [item, expected] : {std::pair{"FTP + SSL Implicit", 21}, {"SFTP", 22}, {"FTP", 21}}) {
        drop->setCurrentText(item);
        EXPECT_EQ(p.Port, expected) << item;
        EXPECT_FALSE(p.Secure);
    }
    EXPECT_EQ(p.Protocol, 0);
    port->setText("abc");
    EXPECT_EQ(p.Port, 21);
    port->setText("2121");
    EXPECT_EQ(p.Port, 2121);
    auto* anon = child<QCheckBox>(*sites, "anonymousCheckBox");
    anon->click();
    EXPECT_TRUE(p.Anonymous);
    EXPECT_EQ(p.Username, "anonymous");
    anon->click();
    EXPECT_FALSE(p.Anonymous);
    EXPECT_EQ(p.Username, "anonymous");
}

// Close and Connect save the field edits; the close box and a double click do not.
TEST_F(SitesWindow, OnlyTheConnectAndCloseButtonsSave)
{
    storeProfile("A", {{"HostName", "old.example"}});
    {
        auto sites = openSites();
        select(*sites, 0);
        child<QLineEdit>(*sites, "hostNameLineEdit")->setText("new.example");
        sites->reject(); // the title bar's close box
    }
    EXPECT_EQ(UserStore::instance().readValue(Profiles + "\\A", "HostName"), "old.example");
    {
        auto sites = openSites();
        select(*sites, 0);
        child<QLineEdit>(*sites, "hostNameLineEdit")->setText("new.example");
        QTest::keyClick(sites.get(), Qt::Key_Escape);
        EXPECT_FALSE(sites->isVisible());
    }
    EXPECT_EQ(UserStore::instance().readValue(Profiles + "\\A", "HostName"), "new.example");

    // Both connect; only the button saves. No name server is asked: the host is unknown.
    FtpComponent::setResolver([](const QString&) { return QStringList(); });
    for (bool button : {false, true}) {
        auto sites = openSites();
        select(*sites, 0);
        child<QLineEdit>(*sites, "hostNameLineEdit")->setText(button ? "button.example" : "double.example");
        Dialogs::clearQueue();
        Dialogs::queueButton(QMessageBox::Ok);
        if (button) {
            child<QPushButton>(*sites, "connectButton")->click();
        } else {
            auto* tree = child<QTreeWidget>(*sites, "serversTreeWidget");
            const QPoint centre = tree->visualItemRect(tree->topLevelItem(0)).center();
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, centre);
            QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, centre);
        }
        EXPECT_FALSE(sites->isVisible());
        EXPECT_TRUE(ftp->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(dialogShownWith(SiteNotFoundMessage), 10000);
        EXPECT_EQ(UserStore::instance().readValue(Profiles + "\\A", "HostName"),
                  button ? "button.example" : "new.example");
    }
    FtpComponent::setResolver({});
}

TEST_F(SitesWindow, RenameAndDeleteKeepTheStoreInStep)
{
    storeProfile("A");
    storeProfile("B", {{"Bookmark 0", "/kept"}});
    auto sites = openSites();
    auto* tree = child<QTreeWidget>(*sites, "serversTreeWidget");
    select(*sites, 1);

    // A clash: the message, and the editor opens again shortly after.
    Dialogs::queueButton(QMessageBox::Ok);
    QTest::keyClick(tree, Qt::Key_F2);
    auto* editor = tree->findChild<QLineEdit*>();
    ASSERT_TRUE(editor);
    editor->setText("a");
    QTest::keyClick(editor, Qt::Key_Return); // the view commits on its next turn
    QTRY_VERIFY(dialogShownWith("already exists"));
    EXPECT_EQ(sites->Profiles().at(1).ItemName, "B");
    QTRY_VERIFY(tree->findChild<QLineEdit*>() && tree->findChild<QLineEdit*>()->isVisible());

    editor = tree->findChild<QLineEdit*>();
    editor->setText("Renamed");
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(sites->Profiles().at(1).ItemName, QString("Renamed"));
    EXPECT_EQ(UserStore::instance().subKeyNames(Profiles), QStringList({"A", "Renamed"}));
    EXPECT_EQ(UserStore::instance().readValue(Profiles + "\\Renamed", "Bookmark 0"), "/kept");

    Dialogs::queueButton(QMessageBox::No);
    QTest::keyClick(tree, Qt::Key_Delete);
    EXPECT_EQ(sites->Profiles().count(), 2);
    Dialogs::queueButton(QMessageBox::Yes);
    child<QPushButton>(*sites, "deleteButton")->click();
    EXPECT_TRUE(dialogShownWith("Are you sure you want to delete the site profile Renamed?"));
    EXPECT_EQ(sites->Profiles().count(), 1);
    EXPECT_EQ(UserStore::instance().subKeyNames(Profiles), QStringList({"A"}));
    EXPECT_EQ(sites->currentProfile(), 0);
}

// "Proxy Server" shows what is stored, and Ok stores what is shown.
TEST_F(SitesWindow, ProxyWindowStoresWhatItShows)
{
    UserStore::instance().writeValue(ProxyKey, "proxytype", "socks5");
    UserStore::instance().writeValue(ProxyKey, "proxyport", "1080");
    TwindowProxy window;
    window.show();
    auto* type = child<QComboBox>(window, "typeComboBox");
    EXPECT_EQ(type->currentIndex(), -1); // other case selects nothing
    EXPECT_EQ(child<QSpinBox>(window, "portSpinEdit")->value(), 1080);
    child<QLineEdit>(window, "proxyPasswordLineEdit")->setText("hidden");
    type->setCurrentText("Web Standard");
    child<QPushButton>(window, "okButton")->click();
    EXPECT_EQ(UserStore::instance().readValue(ProxyKey, "proxytype"), "Web Standard");
    EXPECT_NE(UserStore::instance().readValue(ProxyKey, "proxypassword"), "hidden");
    proxySettings() = {};
    TwindowProxy again;
    again.show();
    EXPECT_EQ(child<QLineEdit>(again, "proxyPasswordLineEdit")->text(), "hidden");
}
