#include "mynews/doc/FblogDocument.h"

#include "app/helpers/AppState.h"
#include "platform/Clock.h"
#include "platform/Errors.h"
#include "platform/Regex.h"
#include "platform/XmlDocument.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <array>

namespace {

const QString CrLf = QStringLiteral("\r\n");

// The escaping of blogtext::Escape, appended in one pass: the RSS text of thousands of
// entries is built without a temporary string per field.
void appendEscaped(QString& out, const QString& text)
{
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&':
            out += QLatin1String("&amp;");
            break;
        case '<':
            out += QLatin1String("&lt;");
            break;
        case '>':
            out += QLatin1String("&gt;");
            break;
        case '\'':
            out += QLatin1String("&apos;");
            break;
        case '"':
            out += QLatin1String("&quot;");
            break;
        default:
            out += c;
        }
    }
}

// A field's line of an item, or nothing when the field is empty.
void appendElement(QString& out, QLatin1String open, QLatin1String close, const QString& value)
{
    if (value.isEmpty()) {
        return;
    }
    out += open;
    appendEscaped(out, value);
    out += close;
}

void appendItem(QString& out, const FblogItem& entry)
{
    out += QLatin1String("<item>\r\n");
    appendElement(out, QLatin1String("<title>"), QLatin1String("</title>\r\n"), entry.Title());
    appendElement(out, QLatin1String("<link>"), QLatin1String("</link>\r\n"), entry.Link());
    appendElement(out, QLatin1String("<author>"), QLatin1String("</author>\r\n"), entry.Author());
    if (!entry.Date().isEmpty()) {
        // The two spaces are what the reader splits date and time on.
        out += QLatin1String("<pubDate>");
        appendEscaped(out, entry.Date());
        out += QLatin1String("  ");
        appendEscaped(out, entry.Time());
        out += QLatin1String("</pubDate>\r\n");
    }
    appendElement(out, QLatin1String("<description>"), QLatin1String("</description>\r\n"),
                  entry.Description());
    out += QLatin1String("</item>\r\n");
}

// Parsers hand line ends back as single line feeds; the editor and the list work with CR LF.
QString withCrLf(QString text)
{
    text.replace(CrLf, QStringLiteral("\n"));
    text.replace(QLatin1Char('\n'), CrLf);
    return text;
}

// The description's inner markup, still escaped: its own tags removed.
QString descriptionMarkup(const XmlNode& element)
{
    if (element.children().empty()) {
        return {}; // serialised as an empty-element tag, which has nothing to strip
    }
    QString markup = element.markup();
    markup.remove(QStringLiteral("<description>"));
    markup.remove(QStringLiteral("</description>"));
    return withCrLf(markup);
}

// Qt reads numeric zones only; the common "GMT" and "UT" mean +0000.
QDateTime rfc822Stamp(QString text)
{
    static const QRegularExpression namedZone(QStringLiteral("\\s(GMT|UTC?|Z)$"));
    text.replace(namedZone, QStringLiteral(" +0000"));
    return QDateTime::fromString(text, Qt::RFC2822Date);
}

// Splits "date  time" at its first double space.
void splitPubDate(const QString& pubDate, QString& date, QString& time)
{
    const qsizetype gap = pubDate.indexOf(QLatin1String("  "));
    if (gap >= 0) {
        date = pubDate.left(gap).trimmed();
        time = pubDate.mid(gap + 2);
        return;
    }
    // Feeds from other programs carry RFC 822 dates; take them over in our own forms.
    const QDateTime stamp = rfc822Stamp(pubDate.trimmed());
    if (stamp.isValid()) {
        date = blogtext::DateText(stamp.date());
        time = blogtext::TimeText(stamp.time());
        return;
    }
    date = pubDate.trimmed();
    time.clear();
}

struct ItemTexts {
    QString title, author, pubDate, description;
};

ItemTexts readItem(const XmlNode& item)
{
    ItemTexts texts;
    for (const XmlNode& child : item.children()) {
        const QString name = child.name();
        if (name == QLatin1String("title")) {
            texts.title = child.text();
        } else if (name == QLatin1String("author")) {
            texts.author = child.text();
        } else if (name == QLatin1String("pubDate")) {
            texts.pubDate = child.text();
        } else if (name == QLatin1String("description")) {
            texts.description = descriptionMarkup(child);
        }
    }
    return texts;
}

