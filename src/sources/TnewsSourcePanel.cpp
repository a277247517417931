#include "sources/TnewsSourcePanel.h"

#include "app/helpers/AppState.h"
#include "app/helpers/Helpers.h"
#include "platform/gui/Dialogs.h"
#include "sources/CommandGuard.h"
#include "sources/FeedLineDelegate.h"
#include "sources/TaddFeedWin.h"
#include "sources/Tfeedinfowin.h"
#include "sources/core/Catalogue.h"
#include "sources/core/CatalogueDownload.h"
#include "sources/core/Opml.h"
#include "ticker/Fmovie.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton* Button(const QString& caption, const QString& objectName)
{
    auto* button = new QPushButton(caption);
    button->setObjectName(objectName);
    return button;
}

} // namespace

TnewsSourcePanel::TnewsSourcePanel(QWidget* parent)
    : QWidget(parent), m_caption(new QLabel(tr("Select the Site you want to get your news from:"))),
      m_addButton(Button(tr("Add"), "addButton")), m_editButton(Button(tr("Edit"), "editButton")),
      m_deleteButton(Button(tr("Delete"), "deleteButton")), m_siteListBox(new QListView),
      m_download(new CatalogueDownload(this))
{
    setObjectName("newsSourcePanel");
    m_caption->setObjectName("captionLabel");
    m_siteListBox->setObjectName("siteListBox");
    m_siteListBox->setModel(&m_rows);
    m_siteListBox->setItemDelegate(new FeedLineDelegate(m_siteListBox));
    m_siteListBox->setSelectionMode(QAbstractItemView::SingleSelection);
    m_siteListBox->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_siteListBox->setUniformItemSizes(true);
    m_siteListBox->installEventFilter(this);

    auto* top = new QHBoxLayout;
    top->addWidget(m_caption, 1);
    top->addWidget(m_addButton);
    top->addWidget(m_editButton);
    top->addWidget(m_deleteButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(m_siteListBox, 1);

    connect(&m_rows, &FeedListModel::userTickChanged, this, &TnewsSourcePanel::siteListBoxChange);
    connect(m_siteListBox, &QListView::doubleClicked, this,
            [this] { RunCommand([this] { siteListBoxDblClick(); }); });
    connect(m_addButton, &QPushButton::clicked, this, [this] { RunCommand([this] { btnAddClick(); }); });
    connect(m_editButton, &QPushButton::clicked, this, [this] { RunCommand([this] { btnEditClick(); }); });
    connect(m_deleteButton, &QPushButton::clicked, this,
            [this] { RunCommand([this] { btnDeleteClick(); }); });
    connect(m_download, &CatalogueDownload::succeeded, this, &TnewsSourcePanel::DownloadSucceeded);
    connect(m_download, &CatalogueDownload::failed, this, &TnewsSourcePanel::DownloadFailed);
}

TnewsSourcePanel::~TnewsSourcePanel()
{
    // The view must let go of the model before the model member goes.
    m_siteListBox->setModel(nullptr);
}

void TnewsSourcePanel::setTicker(Fmovie* ticker)
{
    m_ticker = ticker;
}

void TnewsSourcePanel::setViewControls(QWidget* myNewsPages, QAbstractButton* newsFeedsButton,
                                       QAbstractButton* myNewsButton)
{
    m_myNewsPages = myNewsPages;
    m_newsFeedsButton = newsFeedsButton;
    m_myNewsButton = myNewsButton;
    if (newsFeedsButton)
        connect(newsFeedsButton, &QAbstractButton::clicked, this,
                [this] { ShowNewsView(NewsView::NewsFeeds); });
    if (myNewsButton)
        connect(myNewsButton, &QAbstractButton::clicked, this, [this] { ShowNewsView(NewsView::MyNews); });
}

void TnewsSourcePanel::setFeedWindows(TaddFeedWin* addFeedWin, Tfeedinfowin* feedInfoWin)
{
    m_addFeedWin = addFeedWin;
    m_feedInfoWin = feedInfoWin;
}

void TnewsSourcePanel::LoadCatalogue(const QString& path)
{
    m_rows.appendRows(ReadCatalogueFile(path));
}

void TnewsSourcePanel::LoadCatalogues()
{
    RunCommand([this] { LoadCatalogue(CustomCataloguePath()); });
    RunCommand([this] { LoadCatalogue(Folders().ProgramFolder + catalogue::FileName); });
}

void TnewsSourcePanel::SaveCustomCatalogue(const QString& path) const
{
    m_rows.saveCustomCatalogue(path);
}

void TnewsSourcePanel::ShowTickedFeeds()
{
    ShowTickedFeeds(m_ticker ? m_ticker->FeedUrls : QStringList());
}

void TnewsSourcePanel::ShowTickedFeeds(const QStringList& feedUrls)
{
    m_rows.setTicks(feedUrls);
}

void TnewsSourcePanel::ShowNewsView(NewsView view)
{
    m_view = view;
    const bool myNews = view == NewsView::MyNews;
    if (m_myNewsPages)
        m_myNewsPages->setVisible(myNews);
    setVisible(!myNews);
    QAbstractButton* down = myNews ? m_myNewsButton : m_newsFeedsButton;
    if (down)
        down->setChecked(true);
    if (m_ticker)
        m_ticker->SetExternal(!myNews);
}

void TnewsSourcePanel::siteListBoxChange(int index, bool ticked)
{
    if (!m_ticker || index < 0 || index >= m_rows.size())
        return;
    const QString& url = m_rows.row(index).xmlUrl;
    if (ticked)
        m_ticker->AddFeedUrl(url);
    else
        m_ticker->RemoveFeedUrl(url);
    m_ticker->Modified = true;
}

int TnewsSourcePanel::SelectedFeedLine() const
{
    const QModelIndexList selected = m_siteListBox->selectionModel()->selectedIndexes();
    if (selected.isEmpty())
        return -1;
    const int line = selected.first().row();
    return m_rows.row(line).isGroup ? -1 : line;
}

void TnewsSourcePanel::SelectLine(int index)
{
    if (index < 0 || index >= m_rows.size()) {
        m_siteListBox->selectionModel()->clearSelection();
        return;
    }
    m_siteListBox->selectionModel()->setCurrentIndex(m_rows.index(index),
                                                     QItemSelectionModel::ClearAndSelect);
}

void TnewsSourcePanel::siteListBoxDblClick()
{
    const int line = SelectedFeedLine();
    if (line < 0) {
        Dialogs::information(window(), product::Title, tr("You must select a Feed to view its info."));
        return;
    }
    FeedInfoWindow().ShowFeed(m_rows.row(line));
}

void TnewsSourcePanel::btnAddClick()
{
    AddFeedWindow().ShowAdd(m_rows);
}

void TnewsSourcePanel::btnEditClick()
{
    const int line = SelectedFeedLine();
    if (line >= 0 && m_rows.row(line).custom)
        AddFeedWindow().ShowEdit(m_rows, line);
    else
        siteListBoxDblClick();
}

void TnewsSourcePanel::btnDeleteClick()
{
    const int line = SelectedFeedLine();
    if (line < 0 || !m_rows.row(line).custom)
        return;
    const auto answer = Dialogs::question(window(), tr("Delete?"),
                                          tr("Are you sure you want to delete the selected News Feed?"),
                                          QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    m_rows.removeLine(line);
    SelectLine(std::min(line, m_rows.size() - 1));
    SaveCustomCatalogue(CustomCataloguePath());
}

void TnewsSourcePanel::ImportOpmlFileClick()
{
    RunCommand([this] { ImportOpmlFile(); });
}

void TnewsSourcePanel::ImportOpmlFile()
{
    Dialogs::FileDialogOptions options;
    options.title = tr("Open");
    options.folder = m_opmlFolder.isEmpty() ? MyDocumentsFolder() : m_opmlFolder;
    options.filter = tr("OPML Files (*.opml)");
    const QString chosen = Dialogs::openFileName(window(), options);
    if (chosen.isEmpty())
        return;
    m_opmlFolder = QFileInfo(chosen).absolutePath();
    const QString copy = CopyOpmlFile(chosen, Folders().OpmlFolder);
    if (copy.isEmpty())
        return;
    m_rows.ensureCustomGroup();
    for (FRSSsiteData& feed : ReadOpmlFeeds(copy))
        m_rows.placeCustomFeed(std::move(feed));
    SaveCustomCatalogue(CustomCataloguePath());
    Dialogs::information(window(), product::Title, tr("Import Complete."));
}

void TnewsSourcePanel::DownloadNewsSourcesClick()
{
    // A request while a transfer runs is ignored.
    m_download->Start();
}

void TnewsSourcePanel::DownloadSucceeded()
{
    m_rows.clear();
    LoadCatalogues();
    if (m_ticker) {
        m_ticker->SyncControls();
        // The ticker reaches this panel through its host; without one the ticks and the view
        // are set here, and doing both again is harmless.
        ShowNewsView(NewsView::NewsFeeds);
        ShowTickedFeeds();
    }
    Dialogs::information(window(), product::Title, tr("Successfully Updated News Sources!"));
    Q_EMIT downloadFinished(true);
}

void TnewsSourcePanel::DownloadFailed()
{
    Dialogs::information(window(), product::Title, tr("Error: Could not download News Sources!"));
    Q_EMIT downloadFinished(false);
}

TaddFeedWin& TnewsSourcePanel::AddFeedWindow()
{
    if (!m_addFeedWin)
        m_addFeedWin = new TaddFeedWin(window());
    return *m_addFeedWin;
}

Tfeedinfowin& TnewsSourcePanel::FeedInfoWindow()
{
    if (!m_feedInfoWin)
        m_feedInfoWin = new Tfeedinfowin(window());
    return *m_feedInfoWin;
}

QString TnewsSourcePanel::CustomCataloguePath() const
{
    return Folders().ProgramFolder + catalogue::CustomFileName;
}

bool TnewsSourcePanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_siteListBox && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        RunCommand([this] { btnDeleteClick(); });
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
