#include "ticker/Fblog.h"

#include "app/helpers/AppState.h"
#include "mynews/doc/FblogDocument.h"
#include "platform/Clock.h"
#include "platform/XmlDocument.h"
#include "ticker/Fmovie.h"
#include "ticker/GradientLayer.h"
#include "ticker/TickerHost.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>

namespace {

const char* const FontPrefixes[5] = {"title", "author", "date", "text", "link"};
const char* const LabelTexts[5] = {"Headline Text", "Author Text", nullptr,
                                   "This is what the text looks like.", "This is what links look like."};

QImage LoadImageFile(const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(false);
    return reader.read();
}

} // namespace

// --- FblogLabel ------------------------------------------------------------------------

FblogLabel::FblogLabel(int number, const QString& text, QWidget* parent)
    : QLabel(text, parent), m_number(number)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
    setCursor(Qt::PointingHandCursor);
    setObjectName(QStringLiteral("sample%1Label").arg(number));
}

void FblogLabel::SetSelected(bool selected)
{
    if (m_selected == selected)
        return;
    m_selected = selected;
    update();
}

void FblogLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!m_selected)
        return;
    QPainter painter(this);
    painter.setBrush(Qt::NoBrush);
    const QRect bounds(0, 0, width() - 1, height() - 1);
    painter.setPen(QPen(Qt::white, 1, Qt::SolidLine));
    painter.drawRect(bounds);
    painter.setPen(QPen(Qt::red, 1, Qt::DotLine));
    painter.drawRect(bounds);
}

void FblogLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Q_EMIT clicked(this);
}

// --- FblogImage ------------------------------------------------------------------------

FblogImage::FblogImage(const QImage& builtIn, QWidget* parent) : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
    SetPicture(builtIn);
    hide();
}

void FblogImage::SetPicture(const QImage& picture)
{
    m_picture = picture;
    setPixmap(picture.isNull() ? QPixmap() : QPixmap::fromImage(picture));
    resize(picture.size());
}

// --- Fblog -----------------------------------------------------------------------------

// The resources live in this static library: make sure they are registered before use.
static void InitTickerResources()
{
    Q_INIT_RESOURCE(ticker);
}

QImage Fblog::BuiltInNextButton()
{
    InitTickerResources();
    return QImage(QStringLiteral(":/ticker/nextbutton.png"));
}

QImage Fblog::BuiltInBackButton()
{
    InitTickerResources();
    return QImage(QStringLiteral(":/ticker/backbutton.png"));
}

Fblog::Fblog(Fmovie* owner, TickerHost* host) : QWidget(owner), m_owner(owner), m_host(host)
{
    setObjectName(QStringLiteral("entryStylePanel"));
    resize(196, 196);
    m_gradient = new GradientLayer(this);
    connect(m_gradient, &GradientLayer::clicked, this, [this] { m_owner->SelectObject(this, 0); });
    CreateSettings();
    CreateLabels();
    m_nextButton = new FblogImage(BuiltInNextButton(), this);
    m_backButton = new FblogImage(BuiltInBackButton(), this);
    ApplyDefaults();
}

Fblog::~Fblog() = default;

template <class T> T* Fblog::Add(const QString& name)
{
    auto setting = std::make_unique<T>(name + QStringLiteral("=\""), m_host->designerControl(name),
                                       QStringLiteral("\""));
    T* raw = setting.get();
    m_settings.push_back(std::move(setting));
    return raw;
}

void Fblog::CreateSettings()
{
    Add<FpropertyIntClass>(QStringLiteral("newswidth"));
    Add<FpropertyIntClass>(QStringLiteral("newsheight"));
    Add<FpropertyStringClass>(QStringLiteral("entrybkimage"));
    Add<FpropertyIntClass>(QStringLiteral("newsx"));
    Add<FpropertyIntClass>(QStringLiteral("newsy"));
    Add<FpropertyColorClass>(QStringLiteral("entrybkcolor"));
    Add<FpropertyBooleanClass>(QStringLiteral("entrydrawbk"));
    Add<FpropertyIntClass>(QStringLiteral("entrybkalpha"));
    Add<FpropertyBooleanClass>(QStringLiteral("entrybkgdt"));
    Add<FpropertyColorClass>(QStringLiteral("entrybkgdtclr1"));
    Add<FpropertyColorClass>(QStringLiteral("entrybkgdtclr2"));
    Add<FpropertyIntClass>(QStringLiteral("entrybkgdtclr1a"));
    Add<FpropertyIntClass>(QStringLiteral("entrybkgdtclr2a"));
    Add<FpropertyBooleanClass>(QStringLiteral("entrydrawborder"));
    Add<FpropertyColorClass>(QStringLiteral("entrybdrclr"));
    Add<FpropertyBooleanClass>(QStringLiteral("entrybdrdashed"));
}