std::vector<XmlNode> namedChildren(const std::vector<XmlNode>& nodes, const QString& name)
{
    std::vector<XmlNode> found;
    for (const XmlNode& node : nodes) {
        if (node.isElement() && node.name() == name) {
            found.push_back(node);
        }
    }
    return found;
}

// The image reference an image tag gives: its src value, else its first quoted text.
QString imageReference(const QString& tag)
{
    static const Regex src(QStringLiteral("src=\".*\""));
    static const Regex quoted(QStringLiteral("\".*\""));
    QString element = tag;
    if (const std::optional<RegexMatch> srcMatch = src.firstMatch(element)) {
        element = srcMatch->captured(0);
    }
    if (const std::optional<RegexMatch> quotedMatch = quoted.firstMatch(element)) {
        const QString q = quotedMatch->captured(0);
        element = q.mid(1, q.size() - 2);
    }
    return element;
}

bool copyIfPresent(const QString& from, const QString& to)
{
    return QFileInfo::exists(from) && QFile::copy(from, to);
}

} // namespace

// --- FblogItem ---------------------------------------------------------------------------

FblogItem::FblogItem(FblogData data)
{
    setData(std::move(data));
}

void FblogItem::setData(FblogData data)
{
    m_data = std::move(data);
    m_dateValue = blogtext::DateValue(m_data.Date);
}

// --- FblogDocument -----------------------------------------------------------------------

FblogDocument::FblogDocument()
{
    FblogData sample;
    sample.Title = QStringLiteral("My Blog");
    sample.Author = QStringLiteral("My Name");
    sample.Date = blogtext::DateText(Clock::currentDate());
    sample.Description = QStringLiteral("This is my blog. I quite like it.");
    m_sample.reset(new FblogItem(std::move(sample)));
}

FblogDocument::~FblogDocument() = default;

FblogItem* FblogDocument::AddEntry(const QString& title, const QString& link, const QString& time,
                                   const QString& description, const QString& date, const QString& author)
{
    FblogData data;
    data.Title = blogtext::ResolveEntities(title);
    data.Author = blogtext::ResolveEntities(author);
    data.Link = link;
    data.Date = blogtext::ResolveEntities(date);
    data.Time = blogtext::ResolveEntities(time);
    data.Description = blogtext::ResolveEntities(description);
    m_owned.push_back(std::unique_ptr<FblogItem>(new FblogItem(std::move(data))));
    FblogItem* entry = m_owned.back().get();
    // The position comes from the date as given, before resolving.
    m_entries.insert(insertPosition(blogtext::DateValue(date)), entry);
    return entry;
}

int FblogDocument::insertPosition(const std::optional<QDate>& date) const
{
    const int count = int(m_entries.size());
    if (!date) {
        return count;
    }
    for (int i = 0; i < count; ++i) {
        const std::optional<QDate>& existing = m_entries[i]->DateValue();
        if (!existing) {
            return count; // an unreadable date on the way: append
        }
        if (!(*existing < *date)) {
            return i;
        }
    }
    return count;
}

void FblogDocument::DeleteEntry(const FblogItem* entry)
{
    m_entries.removeOne(const_cast<FblogItem*>(entry));
}

bool FblogDocument::Contains(const FblogItem* entry) const
{
    return entry && m_entries.contains(const_cast<FblogItem*>(entry));
}

bool FblogDocument::GetEntryData(const FblogItem* entry, FblogData& data) const
{
    if (!Contains(entry)) {
        return false;
    }
    data = entry->Data();
    return true;
}

bool FblogDocument::SetEntryData(FblogItem* entry, const FblogData& data)
{
    if (!Contains(entry)) {
        return false;
    }
    entry->setData(data);
    return true;
}

