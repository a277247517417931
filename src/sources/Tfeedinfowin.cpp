#include "sources/Tfeedinfowin.h"

#include "app/helpers/Helpers.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QLabel* ValueLabel(const QString& objectName)
{
    auto* label = new QLabel;
    label->setObjectName(objectName);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

// Addresses come from catalogue and OPML files of unknown origin: only web addresses go to the
// desktop's handler, never a local path or a program.
void OpenWebAddress(const QString& text)
{
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (url.isValid() && !url.host().isEmpty() && (scheme == "http" || scheme == "https"))
        OpenWithShell(text.trimmed());
}

} // namespace

Tfeedinfowin::Tfeedinfowin(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_title(ValueLabel("titleValueLabel")), m_description(ValueLabel("descriptionValueLabel")),
      m_feedUrl(MakeUrlLabel("feedUrlLabel")), m_siteUrl(MakeUrlLabel("siteUrlLabel")),
      m_closeButton(new QPushButton(tr("Close")))
{
    setObjectName("feedInfoWin");
    setWindowTitle(tr("News Feed"));
    setModal(false);
    setMinimumSize(438, 150);
    m_closeButton->setObjectName("closeButton");
    m_closeButton->setDefault(true);

    auto* info = new QGroupBox(tr("News Feed Info"));
    auto* grid = new QGridLayout(info);
    const QList<QPair<QString, QLabel*>> lines = {{tr("Title:"), m_title},
                                                  {tr("Description:"), m_description},
                                                  {tr("Feed URL:"), m_feedUrl},
                                                  {tr("Site URL:"), m_siteUrl}};
    for (int i = 0; i < lines.size(); ++i) {
        grid->addWidget(new QLabel(lines[i].first), i, 0, Qt::AlignTop);
        grid->addWidget(lines[i].second, i, 1);
    }
    grid->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(info);
    layout->addLayout(buttons);
    connect(m_closeButton, &QPushButton::clicked, this, &Tfeedinfowin::btnCloseClick);
}

QLabel* Tfeedinfowin::MakeUrlLabel(const QString& objectName)
{
    QLabel* label = ValueLabel(objectName);
    QFont font = label->font();
    font.setBold(true);
    font.setUnderline(true);
    label->setFont(font);
    label->setCursor(Qt::PointingHandCursor);
    label->setTextInteractionFlags(Qt::NoTextInteraction);
    label->installEventFilter(this);
    return label;
}

void Tfeedinfowin::ShowFeed(const FRSSsiteData& row)
{
    m_row = row;
    m_title->setText(row.title);
    m_description->setText(row.description);
    m_feedUrl->setText(row.xmlUrl);
    m_siteUrl->setText(row.htmlUrl);
    show();
    raise();
    activateWindow();
}

void Tfeedinfowin::lblFeedUrlClick()
{
    OpenWebAddress(m_feedUrl->text());
}

void Tfeedinfowin::lblSiteUrlClick()
{
    OpenWebAddress(m_siteUrl->text());
}

void Tfeedinfowin::btnCloseClick()
{
    close();
}

bool Tfeedinfowin::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == m_feedUrl)
            lblFeedUrlClick();
        else if (watched == m_siteUrl)
            lblSiteUrlClick();
    }
    return QDialog::eventFilter(watched, event);
}