void Fblog::CreateLabels()
{
    for (int i = 0; i < 5; ++i) {
        const QString text =
            LabelTexts[i] ? QString::fromLatin1(LabelTexts[i]) : blogtext::DateText(Clock::currentDate());
        auto* label = new FblogLabel(i + 1, text, this);
        label->move(10, 6);
        connect(label, &FblogLabel::clicked, this,
                [this](FblogLabel* clicked) { m_owner->SelectObject(clicked, clicked->Number()); });
        m_labels[i] = label;
    }
}

void Fblog::ApplyDefaults()
{
    UpdatingGuard updating;
    IntSetting(QStringLiteral("newswidth"))->SetInt(width());
    IntSetting(QStringLiteral("newsheight"))->SetInt(height());
    StringSetting(QStringLiteral("entrybkimage"))->SetText(QString());
    IntSetting(QStringLiteral("newsx"))->SetInt(x());
    IntSetting(QStringLiteral("newsy"))->SetInt(y());
    ColorSetting(QStringLiteral("entrybkcolor"))->SetColor(colors::White);
    BoolSetting(QStringLiteral("entrydrawbk"))->SetBool(true);
    IntSetting(QStringLiteral("entrybkalpha"))->SetInt(100);
    BoolSetting(QStringLiteral("entrybkgdt"))->SetBool(false);
    ColorSetting(QStringLiteral("entrybkgdtclr1"))->SetColor(colors::White);
    ColorSetting(QStringLiteral("entrybkgdtclr2"))->SetColor(colors::Silver);
    IntSetting(QStringLiteral("entrybkgdtclr1a"))->SetInt(100);
    IntSetting(QStringLiteral("entrybkgdtclr2a"))->SetInt(100);
    BoolSetting(QStringLiteral("entrydrawborder"))->SetBool(true);
    ColorSetting(QStringLiteral("entrybdrclr"))->SetColor(colors::Gray);
    BoolSetting(QStringLiteral("entrybdrdashed"))->SetBool(true);
    ApplyDefaultFonts();
    ImageFolder.clear();
    BackgroundPicture = QImage();
    for (FblogImage* button : {m_nextButton, m_backButton}) {
        button->FileName.clear();
        button->FullPath.clear();
    }
    m_nextButton->SetPicture(BuiltInNextButton());
    m_backButton->SetPicture(BuiltInBackButton());
    update();
}

void Fblog::ApplyDefaultFonts()
{
    struct Default {
        int size;
        bool bold, italic, underline;
        TColor color;
    };
    const Default defaults[5] = {{10, true, false, false, colors::Navy},
                                 {8, false, false, false, colors::Gray},
                                 {8, false, true, false, colors::Black},
                                 {8, false, false, false, colors::Black},
                                 {8, false, false, true, colors::Navy}};
    for (int i = 0; i < 5; ++i) {
        QFont font(QStringLiteral("Arial"), defaults[i].size);
        font.setBold(defaults[i].bold);
        font.setItalic(defaults[i].italic);
        font.setUnderline(defaults[i].underline);
        m_fonts[i] = {font, defaults[i].color};
    }
}

FpropertyBaseClass* Fblog::Setting(const QString& name) const
{
    for (const auto& setting : m_settings)
        if (setting->Name() == name)
            return setting.get();
    return nullptr;
}

FpropertyIntClass* Fblog::IntSetting(const QString& name) const
{
    return dynamic_cast<FpropertyIntClass*>(Setting(name));
}

