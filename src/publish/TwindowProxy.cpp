#include "publish/TwindowProxy.h"

#include "platform/UserStore.h"
#include "platform/gui/Dialogs.h"
#include "publish/core/ProxySettings.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <limits>

TwindowProxy::TwindowProxy(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Proxy Server");
    setObjectName("proxyWindow");
    auto* form = new QFormLayout;
    m_hostName = new QLineEdit(this);
    m_hostName->setObjectName("proxyHostnameLineEdit");
    m_login = new QLineEdit(this);
    m_login->setObjectName("proxyLoginLineEdit");
    m_password = new QLineEdit(this);
    m_password->setObjectName("proxyPasswordLineEdit");
    m_password->setEchoMode(QLineEdit::Password);
    m_port = new QSpinBox(this);
    m_port->setObjectName("portSpinEdit");
    m_port->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    m_type = new QComboBox(this);
    m_type->setObjectName("typeComboBox");
    m_type->addItems({"Socks4", "Socks5", "Web Standard", "Relay", "Socks4a"});
    m_type->setCurrentIndex(-1);
    form->addRow("Proxy Hostname:", m_hostName);
    form->addRow("Proxy Login:", m_login);
    form->addRow("Proxy Password:", m_password);
    form->addRow("Port:", m_port);
    form->addRow("Type:", m_type);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton("Ok", QDialogButtonBox::AcceptRole);
    ok->setObjectName("okButton");
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    cancel->setObjectName("cancelButton");
    connect(ok, &QPushButton::clicked, this, &TwindowProxy::btnOkClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    FormCreate();
}

void TwindowProxy::FormCreate()
{
    proxySettings() = {};
    if (!loadProxySettings(UserStore::instance()))
        Dialogs::error(this, "Proxy Server", OpenProxyError);
}

void TwindowProxy::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TwindowProxy::FormShow()
{
    const ProxySettings& s = proxySettings();
    m_hostName->setText(s.hostName);
    m_login->setText(s.login);
    m_password->setText(s.password);
    m_port->setValue(s.port.toInt());
    const int index = m_type->findText(s.type, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        m_type->setCurrentIndex(index);
    m_hostName->setFocus();
}

void TwindowProxy::btnOkClick()
{
    ProxySettings& s = proxySettings();
    s.hostName = m_hostName->text();
    s.login = m_login->text();
    s.password = m_password->text();
    s.port = QString::number(m_port->value());
    s.type = m_type->currentIndex() < 0 ? QString() : m_type->currentText();
    if (!saveProxySettings(UserStore::instance()))
        Dialogs::error(this, "Proxy Server", SaveProxyError);
    accept();
}
