#include "publish/TserversWindow.h"

#include "platform/UserStore.h"
#include "platform/gui/Dialogs.h"
#include "publish/TForm4.h"
#include "publish/TwFTP.h"
#include "publish/TwindowProxy.h"
#include "publish/core/FtpSession.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const char* const PlacementKey = "Software\\Velmora Software\\Velmora Tickerine\\TserversWindow";

bool isEnter(const QEvent* event, QEvent::Type type)
{
    if (event->type() != type)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

QPushButton* button(const QString& text, const QString& name, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QLineEdit* edit(const QString& name, QWidget* parent)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    return e;
}

QCheckBox* check(const QString& text, const QString& name, QWidget* parent)
{
    auto* c = new QCheckBox(text, parent);
    c->setObjectName(name);
    return c;
}

} // namespace

TserversWindow::TserversWindow(TwFTP* ftp, TwindowProxy* proxy, QWidget* parent)
    : QDialog(parent), m_ftp(ftp), m_proxy(proxy)
{
    setObjectName("sitesWindow");
    setWindowTitle("My Sites");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowStaysOnTopHint);
    buildControls();
    FormCreate();
}

TserversWindow::~TserversWindow() = default;

void TserversWindow::buildControls()
{
    auto* sitesGroup = new QGroupBox("My Sites", this);
    auto* sitesLayout = new QVBoxLayout(sitesGroup);
    tvServers = new QTreeWidget(sitesGroup);
    tvServers->setObjectName("serversTreeWidget");
    tvServers->setHeaderHidden(true);
    tvServers->setRootIsDecorated(false);
    tvServers->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tvServers->setContextMenuPolicy(Qt::PreventContextMenu);
    tvServers->installEventFilter(this);
    sitesLayout->addWidget(tvServers);
    auto* treeButtons = new QHBoxLayout;
    m_add = button("Add", "addButton", sitesGroup);
    m_add->setFlat(true);
    m_delete = button("Delete", "deleteButton", sitesGroup);
    m_delete->setFlat(true);
    treeButtons->addWidget(m_add);
    treeButtons->addWidget(m_delete);
    sitesLayout->addLayout(treeButtons);

    auto* tabs = new QTabWidget(this);
    m_fields = buildFields();
    tabs->addTab(m_fields, "General");

    m_proxyButton = button("Proxy Setup", "proxySetupButton", this);
    m_connect = button("Connect", "connectButton", this);
    QFont bold = m_connect->font();
    bold.setBold(true);
    m_connect->setFont(bold);
    m_close = button("Close", "closeButton", this);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_proxyButton);
    bottom->addStretch();
    bottom->addWidget(m_connect);
    bottom->addWidget(m_close);

    auto* top = new QHBoxLayout;
    top->addWidget(sitesGroup);
    top->addWidget(tabs, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(bottom);

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(100);
    Timer1->setSingleShot(true);
    Timer2 = new QTimer(this);
    Timer2->setObjectName("Timer2");
    Timer2->setInterval(100);
    Timer2->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &TserversWindow::startEditingSelected);
    connect(Timer2, &QTimer::timeout, this, &TserversWindow::addPendingProfile);
    connect(m_add, &QPushButton::clicked, this, &TserversWindow::btnAddClick);
    connect(m_delete, &QPushButton::clicked, this, &TserversWindow::btnDeleteClick);
    connect(m_connect, &QPushButton::clicked, this, &TserversWindow::btnConnectClick);
    connect(m_close, &QPushButton::clicked, this, &TserversWindow::btnCloseClick);
    connect(m_proxyButton, &QPushButton::clicked, this, &TserversWindow::btnProxyClick);
    connect(tvServers, &QTreeWidget::currentItemChanged, this, &TserversWindow::tvServersChange);
    connect(tvServers, &QTreeWidget::itemDoubleClicked, this, &TserversWindow::connectSequence);
    // Fires also when the caption is confirmed unchanged, which counts as a clash.
    connect(tvServers->itemDelegate(), &QAbstractItemDelegate::commitData, this,
            [this](QWidget*) { tvServersEdited(tvServers->currentItem()); });
    connectFieldHandlers();
    setFixedSize(sizeHint().expandedTo(QSize(620, 420)));
}