FpropertyBooleanClass* Fblog::BoolSetting(const QString& name) const
{
    return dynamic_cast<FpropertyBooleanClass*>(Setting(name));
}

FpropertyColorClass* Fblog::ColorSetting(const QString& name) const
{
    return dynamic_cast<FpropertyColorClass*>(Setting(name));
}

FpropertyStringClass* Fblog::StringSetting(const QString& name) const
{
    return dynamic_cast<FpropertyStringClass*>(Setting(name));
}

EntryFont& Fblog::Font(int number)
{
    return m_fonts.at(std::size_t(qBound(1, number, 5) - 1));
}

const EntryFont& Fblog::Font(int number) const
{
    return m_fonts.at(std::size_t(qBound(1, number, 5) - 1));
}

FblogLabel* Fblog::Label(int number) const
{
    return number >= 1 && number <= 5 ? m_labels[std::size_t(number - 1)] : nullptr;
}

// --- painting --------------------------------------------------------------------------

void Fblog::paintEvent(QPaintEvent*)
{
    UpdatingGuard updating;
    QPainter painter(this);
    painter.fillRect(0, 0, width(), height(),
                     ToQColor(ColorSetting(QStringLiteral("entrybkcolor"))->GetColor()));
    TileBackground(painter);
    ShowGradient();
    LayoutLabels();
    DrawBorder(painter);
}

void Fblog::TileBackground(QPainter& painter) const
{
    if (StringSetting(QStringLiteral("entrybkimage"))->GetText().isEmpty())
        return;
    const int pw = BackgroundPicture.width();
    const int ph = BackgroundPicture.height();
    if (pw <= 0 || ph <= 0)
        return;
    for (int y = 0; y < height(); y += ph)
        for (int x = 0; x < width(); x += pw)
            painter.drawImage(x, y, BackgroundPicture);
}

void Fblog::ShowGradient()
{
    if (!BoolSetting(QStringLiteral("entrybkgdt"))->GetBool()) {
        m_gradient->hide();
        return;
    }
    m_gradient->setGeometry(1, 1, width() - 2, height() - 2);
    m_gradient->setColors(ColorSetting(QStringLiteral("entrybkgdtclr1"))->GetColor(),
                          ColorSetting(QStringLiteral("entrybkgdtclr2"))->GetColor());
    m_gradient->lower();
    m_gradient->show();
}

void Fblog::LayoutLabels()
{
    int top = 6;
    for (int i = 0; i < 5; ++i) {
        FblogLabel* label = m_labels[i];
        label->setFont(m_fonts[i].Font);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, ToQColor(m_fonts[i].Color));
        label->setPalette(palette);
        label->adjustSize();
        label->move(10, top);
        top += label->height() + 4;
    }
}

void Fblog::DrawBorder(QPainter& painter) const
{
    if (!BoolSetting(QStringLiteral("entrydrawborder"))->GetBool())
        return;
    const bool dashed = BoolSetting(QStringLiteral("entrybdrdashed"))->GetBool();
    painter.setPen(QPen(ToQColor(ColorSetting(QStringLiteral("entrybdrclr"))->GetColor()), 1,
                        dashed ? Qt::DotLine : Qt::SolidLine));
    const int w = width();
    const int h = height();
    const QPoint points[5] = {{0, h}, {0, 0}, {w - 1, 0}, {w - 1, h - 1}, {0, h - 1}};
    painter.drawPolyline(points, 5);
    painter.setPen(Qt::SolidLine);
}

// --- events ----------------------------------------------------------------------------

void Fblog::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    BoundsChanged();
}

void Fblog::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    BoundsChanged();
}

void Fblog::BoundsChanged()
{
    if (Updating) {
        NoteBoundsSeen();
        return;
    }
    if (geometry() == m_seenBounds)
        return;
    EntryResized();
}

void Fblog::EntryResized()
{
    if (Updating)
        return;
    IntSetting(QStringLiteral("newswidth"))->SetInt(width());
    IntSetting(QStringLiteral("newsheight"))->SetInt(height());
    IntSetting(QStringLiteral("newsx"))->SetInt(x());
    IntSetting(QStringLiteral("newsy"))->SetInt(y());
    NoteBoundsSeen();
}

