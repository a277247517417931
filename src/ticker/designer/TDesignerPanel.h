#pragma once

#include "ticker/designer/DesignerDocument.h"

#include <QHash>
#include <QString>
#include <QWidget>

class ColorPicker;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;
class QTabWidget;

// The Designer's side panel: a page control with the single page "Settings" that holds the
// settings panel and, below it, the font panel. Every change handler returns at once while
// the updating flag is raised, so the program's own writes into these controls (sync, font
// panel fill, resize) are never taken for user edits.
class TDesignerPanel : public QWidget {
    Q_OBJECT
public:
    explicit TDesignerPanel(QWidget* parent = nullptr);

    // The document the controls act on; none while there is no current ticker.
    void setDocument(DesignerDocument* document);
    DesignerDocument* document() const { return m_document; }

    // The control bound to the setting with this attribute name, or none.
    QWidget* controlFor(const QString& attributeName) const;

    // "Scroll Direction:": "Left and Right" when horizontal.
    void setScrollDirection(bool horizontal);
    // "Style:" list: sets the item and runs its change handler.
    void setEntryStyleChoice(int index);
    void showSettingsPage();
    void setFontPanelVisible(bool visible);
    void FillFontPanel(int fontIndex);

    // Which style sub-panel shows: 0 solid, 1 gradient, 2 image.
    int visibleStyleSubPanel() const;

    // Change handlers, public so that the font panel and tests can reach them by name.
    void widthSpinEditChange();
    void heightSpinEditChange();
    void styleComboBoxChange();
    void entryControlChange(QWidget* control);
    void scrollDirectionComboBoxChange();
    void tickerControlChange(QWidget* control);
    void browseImageButtonClick();
    void fontControlChange();

private:
    QWidget* buildSettingsPanel();
    QWidget* buildFontPanel();
    QWidget* buildStyleSubPanels();
    QWidget* buildTrackBar(QSlider* slider, const QString& left, const QString& right);
    void connectHandlers();
    void fillFontFaces();
    static int fontStyleIndex(const EntryFontData& font);

    DesignerDocument* m_document = nullptr;
    QTabWidget* m_pages = nullptr;
    QWidget* m_fontPanel = nullptr;
    QWidget* m_solidPanel = nullptr;
    QWidget* m_gradientPanel = nullptr;
    QWidget* m_imagePanel = nullptr;

    QSpinBox* m_width = nullptr;
    QSpinBox* m_height = nullptr;
    QComboBox* m_style = nullptr;
    ColorPicker* m_bkColor = nullptr;
    ColorPicker* m_gradient1 = nullptr;
    ColorPicker* m_gradient2 = nullptr;
    QPushButton* m_browseImage = nullptr;
    QSpinBox* m_transparency = nullptr;
    QCheckBox* m_showBorder = nullptr;
    QCheckBox* m_dashed = nullptr;
    ColorPicker* m_borderColor = nullptr;
    QComboBox* m_scrollDirection = nullptr;
    ColorPicker* m_transitionColor = nullptr;
    QCheckBox* m_onlyHeadlines = nullptr;
    QSlider* m_scrollSpeed = nullptr;
    QSlider* m_headlinePause = nullptr;
    QComboBox* m_player = nullptr;

    QComboBox* m_fontFace = nullptr;
    ColorPicker* m_fontColor = nullptr;
    QComboBox* m_fontSize = nullptr;
    QComboBox* m_fontStyle = nullptr;

    QHash<QString, QWidget*> m_controls;
};
