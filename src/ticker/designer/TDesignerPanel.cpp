#include "ticker/designer/TDesignerPanel.h"

#include "app/helpers/AppState.h"
#include "platform/Errors.h"
#include "platform/gui/Dialogs.h"
#include "ticker/ColorPicker.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QStringList kStyles = {"Solid", "Gradient", "Image"};
const QStringList kDirections = {"Left and Right", "Up and Down"};
const QStringList kFontSizes = {"8",  "9",  "10", "11", "12", "13", "14", "15",
                                "16", "17", "18", "24", "36", "48", "72"};
// "Bold " keeps its trailing blank: it is the list's own text.
const QStringList kFontStyles = {"Regular", "Bold ", "Italic", "Bold and Italic"};
const char* const kImageFilter = "All Images (*.jpg *.jpeg *.bmp *.gif);;JPEG Images (*.jpg) (*.jpg *.jpeg);;"
                                 "PNG Images (*.png) (*.png);;GIFImages (*.gif) (*.gif);;"
                                 "Bitmap Images (*.bmp) (*.bmp);;Any File (*.*)";
// How the player reads the two track bars (kept in step with the player's own timing notes).
const char* const kSpeedHint =
    "The entries move 1200 / S pixels per second, where S is the \"Scroll Speed:\" value "
    "from 10 (Fast, 120 pixels per second) to 100 (Slow, 12 pixels per second)";
const char* const kPauseHint =
    "Each headline stops for P / 20 seconds, where P is the \"Headline Pause:\" value "
    "from 0 (Short, no stop) to 300 (Long, 15 seconds)";

QSpinBox* makeSpin(const QString& name, int min, int max)
{
    auto* spin = new QSpinBox;
    spin->setObjectName(name);
    spin->setRange(min, max);
    spin->setSingleStep(1);
    // Taken on Enter, on leaving the box or on the arrows: a value taken at every keystroke
    // would resize the ticker to each prefix ("3", "35") and its resize would write the
    // clamped size back into the box while the user is still typing.
    spin->setKeyboardTracking(false);
    return spin;
}

QComboBox* makeList(const QString& name, const QStringList& items)
{
    auto* list = new QComboBox;
    list->setObjectName(name);
    list->addItems(items);
    return list;
}

QCheckBox* makeCheck(const QString& name, const QString& caption)
{
    auto* check = new QCheckBox(caption);
    check->setObjectName(name);
    return check;
}

ColorPicker* makePicker(const QString& name)
{
    auto* picker = new ColorPicker;
    picker->setObjectName(name);
    return picker;
}

QSlider* makeTrackBar(const QString& name, int min, int max, const QString& hint)
{
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setObjectName(name);
    slider->setRange(min, max);
    slider->setTickPosition(QSlider::NoTicks);
    slider->setToolTip(hint);
    return slider;
}

QWidget* captioned(const QString& caption, QWidget* control)
{
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(new QLabel(caption));
    layout->addWidget(control);
    return box;
}

} // namespace

TDesignerPanel::TDesignerPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName("designerPanel");
    setFixedWidth(200);
    m_pages = new QTabWidget(this);
    m_pages->setObjectName("designerPageControl");
    auto* page = new QWidget;
    page->setObjectName("settingsPage");
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(4, 4, 4, 4);
    pageLayout->addWidget(buildSettingsPanel());
    m_fontPanel = buildFontPanel();
    m_fontPanel->hide();
    pageLayout->addWidget(m_fontPanel);
    pageLayout->addStretch(1);
    m_pages->addTab(page, "Settings");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pages);
    connectHandlers();
}