void Fblog::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_owner->SelectObject(this, 0);
}

void Fblog::MarkLabel(FblogLabel* label)
{
    for (FblogLabel* each : m_labels)
        each->SetSelected(each == label);
}

void Fblog::ControlChanged(QWidget* control)
{
    UpdatingGuard updating;
    for (const auto& setting : m_settings)
        if (setting->EditControl() == control)
            setting->ReadFromControl(control);
    update();
}

void Fblog::SyncControls()
{
    UpdatingGuard updating;
    for (const auto& setting : m_settings)
        if (setting->EditControl())
            setting->WriteToControl();
    int style = 1; // Gradient
    if (!StringSetting(QStringLiteral("entrybkimage"))->GetText().isEmpty())
        style = 2;
    else if (BoolSetting(QStringLiteral("entrydrawbk"))->GetBool())
        style = 0;
    m_host->setEntryStyleChoice(style);
}

bool Fblog::LoadBackgroundPicture(const QString& path)
{
    BackgroundPicture = LoadImageFile(path);
    update();
    return !BackgroundPicture.isNull();
}

// --- the settings file -----------------------------------------------------------------

QString Fblog::FontAttributes(const QString& prefix, const EntryFont& font) const
{
    auto line = [&prefix](const char* name, const QString& value) {
        return QStringLiteral(" %1font%2=\"%3\"\r\n").arg(prefix, QLatin1String(name), value);
    };
    return line("name", EscapeXmlText(font.Font.family())) +
           line("size", QString::number(font.Font.pointSize())) + line("color", ColorToHex(font.Color)) +
           line("style", font.Font.bold() ? QStringLiteral("bold") : QStringLiteral("normal")) +
           line("italic", font.Font.italic() ? QStringLiteral("italic") : QStringLiteral("normal"));
}

QString Fblog::WriteEntryAttributes() const
{
    QString text;
    for (const auto& setting : m_settings)
        text += setting->GetAttributeText();
    if (!m_nextButton->FileName.isEmpty())
        text += QStringLiteral(" nextbutton=\"%1\"\r\n").arg(EscapeXmlText(m_nextButton->FileName));
    if (!m_backButton->FileName.isEmpty())
        text += QStringLiteral(" backbutton=\"%1\"\r\n").arg(EscapeXmlText(m_backButton->FileName));
    for (int i = 0; i < 5; ++i)
        text += FontAttributes(QString::fromLatin1(FontPrefixes[i]), m_fonts[i]);
    return text;
}

namespace {

bool ReadBool(const XmlNode& element, const QString& name)
{
    return ReadAttrText(element, name).toLower() == QLatin1String("true");
}

void ReadColor(const XmlNode& element, const QString& name, FpropertyColorClass* setting)
{
    const QString value = ReadAttrText(element, name);
    if (!value.isEmpty())
        setting->SetColor(TextToColor(value));
}

} // namespace

QString ResolveImagePath(const QString& name, const QString& settingsFolder)
{
    if (QFileInfo::exists(name))
        return QFileInfo(name).absoluteFilePath();
    return WithTrailingBackslash(settingsFolder) + name;
}

