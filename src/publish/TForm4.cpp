#include "publish/TForm4.h"

#include "platform/gui/Dialogs.h"
#include "publish/TserversWindow.h"
#include "publish/TwindowProxy.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

bool isEnter(QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

QLabel* boldLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setWordWrap(true);
    return label;
}

QPushButton* button(const QString& text, const QString& name, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

TForm4::TForm4(TserversWindow& sites, QWidget* parent) : QDialog(parent), m_sites(sites)
{
    setObjectName("serverWizard");
    setWindowTitle("Server Profile Wizard");
    m_pages = new QStackedWidget(this);
    m_pages->addWidget(makePage(1, "Server Profile Name", "What would you like to name this server profile?",
                                stepOneBody(), false, true, true, false));
    m_pages->addWidget(makePage(2, "Username and Password",
                                "What is your username and password used to connect to this server?",
                                stepTwoBody(), true, true, true, false));
    m_pages->addWidget(makePage(3, "Hostname", "What is the default Hostname for this server?",
                                stepThreeBody(), true, true, true, false));
    m_pages->addWidget(makePage(4, "Advanced Settings",
                                "Do you use a proxy or socks server to access the internet?", stepFourBody(),
                                true, true, true, false));
    m_pages->addWidget(makePage(5, "Congratulations, you have sucessfully completed the server setup.",
                                QString(), new QWidget(this), true, false, false, true));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pages);
    m_next[0]->setEnabled(false);
    m_next[2]->setEnabled(false);
    goToStep(1);
}

