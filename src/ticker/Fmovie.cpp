#include "ticker/Fmovie.h"

#include "app/helpers/AppState.h"
#include "mynews/doc/FblogDocument.h"
#include "ticker/Fblog.h"
#include "ticker/GradientLayer.h"
#include "ticker/TickerHost.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int NewSize = 200;
constexpr int MinimumSize = 10;
} // namespace

Fmovie::Fmovie(QWidget* parent, TickerHost* host) : QWidget(parent), m_host(host)
{
    if (!m_host) {
        m_nullHost = std::make_unique<TickerHost>();
        m_host = m_nullHost.get();
    }
    UpdatingGuard updating;
    setObjectName(QStringLiteral("tickerPanel"));
    resize(NewSize, NewSize);
    setMinimumSize(MinimumSize, MinimumSize);
    setMouseTracking(true);
    m_gradient = new GradientLayer(this);
    connect(m_gradient, &GradientLayer::clicked, this, [this] { SelectObject(this, 0); });
    connect(m_gradient, &GradientLayer::mouseMoved, this,
            [this](QMouseEvent* event) { HandleMoveGesture(event); });
    m_newsDocument = std::make_unique<FblogDocument>();
    CreateSettings();
    ApplyDefaults();
    m_entryStyle = new Fblog(this, m_host);
    LayoutChildren();
    {
        // The entry box's bounds settings follow its place in the ticker once.
        const bool previous = Updating;
        Updating = false;
        m_entryStyle->EntryResized();
        Updating = previous;
    }
    m_host->refreshEntryDateText();
    SyncControls();
    RefreshNewsHistory();
    SelectObject(m_entryStyle, 0);
    Modified = false;
}

Fmovie::~Fmovie() = default;

template <class T> T* Fmovie::Add(const QString& name)
{
    auto setting = std::make_unique<T>(name + QStringLiteral("=\""), m_host->designerControl(name),
                                       QStringLiteral("\""));
    T* raw = setting.get();
    m_settings.push_back(std::move(setting));
    return raw;
}

void Fmovie::CreateSettings()
{
    Add<FpropertyIntClass>(QStringLiteral("mainwidth"));
    Add<FpropertyIntClass>(QStringLiteral("mainheight"));
    Add<FpropertyColorClass>(QStringLiteral("bkcolor"));
    Add<FpropertyColorClass>(QStringLiteral("bkgdtclr1"));
    Add<FpropertyColorClass>(QStringLiteral("bkgdtclr2"));
    Add<FpropertyIntClass>(QStringLiteral("bkgdtclr1a"));
    Add<FpropertyIntClass>(QStringLiteral("bkgdtclr2a"));
    Add<FpropertyColorClass>(QStringLiteral("bkborderlightcolor"));
    Add<FpropertyColorClass>(QStringLiteral("bkborderdarkcolor"));
    Add<FpropertyBooleanClass>(QStringLiteral("bkdrawbk"));
    Add<FpropertyBooleanClass>(QStringLiteral("newshorz"));
    Add<FpropertyBooleanClass>(QStringLiteral("bkgdt"));
    Add<FpropertyBooleanClass>(QStringLiteral("bkdrawborder"));
    Add<FpropertyBooleanClass>(QStringLiteral("entryonlyshowheadline"));
    Add<FpropertyBooleanClass>(QStringLiteral("external"));
    Add<FpropertyIntClass>(QStringLiteral("scrollspeed"));
    Add<FpropertyIntClass>(QStringLiteral("scrollpause"));
    m_player = std::make_unique<FpropertyChoiceClass>(
        QStringLiteral("player=\""), m_host->designerControl(QStringLiteral("player")), QStringLiteral("\""),
        QStringList{QStringLiteral("Flash"), QStringLiteral("HTML5")});
}

