#include "app/helpers/Helpers.h"

#include "platform/Shell.h"
#include "platform/XmlDocument.h"

#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPalette>

#include <cerrno>
#include <cstring>
#include <optional>
#include <sys/stat.h>

namespace {

bool endsInSeparator(const QString& path)
{
    return path.endsWith('/') || path.endsWith('\\');
}

// --- number parsing ----------------------------------------------------------------------

bool isBlank(QChar c)
{
    return c == ' ' || c == '\t';
}

// The value of an ASCII digit, or -1.
int digitValue(QChar c, bool hex)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (hex && u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (hex && u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

struct ParsedNumber {
    bool ok = false;
    bool overflow = false;
    qint32 value = 0;
};

// Skips the hexadecimal prefix ("0x", "0X", "x", "X", "$") at pos; true when there was one.
bool skipHexPrefix(const QString& text, qsizetype& pos)
{
    if (pos < text.size() && (text[pos] == '$' || text[pos] == 'x' || text[pos] == 'X')) {
        ++pos;
        return true;
    }
    if (pos + 1 < text.size() && text[pos] == '0' && (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
        pos += 2;
        return true;
    }
    return false;
}

// A hexadecimal number fills all 32 bits ("$FFFFFFFF" is -1); a decimal one must fit the
// signed range. Digits only after the prefix: no trailing blanks or other characters.
ParsedNumber parseInt32(const QString& text)
{
    ParsedNumber result;
    qsizetype pos = 0;
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+'))
        negative = text[pos++] == '-';
    const bool hex = skipHexPrefix(text, pos);
    const int base = hex ? 16 : 10;
    const quint64 limit = hex ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    quint64 magnitude = 0;
    if (pos >= text.size())
        return result;
    for (; pos < text.size(); ++pos) {
        const int value = digitValue(text[pos], hex);
        if (value < 0)
            return result;
        // Keep scanning after an overflow: trailing garbage still makes it no number.
        if (!result.overflow)
            magnitude = magnitude * quint64(base) + quint64(value);
        result.overflow = result.overflow || magnitude > limit;
    }
    if (result.overflow)
        return result;
    const quint32 bits = quint32(negative ? (~magnitude + 1) : magnitude);
    result.value = qint32(bits);
    result.ok = true;
    return result;
}

// --- colours -----------------------------------------------------------------------------

TColor rgbToTColor(int r, int g, int b)
{
    return TColor(quint32(r & 0xFF) | quint32(g & 0xFF) << 8 | quint32(b & 0xFF) << 16);
}

struct SystemColorRole {
    int index;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The toolkit's system colour indices and the palette colours that stand for them here.
constexpr SystemColorRole systemColorRoles[] = {
    {0, QPalette::Active, QPalette::Button},           // scroll bar
    {1, QPalette::Active, QPalette::Window},           // desktop background
    {2, QPalette::Active, QPalette::Highlight},        // active caption
    {3, QPalette::Inactive, QPalette::Mid},            // inactive caption
    {4, QPalette::Active, QPalette::Window},           // menu
    {5, QPalette::Active, QPalette::Base},             // window
    {6, QPalette::Active, QPalette::Shadow},           // window frame
    {7, QPalette::Active, QPalette::WindowText},       // menu text
    {8, QPalette::Active, QPalette::Text},             // window text
    {9, QPalette::Active, QPalette::HighlightedText},  // caption text
    {10, QPalette::Active, QPalette::Window},          // active border
    {11, QPalette::Inactive, QPalette::Window},        // inactive border
    {12, QPalette::Active, QPalette::Dark},            // application workspace
    {13, QPalette::Active, QPalette::Highlight},       // highlight
    {14, QPalette::Active, QPalette::HighlightedText}, // highlighted text
    {15, QPalette::Active, QPalette::Button},          // button face
    {16, QPalette::Active, QPalette::Dark},            // button shadow
    {17, QPalette::Disabled, QPalette::Text},          // grey text
    {18, QPalette::Active, QPalette::ButtonText},      // button text
    {19, QPalette::Inactive, QPalette::WindowText},    // inactive caption text
    {20, QPalette::Active, QPalette::Light},           // button highlight
    {21, QPalette::Active, QPalette::Shadow},          // 3D dark shadow
    {22, QPalette::Active, QPalette::Midlight},        // 3D light
    {23, QPalette::Active, QPalette::ToolTipText},     // info text
    {24, QPalette::Active, QPalette::ToolTipBase},     // info background
    {26, QPalette::Active, QPalette::Link},            // hot light
    {27, QPalette::Active, QPalette::Highlight},       // gradient active caption
    {28, QPalette::Inactive, QPalette::Mid},           // gradient inactive caption
    {29, QPalette::Active, QPalette::Highlight},       // menu highlight
    {30, QPalette::Active, QPalette::Window},          // menu bar
};

QPalette currentPalette()
{
    return qGuiApp ? QGuiApplication::palette() : QPalette(QColor(0xF0, 0xF0, 0xF0));
}

TColor systemColor(int index)
{
    for (const auto& entry : systemColorRoles) {
        if (entry.index == index) {
            const QColor c = currentPalette().color(entry.group, entry.role);
            return rgbToTColor(c.red(), c.green(), c.blue());
        }
    }
    return colors::Black; // an unknown index reads as black, as the window system answers
}

struct NamedColor {
    const char* name;
    TColor value;
};

// Colour names as the toolkit spells them; each gives the colour it names.
constexpr NamedColor namedColors[] = {
    {"clBlack", 0x000000},  {"clMaroon", 0x000080},  {"clGreen", 0x008000}, {"clOlive", 0x008080},
    {"clNavy", 0x800000},   {"clPurple", 0x800080},  {"clTeal", 0x808000},  {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF},     {"clLime", 0x00FF00},  {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},   {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},  {"clWhite", 0xFFFFFF},
    {"clLtGray", 0xC0C0C0}, {"clDkGray", 0x808080},
};

std::optional<TColor> namedColor(const QString& text)
{
    const QString name = text.trimmed();
    for (const auto& entry : namedColors)
        if (name.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0)
            return entry.value;
    return std::nullopt;
}

TColor swapRedBlue(quint32 rgb)
{
    return TColor((rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16 & 0xFF));
}

QString replaceAll(const QString& text, const QString& oldText, const QString& newText,
                   Qt::CaseSensitivity cs)
{
    if (oldText.isEmpty())
        return text;
    QString result = text;
    // QString::replace scans left to right without re-scanning the inserted text.
    return result.replace(oldText, newText, cs);
}

} // namespace

// --- folders and file names -------------------------------------------------------------

QString ExeFolder()
{
    return WithTrailingBackslash(QCoreApplication::applicationDirPath());
}

QString WithTrailingBackslash(const QString& path)
{
    if (path.isEmpty() || endsInSeparator(path))
        return path;
    return path + '/';
}

QString EnsureFolder(const QString& path, bool clear)
{
    if (!QFileInfo(path).isDir()) {
        const QByteArray native = QFile::encodeName(path);
        if (::mkdir(native.constData(), 0777) != 0) {
            const int error = errno;
            throw IoError(
                QStringLiteral("Cannot create folder %1: %2")
                    .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(std::strerror(error))));
        }
    }
    if (clear)
        DeleteFilesIn(path, QStringLiteral("*.*"));
    return path;
}

void DeleteFilesIn(const QString& folder, const QString& pattern)
{
    // "*.*" means every file, also those without a dot in their name.
    const QString filter = pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern;
    QDir dir(folder);
    dir.setNameFilters({filter});
    dir.setFilter(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : dir.entryList())
        QFile::remove(dir.filePath(name));
}

QString MyDocumentsFolder()
{
    return Shell::documentsFolder();
}

QString FileBaseName(const QString& path)
{
    const qsizetype cut = std::max({path.lastIndexOf('/'), path.lastIndexOf('\\'), path.lastIndexOf(':')});
    const QString name = path.mid(cut + 1);
    const qsizetype dot = name.indexOf('.');
    return dot < 0 ? name : name.left(dot);
}

QString UniqueFileName(const QString& a, const QString& b, const QString& c)
{
    QString candidate = a + b + c;
    for (int n = 2; QFileInfo::exists(candidate); ++n)
        candidate = a + b + '(' + QString::number(n) + ')' + c;
    return candidate;
}

void OpenWithShell(const QString& target)
{
    Shell::open(target);
}

// --- colours ----------------------------------------------------------------------------

TColor ResolveColor(TColor color)
{
    if (color >= 0)
        return color;
    return systemColor(int(quint32(color) & 0xFF));
}

QString ColorToText(TColor color)
{
    return QStringLiteral("0x") + ColorToHex(color);
}

QString ColorToHex(TColor color)
{
    const quint32 c = quint32(ResolveColor(color));
    return QStringLiteral("%1%2%3")
        .arg(c & 0xFF, 2, 16, QChar('0'))
        .arg(c >> 8 & 0xFF, 2, 16, QChar('0'))
        .arg(c >> 16 & 0xFF, 2, 16, QChar('0'))
        .toUpper();
}

TColor TextToColor(const QString& text)
{
    if (const auto named = namedColor(text))
        return *named;
    const ParsedNumber number = parseInt32(text);
    if (!number.ok)
        throw ConvertError(QStringLiteral("'%1' is not a valid colour value").arg(text));
    if (number.value < 0)
        throw RangeError(QStringLiteral("'%1' is out of the colour range").arg(text));
    return swapRedBlue(quint32(number.value));
}

TColor HexToColor(const QString& text)
{
    const QString digits = RemoveChar(text, '#');
    if (digits.isEmpty())
        throw ConvertError(QStringLiteral("'%1' is not a valid colour value").arg(text));
    return TextToColor(QStringLiteral("0x") + digits);
}

QString RemoveChar(const QString& text, QChar c)
{
    QString result = text;
    return result.remove(c);
}

QColor ToQColor(TColor color)
{
    const quint32 c = quint32(ResolveColor(color));
    return QColor(int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF));
}

TColor FromQColor(const QColor& color)
{
    return rgbToTColor(color.red(), color.green(), color.blue());
}

// --- XML attributes ---------------------------------------------------------------------

QString ReadAttrText(const XmlNode& element, const QString& name)
{
    try {
        if (element.isNull())
            return {};
        return element.attribute(name);
    } catch (const std::exception&) {
        return {};
    }
}

int ReadAttrInt(const XmlNode& element, const QString& name, int defaultValue)
{
    try {
        if (element.isNull() || !element.hasAttribute(name))
            return defaultValue;
        const ParsedNumber number = parseInt32(element.attribute(name));
        return number.ok ? number.value : defaultValue;
    } catch (const std::exception&) {
        return defaultValue;
    }
}

// --- text -------------------------------------------------------------------------------

QString ReplaceAll(const QString& text, const QString& oldText, const QString& newText)
{
    return replaceAll(text, oldText, newText, Qt::CaseSensitive);
}

QString ReplaceAllIgnoreCase(const QString& text, const QString& oldText, const QString& newText)
{
    return replaceAll(text, oldText, newText, Qt::CaseInsensitive);
}

QString WideCopy(const QString& text, int index, int count)
{
    if (count < 0)
        return {};
    const qsizetype start = index < 1 ? 0 : qsizetype(index) - 1;
    if (start >= text.size())
        return {};
    return text.mid(start, count);
}