QWidget* TserversWindow::buildFields()
{
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    txtHostName = edit("hostNameLineEdit", page);
    txtUsername = edit("usernameLineEdit", page);
    txtPassword = edit("passwordLineEdit", page);
    txtPassword->setEchoMode(QLineEdit::Password);
    txtPort = edit("portLineEdit", page);
    txtPort->setText("21");
    txtTimeout = new QSpinBox(page);
    txtTimeout->setObjectName("timeoutSpinEdit");
    txtTimeout->setRange(5, 120);
    txtTimeout->setValue(60);
    txtHostDirName = edit("hostDirLineEdit", page);
    txtLocalDirName = edit("localDirLineEdit", page);
    txtComment = edit("commentLineEdit", page);
    chkAnonymous = check("Anonymous", "anonymousCheckBox", page);
    chkPassiveMode = check("Passive Mode", "passiveModeCheckBox", page);
    chkSavePassword = check("Save Password", "savePasswordCheckBox", page);
    noop = check("Stay Connected", "stayConnectedCheckBox", page);
    protocolDrop = new QComboBox(page);
    protocolDrop->setObjectName("protocolComboBox");
    protocolDrop->addItems({"FTP", "SFTP", "FTP + SSL", "FTP + SSL + Data", "FTP + SSL Implicit"});
    m_browse = button("...", "browseButton", page);
    m_browse->setToolTip("Browse");
    auto* local = new QHBoxLayout;
    local->addWidget(txtLocalDirName);
    local->addWidget(m_browse);
    auto* checks = new QHBoxLayout;
    for (QCheckBox* c : {chkAnonymous, chkPassiveMode, chkSavePassword, noop})
        checks->addWidget(c);
    form->addRow("Host Name", txtHostName);
    form->addRow("Username", txtUsername);
    form->addRow("Password", txtPassword);
    form->addRow(checks);
    form->addRow("Port", txtPort);
    form->addRow("Timeout (secs)", txtTimeout);
    form->addRow("Connection Type:", protocolDrop);
    form->addRow("Initial Host Folder", txtHostDirName);
    form->addRow("Initial Local Folder", local);
    form->addRow("Comment", txtComment);
    for (QWidget* w : std::initializer_list<QWidget*>{txtHostName, txtUsername, txtPassword, txtPort,
                                                      txtTimeout, txtHostDirName, txtLocalDirName, txtComment,
                                                      chkAnonymous, chkPassiveMode, chkSavePassword})
        w->installEventFilter(this);
    return page;
}

void TserversWindow::connectFieldHandlers()
{
    const auto text = [this](QLineEdit* e, QString ServerProfileData::*field) {
        connect(e, &QLineEdit::textChanged, this, [this, field](const QString& value) {
            if (editable())
                current()->*field = value;
        });
    };
    text(txtHostName, &ServerProfileData::HostName);
    text(txtUsername, &ServerProfileData::Username);
    text(txtPassword, &ServerProfileData::Password);
    text(txtHostDirName, &ServerProfileData::HostDirName);
    text(txtLocalDirName, &ServerProfileData::LocalDirName);
    text(txtComment, &ServerProfileData::Comment);
    const auto flag = [this](QCheckBox* c, bool ServerProfileData::*field) {
        connect(c, &QCheckBox::toggled, this, [this, field](bool value) {
            if (editable())
                current()->*field = value;
        });
    };
    flag(chkPassiveMode, &ServerProfileData::PassiveMode);
    flag(chkSavePassword, &ServerProfileData::SavePassword);
    flag(noop, &ServerProfileData::UseNoop);
    connect(txtPort, &QLineEdit::textChanged, this, [this](const QString& value) {
        bool ok = false;
        const int port = value.toInt(&ok);
        if (editable() && ok)
            current()->Port = port;
    });
    connect(txtTimeout, &QSpinBox::valueChanged, this, [this](int value) {
        if (editable())
            current()->Timeout = value;
    });
    connect(chkAnonymous, &QCheckBox::toggled, this, &TserversWindow::chkAnonymousClick);
    connect(protocolDrop, &QComboBox::currentIndexChanged, this, &TserversWindow::protocolDropChange);
    connect(m_browse, &QPushButton::clicked, this, &TserversWindow::browseClick);
}

