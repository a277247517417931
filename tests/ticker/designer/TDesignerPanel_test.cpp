#include "app/helpers/AppState.h"
#include "platform/gui/Dialogs.h"
#include "ticker/ColorPicker.h"
#include "ticker/Fblog.h"
#include "ticker/Fmovie.h"
#include "ticker/TickerHost.h"
#include "ticker/designer/FmovieDesigner.h"
#include "ticker/designer/TDesignerPanel.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QImage>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// The windows around a ticker, reduced to the Designer panel.
class PanelHost : public TickerHost {
public:
    explicit PanelHost(TDesignerPanel* panel) : m_panel(panel) {}
    QWidget* designerControl(const QString& name) override { return m_panel->controlFor(name); }
    void setScrollDirection(bool horizontal) override { m_panel->setScrollDirection(horizontal); }
    void setEntryStyleChoice(int index) override { m_panel->setEntryStyleChoice(index); }
    void setFontPanelVisible(bool visible) override { m_panel->setFontPanelVisible(visible); }
    void fillFontPanel(int index) override { m_panel->FillFontPanel(index); }

private:
    TDesignerPanel* m_panel;
};

class DesignerPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Dialogs::clearQueue();
        Dialogs::expectQueued(true);
        m_canvas.resize(800, 600);
        m_panel = new TDesignerPanel(&m_canvas);
        m_host = std::make_unique<PanelHost>(m_panel);
        m_movie = new Fmovie(&m_canvas, m_host.get());
        m_document = std::make_unique<FmovieDesigner>(m_movie);
        m_panel->setDocument(m_document.get());
        m_movie->SyncControls();
        m_movie->Modified = false;
        m_canvas.show();
    }
    void TearDown() override
    {
        m_panel->setDocument(nullptr);
        delete m_movie;
        Dialogs::expectQueued(false);
    }
    template <class T> T* control(const char* name) { return m_panel->findChild<T*>(name); }
    int entryInt(const char* name) { return m_movie->EntryStyle().IntSetting(name)->GetInt(); }
    // Types a value into a spin edit as a user does: select all, type, Enter.
    void typeInto(QSpinBox* spin, int value)
    {
        spin->setFocus();
        spin->selectAll();
        QTest::keyClicks(spin, QString::number(value));
        QTest::keyClick(spin, Qt::Key_Return);
    }

    QWidget m_canvas;
    TDesignerPanel* m_panel = nullptr;
    std::unique_ptr<PanelHost> m_host;
    Fmovie* m_movie = nullptr;
    std::unique_ptr<FmovieDesigner> m_document;
};

TEST_F(DesignerPanelTest, WidthResizesTheTickerAndTheEntryBoxFollows)
{
    typeInto(control<QSpinBox>("widthSpinEdit"), 350);
    EXPECT_EQ(m_movie->width(), 350);
    EXPECT_EQ(m_movie->IntSetting("mainwidth")->GetInt(), 350);
    EXPECT_EQ(control<QSpinBox>("widthSpinEdit")->value(), 350);
    EXPECT_EQ(m_movie->EntryStyle().width(), 348);
    EXPECT_EQ(entryInt("newswidth"), 348);
    EXPECT_TRUE(m_movie->Modified);
}

TEST_F(DesignerPanelTest, HeightResizesTheTickerButNewsHeightKeepsItsValue)
{
    const int before = entryInt("newsheight");
    typeInto(control<QSpinBox>("heightSpinEdit"), 150);
    EXPECT_EQ(m_movie->height(), 150);
    EXPECT_EQ(m_movie->IntSetting("mainheight")->GetInt(), 150);
    EXPECT_EQ(entryInt("newsheight"), before);
    EXPECT_TRUE(m_movie->Modified);
}

TEST_F(DesignerPanelTest, TransparencySetsAllThreeAlphas)
{
    typeInto(control<QSpinBox>("transparencySpinEdit"), 40);
    for (const char* name : {"entrybkalpha", "entrybkgdtclr1a", "entrybkgdtclr2a"})
        EXPECT_EQ(entryInt(name), 40) << name;
    EXPECT_TRUE(m_movie->Modified);
}

TEST_F(DesignerPanelTest, TrackBarsWriteTheirPositionAndProgramWritesAreNoEdits)
{
    auto* speed = control<QSlider>("scrollSpeedTrackBar");
    speed->setFocus();
    QTest::keyClick(speed, Qt::Key_Home);
    EXPECT_EQ(m_movie->IntSetting("scrollspeed")->GetInt(), 10);
    EXPECT_TRUE(m_movie->Modified);

    m_movie->Modified = false;
    {
        UpdatingGuard guard;
        control<QSlider>("headlinePauseTrackBar")->setValue(200);
        control<QSpinBox>("widthSpinEdit")->setValue(500);
    }
    EXPECT_EQ(m_movie->IntSetting("scrollpause")->GetInt(), 60);
    EXPECT_EQ(m_movie->width(), 200);
    EXPECT_FALSE(m_movie->Modified);
}