QWidget* TDesignerPanel::buildSettingsPanel()
{
    auto* panel = new QWidget;
    panel->setObjectName("settingsPanel");
    panel->setFixedWidth(185);
    auto* form = new QVBoxLayout(panel);
    form->setContentsMargins(0, 0, 0, 0);
    form->setSpacing(3);

    m_width = makeSpin("widthSpinEdit", 0, 1000);
    m_height = makeSpin("heightSpinEdit", 0, 5000);
    auto* size = new QHBoxLayout;
    size->addWidget(captioned("Width:", m_width));
    size->addWidget(captioned("Height:", m_height));
    form->addLayout(size);

    m_style = makeList("styleComboBox", kStyles);
    form->addWidget(captioned("Style:", m_style));
    form->addWidget(buildStyleSubPanels());

    m_transparency = makeSpin("transparencySpinEdit", 0, 100);
    form->addWidget(captioned("Transparency:", m_transparency));
    m_showBorder = makeCheck("showBorderCheckBox", "Show Border:");
    m_showBorder->setLayoutDirection(Qt::RightToLeft);
    m_dashed = makeCheck("dashedCheckBox", "Dashed:");
    m_dashed->setLayoutDirection(Qt::RightToLeft);
    auto* border = new QHBoxLayout;
    border->addWidget(m_showBorder);
    border->addWidget(m_dashed);
    form->addLayout(border);
    m_borderColor = makePicker("borderColorPicker");
    form->addWidget(captioned("Border Color:", m_borderColor));

    m_scrollDirection = makeList("scrollDirectionComboBox", kDirections);
    form->addWidget(captioned("Scroll Direction:", m_scrollDirection));
    m_transitionColor = makePicker("transitionColorPicker");
    form->addWidget(captioned("Transition Color:", m_transitionColor));
    m_onlyHeadlines = makeCheck("onlyHeadlinesCheckBox", "Only Show Headlines");
    form->addWidget(m_onlyHeadlines);
    m_scrollSpeed = makeTrackBar("scrollSpeedTrackBar", 10, 100, kSpeedHint);
    form->addWidget(captioned("Scroll Speed:", buildTrackBar(m_scrollSpeed, "Fast", "Slow")));
    m_headlinePause = makeTrackBar("headlinePauseTrackBar", 0, 300, kPauseHint);
    form->addWidget(captioned("Headline Pause:", buildTrackBar(m_headlinePause, "Short", "Long")));
    m_player = makeList("playerComboBox", {"Flash", "HTML5"});
    form->addWidget(captioned("Player:", m_player));

    m_controls = {{"mainwidth", m_width},
                  {"mainheight", m_height},
                  {"entrybkcolor", m_bkColor},
                  {"entrybkgdtclr1", m_gradient1},
                  {"entrybkgdtclr2", m_gradient2},
                  {"entrybkalpha", m_transparency},
                  {"entrybkgdtclr1a", m_transparency},
                  {"entrybkgdtclr2a", m_transparency},
                  {"entrydrawborder", m_showBorder},
                  {"entrybdrdashed", m_dashed},
                  {"entrybdrclr", m_borderColor},
                  {"bkcolor", m_transitionColor},
                  {"entryonlyshowheadline", m_onlyHeadlines},
                  {"scrollspeed", m_scrollSpeed},
                  {"scrollpause", m_headlinePause},
                  {"player", m_player}};
    return panel;
}

QWidget* TDesignerPanel::buildStyleSubPanels()
{
    auto* stack = new QStackedWidget;
    stack->setObjectName("styleSubPanels");
    m_bkColor = makePicker("bkColorPicker");
    m_solidPanel = captioned("Background Color:", m_bkColor);
    m_solidPanel->setObjectName("solidPanel");

    m_gradient1 = makePicker("gradientColor1Picker");
    m_gradient2 = makePicker("gradientColor2Picker");
    auto* pair = new QWidget;
    auto* pairLayout = new QHBoxLayout(pair);
    pairLayout->setContentsMargins(0, 0, 0, 0);
    pairLayout->addWidget(m_gradient1);
    pairLayout->addWidget(m_gradient2);
    m_gradientPanel = captioned("Gradient Colors:", pair);
    m_gradientPanel->setObjectName("gradientPanel");

    m_browseImage = new QPushButton("Browse...");
    m_browseImage->setObjectName("browseImageButton");
    m_imagePanel = captioned("Image:", m_browseImage);
    m_imagePanel->setObjectName("imagePanel");

    stack->addWidget(m_solidPanel);
    stack->addWidget(m_gradientPanel);
    stack->addWidget(m_imagePanel);
    stack->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    return stack;
}

QWidget* TDesignerPanel::buildTrackBar(QSlider* slider, const QString& left, const QString& right)
{
    auto* box = new QWidget;
    auto* layout = new QGridLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setVerticalSpacing(0);
    layout->addWidget(slider, 0, 0, 1, 2);
    layout->addWidget(new QLabel(left), 1, 0, Qt::AlignLeft);
    layout->addWidget(new QLabel(right), 1, 1, Qt::AlignRight);
    return box;
}

