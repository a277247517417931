#include "sources/TaddFeedWin.h"

#include "app/helpers/AppState.h"
#include "platform/gui/Dialogs.h"
#include "sources/CommandGuard.h"
#include "sources/core/Catalogue.h"
#include "sources/core/FeedListModel.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TaddFeedWin::TaddFeedWin(QWidget* parent)
    : QDialog(parent), m_titleEdit(new QLineEdit), m_urlEdit(new QLineEdit),
      m_okButton(new QPushButton(tr("Ok"))), m_cancelButton(new QPushButton(tr("Cancel")))
{
    setObjectName("addFeedWin");
    setWindowTitle(tr("Add News Feed"));
    setModal(true);
    m_titleEdit->setObjectName("titleLineEdit");
    m_urlEdit->setObjectName("feedUrlLineEdit");
    m_okButton->setObjectName("okButton");
    m_cancelButton->setObjectName("cancelButton");
    m_okButton->setDefault(true);

    auto* info = new QGroupBox(tr("News Feed Info"));
    auto* form = new QFormLayout(info);
    form->addRow(tr("Title:"), m_titleEdit);
    form->addRow(tr("Feed URL:"), m_urlEdit);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(info);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_titleEdit->setMinimumWidth(320);

    connect(m_okButton, &QPushButton::clicked, this, [this] { RunCommand([this] { btnOkClick(); }); });
    connect(m_cancelButton, &QPushButton::clicked, this, &TaddFeedWin::btnCancelClick);
}

void TaddFeedWin::ShowAdd(FeedListModel& rows)
{
    m_editing = false;
    m_editedLine = QPersistentModelIndex();
    Open(rows, {}, {});
}

void TaddFeedWin::ShowEdit(FeedListModel& rows, int index)
{
    m_editing = true;
    m_editedLine = QPersistentModelIndex(rows.index(index));
    Open(rows, rows.row(index).title, rows.row(index).xmlUrl);
}

void TaddFeedWin::Open(FeedListModel& rows, const QString& title, const QString& url)
{
    m_rows = &rows;
    m_titleEdit->setText(title);
    m_urlEdit->setText(url);
    m_titleEdit->setFocus();
    exec();
}

void TaddFeedWin::btnOkClick()
{
    if (!m_rows || !CheckBoxes())
        return;
    Apply();
    m_rows->saveCustomCatalogue(Folders().ProgramFolder + catalogue::CustomFileName);
    accept();
}

void TaddFeedWin::btnCancelClick()
{
    reject();
}

bool TaddFeedWin::CheckBoxes()
{
    if (m_titleEdit->text().isEmpty()) {
        Dialogs::information(this, product::Title, tr("You must add a name to your News Feed."));
        m_titleEdit->setFocus();
        return false;
    }
    if (m_urlEdit->text().isEmpty()) {
        Dialogs::information(this, product::Title, tr("You must add a Feed URL to your News Feed."));
        m_urlEdit->setFocus();
        return false;
    }
    return true;
}

void TaddFeedWin::Apply()
{
    if (!m_editing) {
        FRSSsiteData row;
        row.title = m_titleEdit->text();
        row.xmlUrl = m_urlEdit->text();
        row.custom = true;
        m_rows->ensureCustomGroup();
        const int place = m_rows->placeCustomFeed(std::move(row));
        // When the save fails the window stays open with the feed added; a second Ok then
        // changes that feed instead of adding it twice.
        m_editing = true;
        m_editedLine = QPersistentModelIndex(m_rows->index(place));
        return;
    }
    if (m_editedLine.isValid())
        m_rows->updateFeed(m_editedLine.row(), m_titleEdit->text(), m_urlEdit->text());
}