QWidget* TForm4::makePage(int step, const QString& subtitle, const QString& question, QWidget* body,
                          bool back, bool next, bool cancel, bool finish)
{
    auto* page = new QWidget(this);
    page->setObjectName(QString("step%1Page").arg(step));
    auto* layout = new QVBoxLayout(page);
    auto* header = new QWidget(page);
    header->setAutoFillBackground(true);
    header->setStyleSheet("background: white;");
    auto* headerLayout = new QVBoxLayout(header);
    headerLayout->addWidget(boldLabel(QString("Server Profile Wizard (Step %1 of 5)").arg(step), header));
    headerLayout->addWidget(new QLabel(subtitle, header));
    layout->addWidget(header);
    if (!question.isEmpty())
        layout->addWidget(boldLabel(question, page));
    layout->addWidget(body, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    const QString prefix = QString("step%1").arg(step);
    if (back) {
        QPushButton* b = button("<< Back", prefix + "BackButton", page);
        connect(b, &QPushButton::clicked, this, &TForm4::backClick);
        buttons->addWidget(b);
    }
    if (next) {
        m_next[step - 1] = button("Next >>", prefix + "NextButton", page);
        connect(m_next[step - 1], &QPushButton::clicked, this, &TForm4::nextClick);
        buttons->addWidget(m_next[step - 1]);
    }
    if (finish) {
        QPushButton* b = button("Finish", prefix + "FinishButton", page);
        connect(b, &QPushButton::clicked, this, &TForm4::btnFinishClick);
        buttons->addWidget(b);
    }
    if (cancel) {
        QPushButton* b = button("Cancel", prefix + "CancelButton", page);
        connect(b, &QPushButton::clicked, this, &QDialog::reject);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    return page;
}

QWidget* TForm4::stepOneBody()
{
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->addWidget(new QLabel("Profile Name: (example: My Home Site)", body));
    eNickname = new QLineEdit(body);
    eNickname->setObjectName("nicknameLineEdit");
    eNickname->installEventFilter(this);
    layout->addWidget(eNickname);
    layout->addStretch();
    return body;
}

QWidget* TForm4::stepTwoBody()
{
    auto* body = new QWidget(this);
    auto* form = new QFormLayout(body);
    eUser = new QLineEdit(body);
    eUser->setObjectName("userLineEdit");
    ePass = new QLineEdit(body);
    ePass->setObjectName("passwordLineEdit");
    ePass->setEchoMode(QLineEdit::Password);
    cAnon = new QCheckBox("Anonymous", body);
    cAnon->setObjectName("anonymousCheckBox");
    cSavePass = new QCheckBox("Save Password", body);
    cSavePass->setObjectName("savePasswordCheckBox");
    cSavePass->setChecked(true);
    form->addRow("Username:", eUser);
    form->addRow("Password:", ePass);
    form->addRow(cAnon);
    form->addRow(cSavePass);
    for (QWidget* w : {static_cast<QWidget*>(eUser), static_cast<QWidget*>(ePass),
                       static_cast<QWidget*>(cAnon), static_cast<QWidget*>(cSavePass)})
        w->installEventFilter(this);
    connect(cAnon, &QCheckBox::clicked, this, &TForm4::cAnonClick);
    return body;
}

QWidget* TForm4::stepThreeBody()
{
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->addWidget(new QLabel("Hostname: (ftp.example.com)", body));
    eHost = new QLineEdit(body);
    eHost->setObjectName("hostLineEdit");
    layout->addWidget(eHost);
    layout->addWidget(new QLabel("Default folder on host: (optional)", body));
    eRemotePath = new QLineEdit(body);
    eRemotePath->setObjectName("remotePathLineEdit");
    layout->addWidget(eRemotePath);
    layout->addStretch();
    eHost->installEventFilter(this);
    eRemotePath->installEventFilter(this);
    connect(eHost, &QLineEdit::textChanged, this, &TForm4::eHostChange);
    return body;
}

QWidget* TForm4::stepFourBody()
{
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    QPushButton* no = button("No, I don't even  know what that is.", "noProxyButton", body);
    QPushButton* yes = button("Yes, I use a proxy or socks server.", "yesProxyButton", body);
    connect(no, &QPushButton::clicked, this, [this] { goToStep(5); });
    connect(yes, &QPushButton::clicked, this, &TForm4::btnYesProxyClick);
    layout->addWidget(no);
    layout->addWidget(yes);
    layout->addStretch();
    return body;
}

int TForm4::step() const
{
    return m_pages->currentIndex() + 1;
}

void TForm4::goToStep(int step)
{
    m_pages->setCurrentIndex(step - 1);
    if (step == 1)
        eNickname->setFocus();
}

bool TForm4::eventFilter(QObject* watched, QEvent* event)
{
    if (isEnter(event)) {
        nextClick();
        return true;
    }
    if (event->type() == QEvent::KeyRelease) {
        if (watched == eNickname)
            eNicknameKeyUp();
        else if (watched == eHost)
            eHostChange();
    }
    return QDialog::eventFilter(watched, event);
}

void TForm4::eNicknameKeyUp()
{
    m_next[0]->setEnabled(!eNickname->text().isEmpty());
}

void TForm4::eHostChange()
{
    m_next[2]->setEnabled(!eHost->text().isEmpty());
}

void TForm4::cAnonClick(bool checked)
{
    eUser->setText(checked ? QStringLiteral("anonymous") : QString());
    ePass->setText(checked ? QLatin1String(WizardAnonymousPassword) : QString());
}

void TForm4::nextClick()
{
    switch (step()) {
    case 1: {
        if (eNickname->text().isEmpty())
            return;
        const QString problem = m_sites.Profiles().nameProblem(eNickname->text(), -1);
        if (!problem.isEmpty()) {
            Dialogs::information(this, "Server Profile Wizard", problem);
            return;
        }
        goToStep(2);
        return;
    }
    case 2:
        goToStep(3);
        return;
    case 3:
        if (!eHost->text().isEmpty())
            goToStep(4);
        return;
    case 4:
        goToStep(5);
        return;
    default:
        return;
    }
}

void TForm4::backClick()
{
    if (step() > 1)
        goToStep(step() - 1);
}

void TForm4::btnYesProxyClick()
{
    if (TwindowProxy* proxy = m_sites.ProxyWindow())
        proxy->exec();
}

void TForm4::btnFinishClick()
{
    PendingProfile& p = m_sites.pendingProfile;
    p.name = eNickname->text();
    p.hostName = eHost->text();
    p.userName = eUser->text();
    p.password = ePass->text();
    p.remoteFolder = eRemotePath->text();
    p.anonymous = cAnon->isChecked();
    p.savePassword = cSavePass->isChecked();
    accept();
    m_sites.Timer2->start();
}
