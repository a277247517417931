#include "app/helpers/AppState.h"
#include "ticker/FakeHost.h"
#include "ticker/Fblog.h"
#include "ticker/Fmovie.h"
#include "ticker/GradientLayer.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollArea>

#include <gtest/gtest.h>

namespace {

// Painting lays out the sample lines, so the second grab shows them in place.
QImage paint(QWidget& widget)
{
    widget.grab();
    return widget.grab().toImage();
}

void sendMouse(QWidget* target, QEvent::Type type, QPoint at, QPoint global, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, global, button, buttons, modifiers);
    QApplication::sendEvent(target, &event);
}

class Canvas : public ::testing::Test {
protected:
    void SetUp() override
    {
        ticker = new Fmovie(&canvas, &host);
        canvas.resize(800, 600);
        canvas.show();
        ticker->move(100, 100);
        ticker->show();
    }
    QRgb tickerPixel(int x, int y) { return paint(*ticker).pixel(x, y) & 0xFFFFFF; }

    FakeHost host;
    QWidget canvas;
    Fmovie* ticker = nullptr;
};

TEST_F(Canvas, EntryBoxFillsTheTickerInsideItsRim)
{
    const Fblog& entry = ticker->EntryStyle();
    EXPECT_EQ(entry.geometry(), QRect(1, 1, 198, 198));
    EXPECT_EQ(entry.IntSetting("newswidth")->GetInt(), 198);
    EXPECT_EQ(entry.IntSetting("newsx")->GetInt(), 1);
}