void TserversWindow::FormCreate()
{
    m_loadingFields = false;
    m_currentProfile = -1;
    m_profiles = std::make_unique<ServerProfileStore>(UserStore::instance());
    m_profiles->loadProfiles();
    for (int i = 0; i < m_profiles->count(); ++i) {
        auto* node = new QTreeWidgetItem(tvServers, {m_profiles->at(i).ItemName});
        node->setFlags(node->flags() | Qt::ItemIsEditable);
    }
    setProfileFieldsEnabled(false);
    UserStore& store = UserStore::instance();
    const auto left = store.readValue(PlacementKey, "Left");
    const auto top = store.readValue(PlacementKey, "Top");
    if (left && top)
        move(left->toInt(), top->toInt());
}

void TserversWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TserversWindow::FormShow()
{
    if (m_profiles->count() == 0 && !m_wizardOpened) {
        m_wizardOpened = true;
        QTimer::singleShot(0, this, &TserversWindow::btnAddClick);
    }
}

ServerProfileData* TserversWindow::current() const
{
    return m_currentProfile < 0 || m_currentProfile >= m_profiles->count()
               ? nullptr
               : &m_profiles->at(m_currentProfile);
}

void TserversWindow::setProfileFieldsEnabled(bool enabled)
{
    m_fields->setEnabled(enabled);
    m_delete->setEnabled(enabled);
    m_connect->setEnabled(enabled);
}

void TserversWindow::tvServersChange()
{
    showProfile(-1);
}

void TserversWindow::showProfile(int position)
{
    QTreeWidgetItem* selected = tvServers->currentItem();
    m_currentProfile = position >= 0 ? position : selected ? tvServers->indexOfTopLevelItem(selected) : -1;
    if (!current()) {
        m_currentProfile = -1;
        setProfileFieldsEnabled(false);
        return;
    }
    setProfileFieldsEnabled(true);
    m_loadingFields = true;
    fillFields(*current());
    m_loadingFields = false;
}

void TserversWindow::fillFields(const ServerProfileData& p)
{
    txtHostName->setText(p.HostName);
    txtUsername->setText(p.Username);
    txtPassword->setText(p.Password);
    txtPort->setText(QString::number(p.Port));
    txtTimeout->setValue(p.Timeout);
    txtHostDirName->setText(p.HostDirName);
    txtLocalDirName->setText(p.LocalDirName);
    txtComment->setText(p.Comment);
    noop->setChecked(p.UseNoop);
    chkAnonymous->setChecked(p.Anonymous);
    chkPassiveMode->setChecked(p.PassiveMode);
    chkSavePassword->setChecked(p.SavePassword);
    protocolDrop->setCurrentIndex(p.Secure ? 1 : p.Protocol);
}

void TserversWindow::chkAnonymousClick(bool checked)
{
    if (!editable())
        return;
    current()->Anonymous = checked;
    if (!checked)
        return;
    txtUsername->setText("anonymous");
    txtPassword->setText(AnonymousPassword);
}

void TserversWindow::protocolDropChange(int index)
{
    if (!editable())
        return;
    current()->Protocol = index;
    current()->Secure = false;
    txtPort->setText(index == 1 ? "22" : "21");
}

void TserversWindow::browseClick()
{
    const QString folder = Dialogs::existingFolder(this, "Initial Local Folder", txtLocalDirName->text());
    if (!folder.isEmpty())
        txtLocalDirName->setText(folder);
}