void Fblog::ReadEntryAttributes(const XmlNode& element, const QString& settingsFolder)
{
    IntSetting(QStringLiteral("newswidth"))->SetInt(ReadAttrInt(element, QStringLiteral("newswidth"), 350));
    IntSetting(QStringLiteral("newsheight"))->SetInt(ReadAttrInt(element, QStringLiteral("newsheight"), 250));
    StringSetting(QStringLiteral("entrybkimage"))
        ->SetText(ReadAttrText(element, QStringLiteral("entrybkimage")));
    ReadBackgroundImage(settingsFolder);
    IntSetting(QStringLiteral("newsx"))->SetInt(ReadAttrInt(element, QStringLiteral("newsx"), 20));
    IntSetting(QStringLiteral("newsy"))->SetInt(ReadAttrInt(element, QStringLiteral("newsy"), 20));
    ReadColor(element, QStringLiteral("entrybkcolor"), ColorSetting(QStringLiteral("entrybkcolor")));
    BoolSetting(QStringLiteral("entrydrawbk"))->SetBool(ReadBool(element, QStringLiteral("entrydrawbk")));
    IntSetting(QStringLiteral("entrybkalpha"))
        ->SetInt(ReadAttrInt(element, QStringLiteral("entrybkalpha"), 50));
    BoolSetting(QStringLiteral("entrybkgdt"))->SetBool(ReadBool(element, QStringLiteral("entrybkgdt")));
    ReadColor(element, QStringLiteral("entrybkgdtclr1"), ColorSetting(QStringLiteral("entrybkgdtclr1")));
    ReadColor(element, QStringLiteral("entrybkgdtclr2"), ColorSetting(QStringLiteral("entrybkgdtclr2")));
    IntSetting(QStringLiteral("entrybkgdtclr1a"))
        ->SetInt(ReadAttrInt(element, QStringLiteral("entrybkgdtclr1a"), 50));
    IntSetting(QStringLiteral("entrybkgdtclr2a"))
        ->SetInt(ReadAttrInt(element, QStringLiteral("entrybkgdtclr2a"), 50));
    BoolSetting(QStringLiteral("entrydrawborder"))
        ->SetBool(ReadBool(element, QStringLiteral("entrydrawborder")));
    ReadColor(element, QStringLiteral("entrybdrclr"), ColorSetting(QStringLiteral("entrybdrclr")));
    BoolSetting(QStringLiteral("entrybdrdashed"))
        ->SetBool(ReadBool(element, QStringLiteral("entrybdrdashed")));
    for (int i = 0; i < 5; ++i)
        ReadFont(element, QString::fromLatin1(FontPrefixes[i]), m_fonts[i]);
    ReadButton(element, QStringLiteral("nextbutton"), m_nextButton, BuiltInNextButton(), settingsFolder);
    ReadButton(element, QStringLiteral("backbutton"), m_backButton, BuiltInBackButton(), settingsFolder);
    SyncControls();
}

void Fblog::ReadBackgroundImage(const QString& settingsFolder)
{
    const QString name = StringSetting(QStringLiteral("entrybkimage"))->GetText();
    if (name.isEmpty())
        return;
    ImageFolder = WithTrailingBackslash(settingsFolder);
    if (!LoadBackgroundPicture(ResolveImagePath(name, settingsFolder)))
        m_host->reportProblem(QStringLiteral("The background image \"%1\" could not be loaded.").arg(name));
}

void Fblog::ReadFont(const XmlNode& element, const QString& prefix, EntryFont& font)
{
    const QString face = ReadAttrText(element, prefix + QStringLiteral("fontname"));
    if (!face.isEmpty())
        font.Font.setFamily(face);
    font.Font.setPointSize(qMax(1, ReadAttrInt(element, prefix + QStringLiteral("fontsize"), 18)));
    const QString color = ReadAttrText(element, prefix + QStringLiteral("fontcolor"));
    if (!color.isEmpty())
        font.Color = HexToColor(color);
    const QString style = ReadAttrText(element, prefix + QStringLiteral("fontstyle"));
    if (!style.isEmpty()) {
        const bool bold = style == QLatin1String("bold");
        font.Font.setBold(bold);
        font.Font.setItalic(false);
        font.Font.setUnderline(false);
        font.Font.setStrikeOut(false);
    }
    if (ReadAttrText(element, prefix + QStringLiteral("fontitalic")) == QLatin1String("italic"))
        font.Font.setItalic(true);
}

void Fblog::ReadButton(const XmlNode& element, const QString& name, FblogImage* button, const QImage& builtIn,
                       const QString& settingsFolder)
{
    const QString fileName = ReadAttrText(element, name);
    if (fileName.isEmpty()) {
        button->FileName.clear();
        button->FullPath.clear();
        button->SetPicture(builtIn);
        return;
    }
    button->FileName = fileName;
    button->FullPath = ResolveImagePath(fileName, settingsFolder);
    const QImage picture = LoadImageFile(button->FullPath);
    button->SetPicture(picture);
    if (picture.isNull())
        m_host->reportProblem(QStringLiteral("The button image \"%1\" could not be loaded.").arg(fileName));
}
