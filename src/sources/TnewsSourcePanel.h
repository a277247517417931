#pragma once

#include "sources/TaddFeedWin.h"
#include "sources/Tfeedinfowin.h"
#include "sources/core/FeedListModel.h"
#include "ticker/Fmovie.h"

#include <QAbstractButton>

#include <QPointer>
#include <QWidget>

class CatalogueDownload;
class QLabel;
class QListView;
class QPushButton;

enum class NewsView { NewsFeeds, MyNews };

// The "News Feeds" view of the "Create and Upload" tab: the catalogue as a checked list of
// groups and feeds, with the buttons that add, edit and delete the user's own feeds. It
// outlives every ticker; the ticks are derived from the current ticker's FeedUrls, and the
// user's ticks change them. It also holds the commands "Import OPML File..." and "Download
// Latest News Sources" of the main window's menus.
class TnewsSourcePanel : public QWidget {
    Q_OBJECT
public:
    explicit TnewsSourcePanel(QWidget* parent = nullptr);
    ~TnewsSourcePanel() override;

    // The current ticker; the main window hands over every new one.
    void setTicker(Fmovie* ticker);
    Fmovie* ticker() const { return m_ticker; }
    // What the view switch shows and hides besides this panel: the My News pages and the two
    // grouped tool bar buttons, whose clicks then run ShowNewsView. Any of them may be null.
    void setViewControls(QWidget* myNewsPages, QAbstractButton* newsFeedsButton,
                         QAbstractButton* myNewsButton);
    // Windows made at start-up elsewhere; without them the panel makes its own on first use.
    void setFeedWindows(TaddFeedWin* addFeedWin, Tfeedinfowin* feedInfoWin);

    // Appends the groups and feeds of one catalogue file. A missing file adds nothing; one
    // that is not well-formed adds nothing and raises XmlError.
    void LoadCatalogue(const QString& path);
    // The custom catalogue, then the shipped one, from the program folder; a file that cannot
    // be loaded is passed over silently and the other still loads.
    void LoadCatalogues();
    // Writes the custom feeds to path atomically; raises IoError on failure.
    void SaveCustomCatalogue(const QString& path) const;
    // Sets the ticks from the current ticker's FeedUrls, or from these addresses.
    void ShowTickedFeeds();
    void ShowTickedFeeds(const QStringList& feedUrls);
    void ShowNewsView(NewsView view);
    NewsView CurrentNewsView() const { return m_view; }

    // Menu commands.
    void ImportOpmlFileClick();
    void DownloadNewsSourcesClick();
    // The OPML dialog's folder, kept between runs by the main window.
    QString OpmlDialogFolder() const { return m_opmlFolder; }
    void SetOpmlDialogFolder(const QString& folder) { m_opmlFolder = folder; }
    CatalogueDownload& Download() const { return *m_download; }

    // Handlers of the list and the buttons.
    void siteListBoxChange(int index, bool ticked);
    void siteListBoxDblClick();
    void btnAddClick();
    void btnEditClick();
    void btnDeleteClick();

    FeedListModel& Rows() { return m_rows; }
    const FeedListModel& Rows() const { return m_rows; }
    QListView* siteListBox() const { return m_siteListBox; }
    // The selected line when it is a feed, else -1.
    int SelectedFeedLine() const;
    void SelectLine(int index);
    TaddFeedWin& AddFeedWindow();
    Tfeedinfowin& FeedInfoWindow();

Q_SIGNALS:
    // A download ended: the catalogue was replaced and reloaded, or nothing changed.
    void downloadFinished(bool succeeded);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void DownloadSucceeded();
    void DownloadFailed();
    void ImportOpmlFile();
    QString CustomCataloguePath() const;

    FeedListModel m_rows;
    QLabel* m_caption;
    QPushButton* m_addButton;
    QPushButton* m_editButton;
    QPushButton* m_deleteButton;
    QListView* m_siteListBox;
    CatalogueDownload* m_download;
    QPointer<Fmovie> m_ticker;
    QPointer<QWidget> m_myNewsPages;
    QPointer<QAbstractButton> m_newsFeedsButton;
    QPointer<QAbstractButton> m_myNewsButton;
    QPointer<TaddFeedWin> m_addFeedWin;
    QPointer<Tfeedinfowin> m_feedInfoWin;
    NewsView m_view = NewsView::NewsFeeds;
    QString m_opmlFolder;
};