TEST_F(Canvas, RaisedBorderIsLightTopLeftAndDarkBottomRight)
{
    ticker->BoolSetting("bkdrawborder")->SetBool(true);
    ticker->ColorSetting("bkborderlightcolor")->SetColor(colors::Red);
    ticker->ColorSetting("bkborderdarkcolor")->SetColor(colors::Blue);
    const QImage image = paint(*ticker);
    EXPECT_EQ(image.pixel(0, 100) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(image.pixel(100, 0) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(image.pixel(199, 100) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(image.pixel(100, 199) & 0xFFFFFF, 0x0000FFu);
    ticker->BoolSetting("bkdrawborder")->SetBool(false);
    ticker->ColorSetting("bkcolor")->SetColor(colors::Silver);
    EXPECT_EQ(tickerPixel(0, 100), 0xC0C0C0u);
}

TEST_F(Canvas, GradientLayersFollowTheirSettings)
{
    Fblog& entry = ticker->EntryStyle();
    EXPECT_EQ(paint(entry).pixel(150, 150) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_FALSE(entry.EntryGradientLayer()->isVisible());
    entry.BoolSetting("entrybkgdt")->SetBool(true);
    entry.ColorSetting("entrybkgdtclr1")->SetColor(colors::Red);
    entry.ColorSetting("entrybkgdtclr2")->SetColor(colors::Blue);
    const QImage image = paint(entry);
    EXPECT_TRUE(entry.EntryGradientLayer()->isVisible());
    EXPECT_EQ(entry.EntryGradientLayer()->geometry(), QRect(1, 1, 196, 196));
    const QColor nearStart(image.pixel(3, 3)), nearStop(image.pixel(194, 194));
    EXPECT_GT(nearStart.red(), 200);
    EXPECT_GT(nearStop.blue(), 200);

    ticker->BoolSetting("bkgdt")->SetBool(true);
    paint(*ticker);
    EXPECT_TRUE(ticker->TickerGradientLayer()->isVisible());
    ticker->BoolSetting("bkgdt")->SetBool(false);
    paint(*ticker);
    EXPECT_FALSE(ticker->TickerGradientLayer()->isVisible());
}

TEST_F(Canvas, BackgroundPictureIsTiledFromTheTopLeft)
{
    Fblog& entry = ticker->EntryStyle();
    QImage tile(50, 30, QImage::Format_RGB32);
    tile.fill(Qt::white);
    tile.setPixel(0, 0, qRgb(0, 255, 0)); // one marker per copy
    entry.BackgroundPicture = tile;
    entry.BoolSetting("entrydrawborder")->SetBool(false);
    entry.StringSetting("entrybkimage")->SetText("tile.png");
    const QImage image = paint(entry);
    int markers = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            markers += (image.pixel(x, y) & 0xFFFFFF) == 0x00FF00u;
    EXPECT_EQ(markers, 4 * 7);
    // A name without a picture tiles nothing.
    entry.BackgroundPicture = QImage();
    EXPECT_EQ(paint(entry).pixel(50, 30) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(Canvas, EntryBorderIsDottedOrSolid)
{
    Fblog& entry = ticker->EntryStyle();
    auto greyOnLeftEdge = [&] {
        const QImage image = paint(entry);
        int grey = 0;
        for (int y = 0; y < image.height(); ++y)
            grey += (image.pixel(0, y) & 0xFFFFFF) == 0x808080u;
        return grey;
    };
    const int dotted = greyOnLeftEdge();
    EXPECT_GT(dotted, 40);
    EXPECT_LT(dotted, 160);
    entry.BoolSetting("entrybdrdashed")->SetBool(false);
    EXPECT_EQ(greyOnLeftEdge(), 198);
    entry.BoolSetting("entrydrawborder")->SetBool(false);
    EXPECT_EQ(greyOnLeftEdge(), 0);
}

TEST_F(Canvas, SampleLinesStackAndShowTheSelection)
{
    Fblog& entry = ticker->EntryStyle();
    paint(entry);
    EXPECT_EQ(entry.Label(1)->geometry().topLeft(), QPoint(10, 6));
    for (int i = 2; i <= 5; ++i)
        EXPECT_EQ(entry.Label(i)->y(), entry.Label(i - 1)->y() + entry.Label(i - 1)->height() + 4);
    EXPECT_FALSE(entry.NextButton()->isVisible());

    ticker->SelectObject(entry.Label(2), 2);
    EXPECT_TRUE(entry.Label(2)->Selected());
    EXPECT_TRUE(host.fontPanelVisible);
    EXPECT_EQ(host.filledFont, 2);
    const QImage marked = entry.Label(2)->grab().toImage();
    EXPECT_EQ(QColor(marked.pixel(0, 0)).red(), 255);

    ticker->SelectObject(&entry, 0);
    EXPECT_FALSE(entry.Label(2)->Selected());
    EXPECT_FALSE(host.fontPanelVisible);
    EXPECT_EQ(ticker->SelectedFont(), 0);
    EXPECT_FALSE(ticker->Modified);
}

TEST_F(Canvas, CursorShowsTheSizingDirectionOverTheRim)
{
    sendMouse(ticker, QEvent::MouseMove, {0, 3}, {100, 103}, Qt::NoButton);
    EXPECT_EQ(ticker->cursor().shape(), Qt::SizeFDiagCursor);
    sendMouse(ticker, QEvent::MouseMove, {0, 50}, {100, 150}, Qt::NoButton);
    EXPECT_EQ(ticker->cursor().shape(), Qt::SizeHorCursor);
    sendMouse(ticker, QEvent::MouseMove, {199, 199}, {299, 299}, Qt::NoButton);
    EXPECT_EQ(ticker->cursor().shape(), Qt::SizeFDiagCursor);
}

TEST_F(Canvas, DraggingTheBandResizesAndUpdatesTheDesigner)
{
    sendMouse(ticker, QEvent::MouseButtonPress, {199, 199}, {299, 299}, Qt::LeftButton);
    sendMouse(ticker, QEvent::MouseMove, {249, 229}, {349, 329}, Qt::LeftButton);
    sendMouse(ticker, QEvent::MouseButtonRelease, {249, 229}, {349, 329}, Qt::NoButton);
    EXPECT_EQ(ticker->size(), QSize(250, 230));
    EXPECT_EQ(ticker->IntSetting("mainwidth")->GetInt(), 250);
    EXPECT_EQ(host.width->value(), 250);
    EXPECT_EQ(host.height->value(), 230);
    EXPECT_EQ(ticker->EntryStyle().IntSetting("newswidth")->GetInt(), 248);

    // From the top-left corner, never below the minimum; the bottom-right stays put.
    sendMouse(ticker, QEvent::MouseButtonPress, {0, 0}, {100, 100}, Qt::LeftButton);
    sendMouse(ticker, QEvent::MouseMove, {500, 500}, {600, 600}, Qt::LeftButton);
    sendMouse(ticker, QEvent::MouseButtonRelease, {500, 500}, {600, 600}, Qt::NoButton);
    EXPECT_EQ(ticker->geometry(), QRect(340, 320, 10, 10));
}

TEST_F(Canvas, ShiftOrCtrlMovesTheTickerFromItsRimOrGradientOnly)
{
    sendMouse(ticker, QEvent::MouseMove, {0, 50}, {100, 150}, Qt::NoButton, Qt::ControlModifier);
    sendMouse(ticker, QEvent::MouseMove, {0, 50}, {130, 170}, Qt::NoButton, Qt::ControlModifier);
    EXPECT_EQ(ticker->pos(), QPoint(130, 120));
    sendMouse(ticker, QEvent::MouseMove, {0, 50}, {130, 170}, Qt::NoButton); // key let go
    sendMouse(ticker, QEvent::MouseMove, {0, 50}, {160, 170}, Qt::NoButton);
    EXPECT_EQ(ticker->pos(), QPoint(130, 120));

    GradientLayer* layer = ticker->TickerGradientLayer();
    sendMouse(layer, QEvent::MouseMove, {5, 5}, {0, 0}, Qt::NoButton, Qt::ShiftModifier);
    sendMouse(layer, QEvent::MouseMove, {5, 5}, {-10, 5}, Qt::NoButton, Qt::ShiftModifier);
    EXPECT_EQ(ticker->pos(), QPoint(120, 125));
    sendMouse(layer, QEvent::MouseMove, {5, 5}, {-10, 5}, Qt::NoButton);

    Fblog& entry = ticker->EntryStyle();
    sendMouse(&entry, QEvent::MouseMove, {50, 50}, {0, 0}, Qt::NoButton, Qt::ControlModifier);
    sendMouse(&entry, QEvent::MouseMove, {60, 60}, {10, 10}, Qt::NoButton, Qt::ControlModifier);
    EXPECT_EQ(ticker->pos(), QPoint(120, 125));
}

TEST_F(Canvas, ControlChangesReachTheirSettings)
{
    Fblog& entry = ticker->EntryStyle();
    host.transparency->setValue(40);
    entry.ControlChanged(host.transparency);
    for (const char* name : {"entrybkalpha", "entrybkgdtclr1a", "entrybkgdtclr2a"})
        EXPECT_EQ(entry.IntSetting(name)->GetInt(), 40) << name;

    host.speed->setValue(10);
    ticker->ControlChanged(host.speed);
    host.speed->setValue(55);
    ticker->ControlChanged(host.speed);
    EXPECT_EQ(ticker->IntSetting("scrollspeed")->GetInt(), 55);
    host.pause->setValue(300);
    ticker->ControlChanged(host.pause);
    EXPECT_EQ(ticker->IntSetting("scrollpause")->GetInt(), 300);
    EXPECT_EQ(ticker->IntSetting("scrollspeed")->GetInt(), 55);

    host.player->setCurrentIndex(1);
    ticker->ControlChanged(host.player);
    EXPECT_EQ(ticker->Player(), PlayerKind::HTML5);

    QWidget unbound;
    ticker->ControlChanged(&unbound);
    EXPECT_FALSE(Updating);
}

TEST_F(Canvas, SyncShowsEverySettingInTheDesigner)
{
    ticker->IntSetting("scrollpause")->SetInt(120);
    ticker->EntryStyle().IntSetting("entrybkgdtclr2a")->SetInt(33);
    ticker->EntryStyle().StringSetting("entrybkimage")->SetText("a.png");
    ticker->SetPlayer(PlayerKind::HTML5);
    ticker->AddFeedUrl("http://x.example/");
    ticker->SyncControls();
    EXPECT_EQ(host.pause->value(), 120);
    EXPECT_EQ(host.transparency->value(), 33); // the last of its three settings
    EXPECT_EQ(host.styleChoice, 2);
    EXPECT_EQ(host.player->currentIndex(), 1);
    EXPECT_EQ(host.ticked, QStringList{"http://x.example/"});
    EXPECT_FALSE(Updating);
}

} // namespace
