#pragma once

#include "app/helpers/Helpers.h"
#include "ticker/Properties.h"
#include "ticker/SizingBand.h"

#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QStringList>
#include <QWidget>

#include <memory>

class Fblog;
class FblogDocument;
class FblogItem;
class GradientLayer;
class TickerHost;
class XmlNode;

// Which player the output set embeds. The settings file says " player="html5"" (after the
// last font line) only for HTML5, so files of Flash tickers keep their old bytes.
enum class PlayerKind { Flash = 0, HTML5 = 1 };

// The ticker document: the data of the ticker the user works on and, at the same time, its
// preview panel at real size on the Designer canvas. It owns its settings, its entry style,
// its My News document, the ticked feed addresses and the names of its output files.
//
// Designer binding: every setting is bound at creation to host->designerControl(name),
// where name is its attribute ("mainwidth", "entrybkalpha", ...). The "Player:" list is
// designerControl("player"): a QComboBox with the items "Flash", "HTML5" in that order;
// its change handler calls ControlChanged(list) like the other controls.
class Fmovie : public QWidget {
    Q_OBJECT
public:
    // host may be null: the ticker then lives without windows (command line, tests).
    explicit Fmovie(QWidget* parent = nullptr, TickerHost* host = nullptr);
    ~Fmovie() override;

    TickerHost& Host() const { return *m_host; }

    // --- settings ------------------------------------------------------------------------
    const SettingList& Settings() const { return m_settings; }
    FpropertyBaseClass* Setting(const QString& name) const;
    FpropertyIntClass* IntSetting(const QString& name) const;
    FpropertyBooleanClass* BoolSetting(const QString& name) const;
    FpropertyColorClass* ColorSetting(const QString& name) const;
    FpropertyChoiceClass* PlayerSetting() const { return m_player.get(); }
    PlayerKind Player() const;
    void SetPlayer(PlayerKind kind);
    // `external`: the ticker shows the ticked feeds (true) or My News (false).
    void SetExternal(bool external);

    Fblog& EntryStyle() const { return *m_entryStyle; }
    FblogDocument& NewsDocument() const { return *m_newsDocument; }

    void ControlChanged(QWidget* control);
    void SyncControls();
    // object: this ticker, the entry style (font 0) or one of its sample labels (1..5).
    void SelectObject(QObject* object, int fontIndex);
    QObject* SelectedObject() const { return m_selectedObject; }
    int SelectedFont() const { return m_selectedFont; }

    void AddFeedUrl(const QString& address);
    void RemoveFeedUrl(const QString& address);
    FblogItem* AddNewsEntry(const QString& title, const QString& link, const QString& time,
                            const QString& description, const QString& date, const QString& author);
    void RefreshNewsHistory();

    // --- the settings file ---------------------------------------------------------------
    QString WriteSettingsXml() const;
    // Reads a settings file (and the My News file it names) into this ticker. A missing
    // file does nothing. A file that cannot be read, is not well-formed or holds a colour
    // that does not parse leaves a fresh ticker, is reported through the host and raises
    // IoError naming the file and the reason. A named image that cannot be loaded is
    // reported and the load goes on.
    void ReadSettingsFile(const QString& path);
    // Back to the state of a new ticker (settings, fonts, images, feeds, entries, names).
    void ResetToNew();

    // --- the output set ------------------------------------------------------------------
    void SetOutputNames(const QString& chosenPath);
    // Raises IoError when the settings, page or feed file cannot be written.
    void SaveAllFiles(const QString& folder, const QString& name, bool showFilesWindow);
    void SaveXMLFile(const QString& folder, const QString& fileName);
    void SaveHTMLFile(const QString& folder, const QString& fileName);
    QString EmbedCode(const QString& fileName) const;
    // The page text as it is written (ISO-8859-1 bytes, other characters as references).
    QByteArray HtmlPage(const QString& fileName) const;
    void SavePreviewFiles();
    void StartPublish();
    QStringList UploadFileList() const;

    // --- fields --------------------------------------------------------------------------
    bool Modified = false;
    QStringList FeedUrls;
    QString SettingsPath;
    QString SettingsFileName;
    QString SiteName;     // `fn`
    QString RemoteFolder; // `fd`
    QString MyNewsFileName = QStringLiteral("mynews.txt");
    QString OutputFolder;
    QString PreviousOutputFolder;
    QString PublishedFolder;
    QString BaseName;
    QString PageFileName;
    QString PlayerFileName;
    QString LoaderFileName;
    FblogItem* EditingEntry = nullptr;
    bool EntryChanged = false;

    GradientLayer* TickerGradientLayer() const { return m_gradient; }
    // Resize handler: mainwidth and mainheight follow the panel unless updating.
    void TickerResized();

Q_SIGNALS:
    // The user finished sizing the panel with the mouse.
    void resizedByMouse();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void CreateSettings();
    void ApplyDefaults();
    template <class T> T* Add(const QString& name);
    void LayoutChildren();
    void ReadTickerAttributes(const XmlNode& element);
    void ReadSettingsFileUnchecked(const QString& path);
    QString FeedAttributes() const;
    void HandleMoveGesture(QMouseEvent* event);
    void ResizeByMouse(const QPoint& globalPos);
    void CopyImages(const QString& folder) const;
    void CopyPlayerFiles(const QString& folder, const QString& base, bool preview) const;

    std::unique_ptr<TickerHost> m_nullHost;
    TickerHost* m_host;
    SettingList m_settings;
    std::unique_ptr<FpropertyChoiceClass> m_player;
    Fblog* m_entryStyle = nullptr;
    std::unique_ptr<FblogDocument> m_newsDocument;
    GradientLayer* m_gradient = nullptr;
    QObject* m_selectedObject = nullptr;
    int m_selectedFont = 0;
    QPointer<QWidget> m_lastControl; // a control that goes away is never matched again
    FpropertyBaseClass* m_lastSetting = nullptr;

    // Mouse gestures.
    SizingZone m_sizingZone = SizingZone::None;
    QPoint m_pressGlobal;
    QRect m_pressGeometry;
    bool m_moving = false;
    QPoint m_moveGlobal;
    QSize m_seenSize;
};