bool TserversWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == tvServers && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_F2 || key == Qt::Key_Delete) && editable()) {
            key == Qt::Key_F2 ? startEditingSelected() : btnDeleteClick();
            return true;
        }
        return QDialog::eventFilter(watched, event);
    }
    if (watched != tvServers && isEnter(event, QEvent::KeyRelease)) {
        btnConnectClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TserversWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        btnCloseClick();
        return;
    }
    // Enter acts on release in the fields, never as a default button.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return;
    QDialog::keyPressEvent(event);
}

void TserversWindow::startEditingSelected()
{
    if (QTreeWidgetItem* item = tvServers->currentItem())
        tvServers->editItem(item);
}

void TserversWindow::tvServersEdited(QTreeWidgetItem* item)
{
    if (!item || !editable() || tvServers->indexOfTopLevelItem(item) != m_currentProfile)
        return;
    const QString name = item->text(0);
    const QString problem = m_profiles->nameProblem(name, m_currentProfile);
    if (!problem.isEmpty()) {
        Dialogs::information(this, "My Sites", problem);
        Timer1->start();
        return;
    }
    m_profiles->eraseProfileKey(m_currentProfile);
    current()->ItemName = name;
    if (!m_profiles->saveProfiles())
        Dialogs::error(this, "My Sites", SaveProfilesError);
}

void TserversWindow::btnAddClick()
{
    TForm4 wizard(*this, this);
    wizard.exec();
}

void TserversWindow::addPendingProfile()
{
    auto* node = new QTreeWidgetItem(tvServers, {pendingProfile.name});
    node->setFlags(node->flags() | Qt::ItemIsEditable);
    auto profile = std::make_unique<ServerProfileData>();
    profile->ItemName = pendingProfile.name;
    profile->HostName = pendingProfile.hostName;
    profile->Username = pendingProfile.userName;
    profile->Password = pendingProfile.password;
    profile->Anonymous = pendingProfile.anonymous;
    profile->SavePassword = pendingProfile.savePassword;
    profile->HostDirName = pendingProfile.remoteFolder;
    profile->Port = 21;
    profile->Timeout = 120;
    m_profiles->append(std::move(profile));
    tvServers->setCurrentItem(node);
}

void TserversWindow::btnDeleteClick()
{
    if (m_currentProfile == -1)
        return;
    const QString question = "Are you sure you want to delete the site profile " + current()->ItemName + "?";
    if (Dialogs::question(this, "Delete?", question, QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    const int position = m_currentProfile;
    m_profiles->eraseProfileKey(position);
    m_profiles->removeAt(position);
    m_currentProfile = -1;
    delete tvServers->takeTopLevelItem(position);
    showProfile(-1);
    if (m_profiles->count() == 0)
        setProfileFieldsEnabled(false);
}

void TserversWindow::connectSequence()
{
    done(QDialog::Accepted);
    ServerProfileData* profile = current();
    if (!profile || !m_ftp)
        return;
    try {
        m_ftp->show();
        QApplication::processEvents();
        m_ftp->connectToProfile(profile->HostName, profile->Username, profile->Password, profile->Port,
                                *profile);
    } catch (...) {
        // The window has closed already; the FTP window shows what went wrong.
    }
}

void TserversWindow::btnConnectClick()
{
    connectSequence();
    if (!m_profiles->saveProfiles())
        Dialogs::error(this, "My Sites", SaveProfilesError);
    done(QDialog::Accepted);
}

void TserversWindow::btnCloseClick()
{
    if (!m_profiles->saveProfiles())
        Dialogs::error(this, "My Sites", SaveProfilesError);
    if (m_ftp)
        m_ftp->close();
    done(QDialog::Rejected);
}

void TserversWindow::btnProxyClick()
{
    if (m_proxy)
        m_proxy->exec();
}

void TserversWindow::done(int result)
{
    UserStore& store = UserStore::instance();
    store.writeValue(PlacementKey, "Left", QString::number(x()));
    store.writeValue(PlacementKey, "Top", QString::number(y()));
    QDialog::done(result);
}
