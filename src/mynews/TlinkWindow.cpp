#include "mynews/TlinkWindow.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

namespace {

const std::array<const char*, 5> TargetItems = {
    "Page Default (none)", "Same Frame (TARGET=_self)", "Whole Page (TARGET=_top)",
    "New Browser Window (TARGET=_blank)", "Parent Frame (TARGET=_parent)"};
const std::array<const char*, 5> TargetNames = {"", "_self", "_top", "_blank", "_parent"};

} // namespace

TlinkWindow::TlinkWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint)
{
    setObjectName(QStringLiteral("linkWindow"));
    setWindowTitle(QStringLiteral("Insert Link"));
    setModal(true);

    auto* textGroup = new QGroupBox(QStringLiteral("Link Text"), this);
    m_linkTextMemo = new QPlainTextEdit(textGroup);
    m_linkTextMemo->setObjectName(QStringLiteral("linkTextMemo"));
    m_linkTextMemo->setTabChangesFocus(true);
    (new QVBoxLayout(textGroup))->addWidget(m_linkTextMemo);

    auto* optionsGroup = new QGroupBox(QStringLiteral("Link Options"), this);
    m_urlEdit = new QLineEdit(optionsGroup);
    m_urlEdit->setObjectName(QStringLiteral("urlEdit"));
    m_targetComboBox = new QComboBox(optionsGroup);
    m_targetComboBox->setObjectName(QStringLiteral("targetComboBox"));
    for (const char* item : TargetItems) {
        m_targetComboBox->addItem(QString::fromLatin1(item));
    }
    m_targetComboBox->setCurrentIndex(-1);
    auto* form = new QFormLayout(optionsGroup);
    form->addRow(QStringLiteral("URL:"), m_urlEdit);
    form->addRow(QStringLiteral("Target:"), m_targetComboBox);

    m_okButton = new QPushButton(QStringLiteral("Ok"), this);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_okButton->setDefault(true);
    m_cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    connect(m_okButton, &QPushButton::clicked, this, &TlinkWindow::btnOkClick);
    connect(m_cancelButton, &QPushButton::clicked, this, &TlinkWindow::btnCancelClick);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(textGroup);
    layout->addWidget(optionsGroup);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool TlinkWindow::Open(const QString& selectedText)
{
    m_linkTextMemo->setPlainText(selectedText);
    m_urlEdit->setText(QStringLiteral("http://"));
    FormShow();
    return exec() == QDialog::Accepted;
}

QString TlinkWindow::Link() const
{
    return QStringLiteral("<a href=\"") + m_urlEdit->text() + QLatin1Char('"') +
           TargetAttribute(m_targetComboBox->currentIndex()) + QLatin1Char('>') +
           m_linkTextMemo->toPlainText() + QStringLiteral("</a>");
}

QString TlinkWindow::TargetAttribute(int position)
{
    if (position < 1 || position >= int(TargetNames.size())) {
        return {};
    }
    return QStringLiteral(" target=\"") + QLatin1String(TargetNames[std::size_t(position)]) +
           QLatin1Char('"');
}

void TlinkWindow::btnOkClick()
{
    accept();
}

void TlinkWindow::btnCancelClick()
{
    reject();
}

void TlinkWindow::FormShow()
{
    if (parentWidget()) {
        const QWidget* main = parentWidget()->window();
        adjustSize();
        move(main->geometry().center() - rect().center());
    }
    m_linkTextMemo->setFocus();
}