void Fmovie::ApplyDefaults()
{
    IntSetting(QStringLiteral("mainwidth"))->SetInt(width());
    IntSetting(QStringLiteral("mainheight"))->SetInt(height());
    ColorSetting(QStringLiteral("bkcolor"))->SetColor(colors::White);
    ColorSetting(QStringLiteral("bkgdtclr1"))->SetColor(colors::White);
    ColorSetting(QStringLiteral("bkgdtclr2"))->SetColor(colors::Blue);
    IntSetting(QStringLiteral("bkgdtclr1a"))->SetInt(100);
    IntSetting(QStringLiteral("bkgdtclr2a"))->SetInt(100);
    ColorSetting(QStringLiteral("bkborderlightcolor"))->SetColor(colors::White);
    ColorSetting(QStringLiteral("bkborderdarkcolor"))->SetColor(colors::Black);
    BoolSetting(QStringLiteral("bkdrawbk"))->SetBool(true);
    BoolSetting(QStringLiteral("newshorz"))->SetBool(false);
    BoolSetting(QStringLiteral("bkgdt"))->SetBool(false);
    BoolSetting(QStringLiteral("bkdrawborder"))->SetBool(false);
    BoolSetting(QStringLiteral("entryonlyshowheadline"))->SetBool(false);
    BoolSetting(QStringLiteral("external"))->SetBool(true);
    IntSetting(QStringLiteral("scrollspeed"))->SetInt(30);
    IntSetting(QStringLiteral("scrollpause"))->SetInt(60);
    m_player->SetChoice(int(PlayerKind::Flash));
}

void Fmovie::ResetToNew()
{
    UpdatingGuard updating;
    resize(NewSize, NewSize);
    ApplyDefaults();
    LayoutChildren();
    m_entryStyle->ApplyDefaults();
    m_newsDocument = std::make_unique<FblogDocument>();
    FeedUrls.clear();
    SettingsPath.clear();
    SettingsFileName.clear();
    SiteName.clear();
    RemoteFolder.clear();
    EditingEntry = nullptr;
    EntryChanged = false;
    SyncControls();
    RefreshNewsHistory();
    Modified = false;
    update();
}

FpropertyBaseClass* Fmovie::Setting(const QString& name) const
{
    for (const auto& setting : m_settings)
        if (setting->Name() == name)
            return setting.get();
    return name == QLatin1String("player") ? m_player.get() : nullptr;
}

FpropertyIntClass* Fmovie::IntSetting(const QString& name) const
{
    return dynamic_cast<FpropertyIntClass*>(Setting(name));
}

FpropertyBooleanClass* Fmovie::BoolSetting(const QString& name) const
{
    return dynamic_cast<FpropertyBooleanClass*>(Setting(name));
}

FpropertyColorClass* Fmovie::ColorSetting(const QString& name) const
{
    return dynamic_cast<FpropertyColorClass*>(Setting(name));
}

PlayerKind Fmovie::Player() const
{
    return PlayerKind(m_player->GetChoice());
}

void Fmovie::SetPlayer(PlayerKind kind)
{
    m_player->SetChoice(int(kind));
}

void Fmovie::SetExternal(bool external)
{
    BoolSetting(QStringLiteral("external"))->SetBool(external);
}

// --- painting and layout ---------------------------------------------------------------

void Fmovie::LayoutChildren()
{
    // The entry box fills the ticker inside its one-pixel rim.
    m_entryStyle->setGeometry(1, 1, qMax(0, width() - 2), qMax(0, height() - 2));
    if (Updating) {
        m_entryStyle->NoteBoundsSeen();
        m_seenSize = size();
    }
}