QWidget* TDesignerPanel::buildFontPanel()
{
    auto* panel = new QWidget;
    panel->setObjectName("fontPanel");
    panel->setFixedWidth(185);
    auto* form = new QVBoxLayout(panel);
    form->setContentsMargins(0, 0, 0, 0);
    form->setSpacing(3);
    m_fontFace = new QComboBox;
    m_fontFace->setObjectName("fontFaceComboBox");
    fillFontFaces();
    form->addWidget(captioned("Font Face:", m_fontFace));
    m_fontColor = makePicker("fontColorPicker");
    form->addWidget(captioned("Font Color:", m_fontColor));
    m_fontSize = makeList("fontSizeComboBox", kFontSizes);
    m_fontStyle = makeList("fontStyleComboBox", kFontStyles);
    auto* row = new QHBoxLayout;
    row->addWidget(captioned("Font Size:", m_fontSize));
    row->addWidget(captioned("Font Style:", m_fontStyle));
    form->addLayout(row);
    return panel;
}

void TDesignerPanel::fillFontFaces()
{
    QStringList faces;
    for (const QString& family : QFontDatabase::families()) {
        // Symbol fonts draw pictures in place of letters: no use for news text.
        if (!QFontDatabase::writingSystems(family).contains(QFontDatabase::Symbol))
            faces << family;
    }
    m_fontFace->addItems(faces);
    m_fontFace->setCurrentIndex(-1);
}

void TDesignerPanel::connectHandlers()
{
    connect(m_width, &QSpinBox::valueChanged, this, [this] { widthSpinEditChange(); });
    connect(m_height, &QSpinBox::valueChanged, this, [this] { heightSpinEditChange(); });
    connect(m_style, &QComboBox::currentIndexChanged, this, [this] { styleComboBoxChange(); });
    for (ColorPicker* picker : {m_bkColor, m_gradient1, m_gradient2, m_borderColor})
        connect(picker, &ColorPicker::changed, this, [this, picker] { entryControlChange(picker); });
    connect(m_transparency, &QSpinBox::valueChanged, this, [this] { entryControlChange(m_transparency); });
    connect(m_showBorder, &QCheckBox::clicked, this, [this] { entryControlChange(m_showBorder); });
    connect(m_dashed, &QCheckBox::clicked, this, [this] { entryControlChange(m_dashed); });
    connect(m_scrollDirection, &QComboBox::currentIndexChanged, this,
            [this] { scrollDirectionComboBoxChange(); });
    connect(m_transitionColor, &ColorPicker::changed, this,
            [this] { tickerControlChange(m_transitionColor); });
    connect(m_onlyHeadlines, &QCheckBox::clicked, this, [this] { tickerControlChange(m_onlyHeadlines); });
    connect(m_scrollSpeed, &QSlider::valueChanged, this, [this] { tickerControlChange(m_scrollSpeed); });
    connect(m_headlinePause, &QSlider::valueChanged, this, [this] { tickerControlChange(m_headlinePause); });
    connect(m_player, &QComboBox::currentIndexChanged, this, [this] { tickerControlChange(m_player); });
    connect(m_browseImage, &QPushButton::clicked, this, [this] { browseImageButtonClick(); });
    connect(m_fontFace, &QComboBox::currentIndexChanged, this, [this] { fontControlChange(); });
    connect(m_fontSize, &QComboBox::currentIndexChanged, this, [this] { fontControlChange(); });
    connect(m_fontStyle, &QComboBox::currentIndexChanged, this, [this] { fontControlChange(); });
    connect(m_fontColor, &ColorPicker::changed, this, [this] { fontControlChange(); });
}

void TDesignerPanel::setDocument(DesignerDocument* document)
{
    m_document = document;
}

QWidget* TDesignerPanel::controlFor(const QString& attributeName) const
{
    return m_controls.value(attributeName.toLower(), nullptr);
}

void TDesignerPanel::setScrollDirection(bool horizontal)
{
    UpdatingGuard guard;
    m_scrollDirection->setCurrentIndex(horizontal ? 0 : 1);
}