QString FblogDocument::BuildRssText(bool preview) const
{
    QString out;
    qsizetype size = 128;
    for (const FblogItem* entry : m_entries) {
        const FblogData& d = entry->Data();
        size += 100 + d.Title.size() + d.Link.size() + d.Author.size() + d.Date.size() + d.Time.size() +
                d.Description.size() * 11 / 10;
    }
    out.reserve(size);
    appendRss(preview, out, nullptr);
    return out;
}

void FblogDocument::appendRss(bool preview, QString& out, const std::function<void(QString&)>& itemDone) const
{
    out += QLatin1String("<?xml version=\"1.0\"?>") + CrLf + QLatin1String("<rss version=\"2.0\">") + CrLf +
           QLatin1String("<channel>") + CrLf;
    const auto item = [&](const FblogItem& entry) {
        appendItem(out, entry);
        if (itemDone) {
            itemDone(out);
        }
    };
    if (m_entries.isEmpty() && preview) {
        for (int i = 0; i < 3; ++i) {
            item(*m_sample);
        }
    } else {
        for (auto it = m_entries.crbegin(); it != m_entries.crend(); ++it) {
            item(**it);
        }
    }
    out += QLatin1String("</channel>") + CrLf + QLatin1String("</rss>") + CrLf;
}

void FblogDocument::WriteRssFile(const QString& folder, const QString& name) const
{
    const QString path = folder + name;
    QSaveFile file(path);
    // Unbuffered, so that a short write (disk full, size limit) shows in write()'s count:
    // a buffered flush would drop it and commit the truncated file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        throw IoError(QStringLiteral("Could not create \"%1\": %2").arg(path, file.errorString()));
    }
    const auto fail = [&] {
        throw IoError(QStringLiteral("Could not write \"%1\": %2").arg(path, file.errorString()));
    };
    // Written in pieces of whole items, so that ten thousand entries never sit in memory
    // twice over as one text and one byte array.
    const auto write = [&](QString& text) {
        const QByteArray bytes = text.toUtf8();
        if (file.write(bytes) != bytes.size()) {
            fail();
        }
        text.clear();
    };
    constexpr qsizetype Piece = 32 * 1024;
    QString text;
    text.reserve(Piece + 4096);
    appendRss(PreviewFlag, text, [&](QString& pending) {
        if (pending.size() >= Piece) {
            write(pending);
        }
    });
    write(text);
    if (!file.commit()) {
        fail();
    }
}

void FblogDocument::ReadRssFile(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        return;
    }
    const XmlDocument doc = XmlDocument::loadFile(path);
    for (const XmlNode& rss : namedChildren(doc.topLevelNodes(), QStringLiteral("rss"))) {
        for (const XmlNode& channel : namedChildren(rss.children(), QStringLiteral("channel"))) {
            const std::vector<XmlNode> nodes = channel.children();
            for (std::size_t i = 0; i < nodes.size(); ++i) {
                if (!nodes[i].isElement() || nodes[i].name() != QLatin1String("item")) {
                    continue;
                }
                const ItemTexts texts = readItem(nodes[i]);
                QString date, time;
                splitPubDate(texts.pubDate, date, time);
                AddEntry(texts.title, QString(), time, texts.description, date, texts.author);
                if (i == 0) {
                    m_defaultAuthor = texts.author;
                }
            }
        }
    }
}

QStringList FblogDocument::ListEntryImages() const
{
    static const Regex imageTag(QStringLiteral("<img.*>"));
    QString joined;
    for (const FblogItem* entry : m_entries) {
        joined += entry->Description();
    }
    QStringList images;
    for (const RegexMatch& match : imageTag.allMatches(joined)) {
        const QString reference = imageReference(match.captured(0));
        if (blogtext::IsSafeImageReference(reference)) {
            images.append(reference);
        }
    }
    return images;
}

void FblogDocument::CopyEntryImages(const QString& sourceFolder, const QString& outputFolder) const
{
    const QString tempFolder = Folders().TempFolder;
    for (const QString& image : ListEntryImages()) {
        const QString target = outputFolder + image;
        if (QFileInfo::exists(target)) {
            continue;
        }
        if (!copyIfPresent(sourceFolder + image, target) && !tempFolder.isEmpty()) {
            copyIfPresent(tempFolder + image, target);
        }
    }
}

// --- texts -------------------------------------------------------------------------------