void Fmovie::paintEvent(QPaintEvent*)
{
    UpdatingGuard updating;
    const int w = IntSetting(QStringLiteral("mainwidth"))->GetInt();
    const int h = IntSetting(QStringLiteral("mainheight"))->GetInt();
    QPainter painter(this);
    painter.fillRect(0, 0, w, h, ToQColor(ColorSetting(QStringLiteral("bkcolor"))->GetColor()));
    if (BoolSetting(QStringLiteral("bkgdt"))->GetBool()) {
        m_gradient->setGeometry(1, 1, w - 2, h - 2);
        m_gradient->setColors(ColorSetting(QStringLiteral("bkgdtclr1"))->GetColor(),
                              ColorSetting(QStringLiteral("bkgdtclr2"))->GetColor());
        m_gradient->lower();
        m_gradient->show();
    } else {
        m_gradient->hide();
    }
    if (!BoolSetting(QStringLiteral("bkdrawborder"))->GetBool())
        return;
    painter.setPen(ToQColor(ColorSetting(QStringLiteral("bkborderlightcolor"))->GetColor()));
    const QPoint light[3] = {{0, h}, {0, 0}, {w - 1, 0}};
    painter.drawPolyline(light, 3);
    painter.setPen(ToQColor(ColorSetting(QStringLiteral("bkborderdarkcolor"))->GetColor()));
    const QPoint dark[3] = {{w - 1, 0}, {w - 1, h - 1}, {0, h - 1}};
    painter.drawPolyline(dark, 3);
}

void Fmovie::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_entryStyle)
        LayoutChildren();
    TickerResized();
}

void Fmovie::TickerResized()
{
    if (m_settings.empty())
        return;
    if (Updating) {
        m_seenSize = size();
        return;
    }
    if (size() == m_seenSize)
        return;
    m_seenSize = size();
    for (const QString& name : {QStringLiteral("mainwidth"), QStringLiteral("mainheight")}) {
        FpropertyIntClass* setting = IntSetting(name);
        setting->SetInt(name == QLatin1String("mainwidth") ? width() : height());
        if (setting->EditControl())
            setting->WriteToControl();
    }
}

// --- mouse: sizing band and move gesture -------------------------------------------------

void Fmovie::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    m_sizingZone =
        event->button() == Qt::LeftButton ? SizingZoneAt(p.x(), p.y(), width(), height()) : SizingZone::None;
    m_pressGlobal = event->globalPosition().toPoint();
    m_pressGeometry = geometry();
}

void Fmovie::mouseMoveEvent(QMouseEvent* event)
{
    if (m_sizingZone != SizingZone::None && (event->buttons() & Qt::LeftButton)) {
        ResizeByMouse(event->globalPosition().toPoint());
        return;
    }
    const QPoint p = event->position().toPoint();
    setCursor(SizingCursor(SizingZoneAt(p.x(), p.y(), width(), height())));
    HandleMoveGesture(event);
}

void Fmovie::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const bool sized = m_sizingZone != SizingZone::None && geometry() != m_pressGeometry;
    m_sizingZone = SizingZone::None;
    if (sized) {
        Q_EMIT resizedByMouse();
        return;
    }
    if (rect().contains(event->position().toPoint()))
        SelectObject(this, 0);
}

void Fmovie::ResizeByMouse(const QPoint& globalPos)
{
    const QPoint delta = globalPos - m_pressGlobal;
    QRect r = m_pressGeometry;
    switch (m_sizingZone) {
    case SizingZone::TopLeft:
        r.setTopLeft(r.topLeft() + delta);
        break;
    case SizingZone::TopRight:
        r.setTopRight(r.topRight() + delta);
        break;
    case SizingZone::BottomRight:
        r.setBottomRight(r.bottomRight() + delta);
        break;
    case SizingZone::BottomLeft:
        r.setBottomLeft(r.bottomLeft() + delta);
        break;
    case SizingZone::Left:
        r.setLeft(r.left() + delta.x());
        break;
    case SizingZone::Top:
        r.setTop(r.top() + delta.y());
        break;
    case SizingZone::Right:
        r.setRight(r.right() + delta.x());
        break;
    case SizingZone::Bottom:
        r.setBottom(r.bottom() + delta.y());
        break;
    case SizingZone::None:
        return;
    }
    // Keep the edge opposite the one dragged where it is when the minimum is reached.
    if (r.width() < MinimumSize) {
        if (r.left() != m_pressGeometry.left())
            r.setLeft(r.right() - MinimumSize + 1);
        else
            r.setWidth(MinimumSize);
    }
    if (r.height() < MinimumSize) {
        if (r.top() != m_pressGeometry.top())
            r.setTop(r.bottom() - MinimumSize + 1);
        else
            r.setHeight(MinimumSize);
    }
    setGeometry(r);
}

