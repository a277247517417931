#pragma once

#include <QString>
#include <QStringList>

class QWidget;
class FblogItem;

// What the ticker document needs of the windows around it: the Designer's controls, the
// main window's news history list, the feed list and the publishing windows. The main
// window implements it and hands it to every new ticker, so the build's dependencies still
// point one way (app -> ticker). Every operation has a harmless default, so a ticker can
// live without windows (the command line, tests) and new operations can be added without
// breaking implementers.
class TickerHost {
public:
    virtual ~TickerHost() = default;

    // The Designer control bound to the setting with this attribute name ("mainwidth",
    // "entrybkalpha", ...), or none. Several names may share one control ("Transparency:").
    // Kinds: QSpinBox or QDoubleSpinBox, QSlider, QLineEdit, QCheckBox, ColorPicker; and for
    // "player" ("Player:") a QComboBox with the items "Flash", "HTML5" in that order. Change
    // handlers pass the control to Fmovie::ControlChanged or Fblog::ControlChanged.
    virtual QWidget* designerControl(const QString& attributeName)
    {
        Q_UNUSED(attributeName);
        return nullptr;
    }

    // "Scroll Direction:" list: "Left and Right" when horizontal, else "Up and Down".
    virtual void setScrollDirection(bool horizontal) { Q_UNUSED(horizontal); }
    // "Style:" list of the entry box: 0 "Solid", 1 "Gradient", 2 "Image"; runs its change handler.
    virtual void setEntryStyleChoice(int index) { Q_UNUSED(index); }

    // Font panel and side panel of the Designer.
    virtual void showSettingsPage() {}
    virtual void setFontPanelVisible(bool visible) { Q_UNUSED(visible); }
    virtual void fillFontPanel(int fontIndex) { Q_UNUSED(fontIndex); }
    // Suspends and resumes the main window's drawing.
    virtual void freezeDrawing(bool frozen) { Q_UNUSED(frozen); }

    // The feed list: shows the "News Feeds" view (which sets `external` true through the
    // ticker), and ticks the rows of these addresses.
    virtual void showNewsFeedsView() {}
    virtual void showTickedFeeds(const QStringList& feedUrls) { Q_UNUSED(feedUrls); }

    // The "News History" list of the My News editor.
    virtual void clearNewsHistory() {}
    virtual void addNewsHistoryRow(const QString& title, const QString& dateTime, const QString& author,
                                   const QString& text, FblogItem* entry)
    {
        Q_UNUSED(title);
        Q_UNUSED(dateTime);
        Q_UNUSED(author);
        Q_UNUSED(text);
        Q_UNUSED(entry);
    }
    virtual void bringNewsHistoryToFront() {}
    // The entry editor's date text follows its date picker.
    virtual void refreshEntryDateText() {}

    // Output and publishing.
    virtual void showFilesWindow() {}
    // The main window's Save dialog; empty when cancelled.
    virtual QString askSaveFileName(const QString& proposed)
    {
        Q_UNUSED(proposed);
        return {};
    }
    // Creates new FTP, proxy and sites windows and shows the sites window modally.
    virtual void startPublishWindows() {}

    // Tell the user about a problem with a file: a missing image that does not stop a load,
    // or a settings file that could not be read (the ticker is then left fresh and
    // ReadSettingsFile raises IoError with the same message, so the command stops; the
    // error event need not show it again).
    virtual void reportProblem(const QString& message) { Q_UNUSED(message); }
};