namespace blogtext {

QString Escape(const QString& text)
{
    QString out = text;
    out.replace(QLatin1Char('&'), QLatin1String("&amp;"));
    out.replace(QLatin1Char('<'), QLatin1String("&lt;"));
    out.replace(QLatin1Char('>'), QLatin1String("&gt;"));
    out.replace(QLatin1Char('\''), QLatin1String("&apos;"));
    out.replace(QLatin1Char('"'), QLatin1String("&quot;"));
    return out;
}

QString ResolveEntities(const QString& text)
{
    if (!text.contains(QLatin1Char('&'))) {
        return text;
    }
    QString out = text;
    out.replace(QLatin1String("&lt;"), QLatin1String("<"));
    out.replace(QLatin1String("&gt;"), QLatin1String(">"));
    out.replace(QLatin1String("&apos;"), QLatin1String("'"));
    out.replace(QLatin1String("&quot;"), QLatin1String("\""));
    out.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return out;
}

namespace {

const std::array<const char*, 12> MonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// A run of one to four decimal digits, else -1.
int smallNumber(const QString& part)
{
    if (part.isEmpty() || part.size() > 4) {
        return -1;
    }
    for (const QChar c : part) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return -1;
        }
    }
    return part.toInt();
}

} // namespace

std::optional<QDate> DateValue(const QString& dateText)
{
    // Month names become numbers and spaces separators: "09 Dec 2026" -> "09/12/2026",
    // read in day, month, year order. Pinned to English names and "/" whatever the locale.
    QString numeric = dateText;
    for (std::size_t m = 0; m < MonthNames.size(); ++m) {
        numeric.replace(QLatin1String(MonthNames[m]), QString::number(m + 1));
    }
    numeric.replace(QLatin1Char(' '), QLatin1Char('/'));
    const QStringList parts = numeric.split(QLatin1Char('/'));
    if (parts.size() < 2 || parts.size() > 3) {
        return std::nullopt;
    }
    const int day = smallNumber(parts[0]);
    const int month = smallNumber(parts[1]);
    int year = parts.size() == 3 ? smallNumber(parts[2]) : Clock::currentDate().year();
    if (day < 0 || month < 0 || year < 0) {
        return std::nullopt;
    }
    if (parts.size() == 3 && parts[2].size() <= 2) {
        year += Clock::currentDate().year() / 100 * 100;
    }
    const QDate date(year, month, day);
    if (!date.isValid() || year < 1) {
        return std::nullopt;
    }
    return date;
}

QString DateText(const QDate& date)
{
    return QStringLiteral("%1 %2 %3")
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(QLatin1String(MonthNames[std::size_t(date.month() - 1)]))
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}

QString TimeText(const QTime& time)
{
    const int hour12 = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    return QStringLiteral("%1:%2 %3")
        .arg(hour12)
        .arg(time.minute(), 2, 10, QLatin1Char('0'))
        .arg(time.hour() < 12 ? QLatin1String("am") : QLatin1String("pm"));
}

std::optional<QTime> TimeValue(const QString& timeText)
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*(\\d{1,2}):(\\d{1,2})\\s*(am|pm)\\s*$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(timeText);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const int hour = match.captured(1).toInt();
    const int minute = match.captured(2).toInt();
    if (hour < 1 || hour > 12 || minute > 59) {
        return std::nullopt;
    }
    const bool pm = match.captured(3).compare(QLatin1String("pm"), Qt::CaseInsensitive) == 0;
    return QTime(hour % 12 + (pm ? 12 : 0), minute);
}

bool IsSafeImageReference(const QString& reference)
{
    // Descriptions are the user's (or an imported file's) text: a reference must never make
    // the program read or write outside the output folder. A colon covers URL schemes and
    // drive letters alike.
    if (reference.isEmpty() || reference.contains(QLatin1String(".."))) {
        return false;
    }
    if (reference.startsWith(QLatin1Char('/')) || reference.startsWith(QLatin1Char('\\'))) {
        return false;
    }
    return !reference.contains(QLatin1Char(':')) && !reference.contains(QChar(u'\0'));
}

} // namespace blogtext