void Fmovie::HandleMoveGesture(QMouseEvent* event)
{
    const bool held = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier);
    const QPoint global = event->globalPosition().toPoint();
    if (!held) {
        if (m_moving) {
            m_moving = false;
            releaseMouse();
        }
        return;
    }
    if (!m_moving) {
        // The gesture needs no button: the panel follows the pointer from here on, until the
        // key is let go, even where the pointer leaves the rim.
        m_moving = true;
        m_moveGlobal = global;
        grabMouse();
        return;
    }
    move(pos() + (global - m_moveGlobal));
    m_moveGlobal = global;
}

// --- Designer ----------------------------------------------------------------------------

void Fmovie::ControlChanged(QWidget* control)
{
    UpdatingGuard updating;
    if (!control)
        return;
    if (control == m_lastControl && m_lastSetting) {
        m_lastSetting->ReadFromControl(control);
    } else {
        FpropertyBaseClass* found = nullptr;
        for (const auto& setting : m_settings)
            if (setting->EditControl() == control) {
                found = setting.get();
                break;
            }
        if (!found && m_player->EditControl() == control)
            found = m_player.get();
        if (!found)
            return;
        m_lastControl = control;
        m_lastSetting = found;
        found->ReadFromControl(control);
    }
    update();
}

void Fmovie::SyncControls()
{
    UpdatingGuard updating;
    for (const auto& setting : m_settings)
        if (setting->EditControl())
            setting->WriteToControl();
    if (m_player->EditControl())
        m_player->WriteToControl();
    m_entryStyle->SyncControls();
    m_host->setScrollDirection(BoolSetting(QStringLiteral("newshorz"))->GetBool());
    m_host->showNewsFeedsView();
    SetExternal(true);
    m_host->showTickedFeeds(FeedUrls);
}

void Fmovie::SelectObject(QObject* object, int fontIndex)
{
    if (object == this) {
        m_host->showSettingsPage();
        return;
    }
    m_host->freezeDrawing(true);
    m_selectedObject = object;
    m_selectedFont = fontIndex;
    m_host->setFontPanelVisible(false);
    m_entryStyle->MarkLabel(nullptr);
    m_host->showSettingsPage();
    if (object == m_entryStyle && fontIndex == 0)
        m_entryStyle->update();
    if (auto* label = qobject_cast<FblogLabel*>(object)) {
        m_host->setFontPanelVisible(true);
        m_host->fillFontPanel(m_selectedFont);
        m_entryStyle->MarkLabel(label);
    }
    m_host->freezeDrawing(false);
    m_entryStyle->update();
}

// --- feeds and My News -------------------------------------------------------------------

void Fmovie::AddFeedUrl(const QString& address)
{
    if (!FeedUrls.contains(address, Qt::CaseInsensitive))
        FeedUrls.append(address);
}

void Fmovie::RemoveFeedUrl(const QString& address)
{
    for (qsizetype i = 0; i < FeedUrls.size(); ++i)
        if (FeedUrls.at(i).compare(address, Qt::CaseInsensitive) == 0) {
            FeedUrls.removeAt(i);
            return;
        }
}

FblogItem* Fmovie::AddNewsEntry(const QString& title, const QString& link, const QString& time,
                                const QString& description, const QString& date, const QString& author)
{
    FblogItem* entry = m_newsDocument->AddEntry(title, link, time, description, date, author);
    RefreshNewsHistory();
    return entry;
}

void Fmovie::RefreshNewsHistory()
{
    UpdatingGuard updating;
    m_host->clearNewsHistory();
    const QList<FblogItem*>& entries = m_newsDocument->Entries();
    for (auto it = entries.crbegin(); it != entries.crend(); ++it) {
        FblogItem* entry = *it;
        QString text = entry->Description();
        text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        m_host->addNewsHistoryRow(entry->Title(), entry->Date() + QLatin1Char(' ') + entry->Time(),
                                  entry->Author(), text, entry);
    }
}