TEST_F(DesignerPanelTest, StyleChoiceSetsTheBackgroundAndShowsItsSubPanel)
{
    auto* style = control<QComboBox>("styleComboBox");
    Fblog& entry = m_movie->EntryStyle();
    entry.StringSetting("entrybkimage")->SetText("tile.png");
    entry.ImageFolder = "/somewhere/";
    style->setCurrentIndex(2);
    EXPECT_EQ(m_panel->visibleStyleSubPanel(), 2);
    EXPECT_FALSE(entry.BoolSetting("entrydrawbk")->GetBool());
    EXPECT_FALSE(entry.BoolSetting("entrybkgdt")->GetBool());
    EXPECT_EQ(entry.StringSetting("entrybkimage")->GetText(), "tile.png");

    style->setCurrentIndex(0);
    EXPECT_EQ(m_panel->visibleStyleSubPanel(), 0);
    EXPECT_TRUE(entry.BoolSetting("entrydrawbk")->GetBool());
    EXPECT_TRUE(entry.StringSetting("entrybkimage")->GetText().isEmpty());
    EXPECT_TRUE(entry.ImageFolder.isEmpty());

    style->setCurrentIndex(1);
    EXPECT_EQ(m_panel->visibleStyleSubPanel(), 1);
    EXPECT_TRUE(entry.BoolSetting("entrybkgdt")->GetBool());
    EXPECT_TRUE(m_movie->Modified);
}

TEST_F(DesignerPanelTest, ImageChoiceTakesTheFileNameAndFolder)
{
    QTemporaryDir dir;
    QImage picture(50, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(dir.filePath("tile.png")));
    Dialogs::queueFileName(dir.filePath("tile.png"));
    m_panel->browseImageButtonClick();
    Fblog& entry = m_movie->EntryStyle();
    EXPECT_EQ(entry.StringSetting("entrybkimage")->GetText(), "tile.png");
    EXPECT_EQ(entry.ImageFolder, dir.path() + "/");
    EXPECT_EQ(entry.BackgroundPicture.size(), QSize(50, 30));
    EXPECT_TRUE(m_movie->Modified);

    m_movie->Modified = false;
    Dialogs::queueFileName("");
    m_panel->browseImageButtonClick();
    EXPECT_FALSE(m_movie->Modified);
}

TEST_F(DesignerPanelTest, FontPanelFollowsTheSelectedLabelAndEditsItsFont)
{
    auto* size = control<QComboBox>("fontSizeComboBox");
    auto* style = control<QComboBox>("fontStyleComboBox");
    m_movie->SelectObject(m_movie->EntryStyle().Label(1), 1);
    EXPECT_FALSE(m_movie->Modified);
    EXPECT_EQ(size->currentText(), "10");
    EXPECT_EQ(style->currentText(), "Bold ");

    // The link font is underlined: the style list keeps what it showed.
    m_movie->SelectObject(m_movie->EntryStyle().Label(5), 5);
    EXPECT_EQ(size->currentText(), "8");
    EXPECT_EQ(style->currentText(), "Bold ");
    EXPECT_FALSE(m_movie->Modified);

    auto* face = control<QComboBox>("fontFaceComboBox");
    ASSERT_GT(face->count(), 0);
    face->setCurrentIndex(0);
    size->setCurrentIndex(size->findText("24"));
    const EntryFont& link = m_movie->EntryStyle().Font(5);
    EXPECT_EQ(link.Font.pointSize(), 24);
    EXPECT_TRUE(link.Font.bold());
    EXPECT_FALSE(link.Font.underline());
    EXPECT_TRUE(m_movie->Modified);
}

TEST_F(DesignerPanelTest, AFontChangeWithoutAFaceFailsBeforeApplyingAnything)
{
    m_movie->SelectObject(m_movie->EntryStyle().Label(4), 4);
    control<QComboBox>("fontFaceComboBox")->setCurrentIndex(-1);
    const EntryFont before = m_movie->EntryStyle().Font(4);
    control<QComboBox>("fontSizeComboBox")->blockSignals(true);
    control<QComboBox>("fontSizeComboBox")->setCurrentIndex(5);
    control<QComboBox>("fontSizeComboBox")->blockSignals(false);
    EXPECT_THROW(m_panel->fontControlChange(), TickerineError);
    EXPECT_EQ(m_movie->EntryStyle().Font(4).Font.pointSize(), before.Font.pointSize());
}

TEST_F(DesignerPanelTest, ScrollDirectionAndPlayerListsSetTheirSettings)
{
    control<QComboBox>("scrollDirectionComboBox")->setCurrentIndex(0);
    EXPECT_TRUE(m_movie->BoolSetting("newshorz")->GetBool());
    control<QComboBox>("playerComboBox")->setCurrentIndex(1);
    EXPECT_EQ(m_movie->Player(), PlayerKind::HTML5);
    EXPECT_TRUE(m_movie->Modified);
}

} // namespace