void TDesignerPanel::setEntryStyleChoice(int index)
{
    const QSignalBlocker blocker(m_style);
    m_style->setCurrentIndex(index);
    styleComboBoxChange();
}

void TDesignerPanel::showSettingsPage()
{
    m_pages->setCurrentIndex(0);
}

void TDesignerPanel::setFontPanelVisible(bool visible)
{
    m_fontPanel->setVisible(visible);
}

int TDesignerPanel::visibleStyleSubPanel() const
{
    return static_cast<QStackedWidget*>(m_solidPanel->parentWidget())->currentIndex();
}

void TDesignerPanel::widthSpinEditChange()
{
    if (Updating || !m_document)
        return;
    m_document->SetModified();
    m_document->SetMainWidth(m_width->value());
}

void TDesignerPanel::heightSpinEditChange()
{
    if (Updating || !m_document)
        return;
    m_document->SetModified();
    m_document->SetMainHeight(m_height->value());
}

// Runs also while the updating flag is raised: the entry style's sync uses it to show the
// sub-panel of the style it sets, and only then leaves the settings alone.
void TDesignerPanel::styleComboBoxChange()
{
    const int index = qMax(0, m_style->currentIndex());
    static_cast<QStackedWidget*>(m_solidPanel->parentWidget())->setCurrentIndex(index);
    if (!m_document)
        return;
    m_document->SetModified();
    if (!Updating)
        m_document->SetEntryBackground(static_cast<EntryBackground>(index));
}

void TDesignerPanel::entryControlChange(QWidget* control)
{
    if (Updating || !m_document)
        return;
    m_document->EntryControlChanged(control);
    m_document->SetModified();
}

void TDesignerPanel::scrollDirectionComboBoxChange()
{
    if (Updating || !m_document)
        return;
    m_document->SetNewsHorz(m_scrollDirection->currentIndex() == 0);
    m_document->SetModified();
}

void TDesignerPanel::tickerControlChange(QWidget* control)
{
    if (Updating || !m_document)
        return;
    m_document->ControlChanged(control);
    m_document->SetModified();
}

// Not guarded by the updating flag: a click is always the user's.
void TDesignerPanel::browseImageButtonClick()
{
    if (!m_document)
        return;
    Dialogs::FileDialogOptions options;
    options.title = "Open";
    options.folder = Folders().BackgroundsFolder;
    options.filter = kImageFilter;
    const QString path = Dialogs::openFileName(this, options);
    if (path.isEmpty())
        return;
    m_document->SetEntryImage(path);
    m_document->SetModified();
}

int TDesignerPanel::fontStyleIndex(const EntryFontData& font)
{
    if (font.underline || font.strikeOut)
        return -1;
    return (font.bold ? 1 : 0) + (font.italic ? 2 : 0);
}

void TDesignerPanel::FillFontPanel(int fontIndex)
{
    if (!m_document)
        return;
    UpdatingGuard guard;
    const EntryFontData font = m_document->EntryFont(fontIndex);
    m_fontFace->setCurrentIndex(m_fontFace->findText(font.face, Qt::MatchFixedString));
    m_fontSize->setCurrentIndex(m_fontSize->findText(QString::number(font.pointSize)));
    m_fontColor->setSelectedColor(font.color);
    const int style = fontStyleIndex(font);
    if (style >= 0)
        m_fontStyle->setCurrentIndex(style);
}

void TDesignerPanel::fontControlChange()
{
    if (!m_document || Updating)
        return;
    const int index = m_document->SelectedFont();
    if (m_fontFace->currentIndex() < 0)
        throw TickerineError("Choose a font face in the \"Font Face:\" list first.");
    if (m_fontSize->currentIndex() < 0)
        throw TickerineError("Choose a size in the \"Font Size:\" list first.");
    EntryFontData font;
    font.face = m_fontFace->currentText();
    font.pointSize = m_fontSize->currentText().toInt();
    font.color = m_fontColor->selectedColor();
    const int style = qMax(0, m_fontStyle->currentIndex());
    font.bold = style == 1 || style == 3;
    font.italic = style == 2 || style == 3;
    m_document->SetEntryFont(index, font);
    m_document->SetModified();
}
