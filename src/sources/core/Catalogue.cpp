#include "sources/core/Catalogue.h"
#include "platform/SafeWrite.h"

#include "platform/XmlDocument.h"

#include <QFileInfo>

#include <algorithm>

namespace {

QString Replaced(QString text, const char* from, const char* to)
{
    return text.replace(QLatin1String(from), QLatin1String(to));
}

FRSSsiteData GroupRow(const XmlNode& channel)
{
    FRSSsiteData row;
    row.title = channel.attribute("name");
    row.isGroup = true;
    return row;
}

FRSSsiteData FeedRow(const XmlNode& outline)
{
    auto field = [&](const char* name) { return ResolveCatalogueEntities(outline.attribute(name)); };
    FRSSsiteData row;
    row.text = field("text");
    row.title = field("title");
    row.type = field("type");
    row.version = field("version");
    row.xmlUrl = field("xmlUrl");
    row.htmlUrl = field("htmlUrl");
    row.description = field("description");
    row.custom = outline.hasAttribute("custom");
    return row;
}

void AppendAttribute(QByteArray& line, const char* name, const QString& value)
{
    line += ' ';
    line += name;
    line += "=\"";
    line += EscapeCatalogueText(value).toUtf8();
    line += '"';
}

QByteArray OutlineLine(const FRSSsiteData& row)
{
    QByteArray line = "<outline";
    AppendAttribute(line, "text", row.text);
    AppendAttribute(line, "title", row.title);
    AppendAttribute(line, "type", row.type);
    AppendAttribute(line, "version", row.version);
    AppendAttribute(line, "xmlUrl", row.xmlUrl);
    AppendAttribute(line, "htmlUrl", row.htmlUrl);
    AppendAttribute(line, "description", row.description);
    line += " custom=\"true\"/>\r\n";
    return line;
}

uchar FoldLetter(uchar c)
{
    return (c >= 'a' && c <= 'z') ? uchar(c - ('a' - 'A')) : c;
}

} // namespace

QString EscapeCatalogueText(const QString& text)
{
    QString out = Replaced(text, "&", "&amp;");
    out = Replaced(out, "<", "&lt;");
    out = Replaced(out, ">", "&gt;");
    out = Replaced(out, "'", "&apos;");
    return Replaced(out, "\"", "&quot;");
}

QString ResolveCatalogueEntities(const QString& text)
{
    QString out = Replaced(text, "&lt;", "<");
    out = Replaced(out, "&gt;", ">");
    out = Replaced(out, "&apos;", "'");
    out = Replaced(out, "&quot;", "\"");
    return Replaced(out, "&amp;", "&");
}

std::vector<FRSSsiteData> ReadCatalogueFile(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return {};
    return ReadCatalogue(XmlDocument::loadFile(path));
}

std::vector<FRSSsiteData> ReadCatalogue(const XmlDocument& document)
{
    std::vector<FRSSsiteData> rows;
    for (const XmlNode& top : document.topLevelNodes()) {
        if (top.name() != QLatin1String("newssources"))
            continue;
        for (const XmlNode& channel : top.children()) {
            if (channel.name() != QLatin1String("channel"))
                continue;
            rows.push_back(GroupRow(channel));
            for (const XmlNode& outline : channel.children()) {
                if (outline.name() == QLatin1String("outline"))
                    rows.push_back(FeedRow(outline));
            }
        }
    }
    return rows;
}

bool IsUsableCatalogue(const QByteArray& bytes)
{
    try {
        const XmlDocument document = XmlDocument::loadData(bytes);
        const XmlNode root = document.documentElement();
        return root.name() == QLatin1String("newssources") && !root.child("channel").isNull();
    } catch (const TickerineError&) {
        return false;
    }
}

QByteArray CustomCatalogueBytes(const std::vector<const FRSSsiteData*>& rows)
{
    QByteArray bytes = "<?xml version=\"1.0\"?>\r\n<newssources>\r\n<channel name=\"";
    bytes += catalogue::CustomGroupName;
    bytes += "\">\r\n\r\n";
    for (const FRSSsiteData* row : rows) {
        if (row->custom && !row->isGroup)
            bytes += OutlineLine(*row);
    }
    bytes += "</channel>\r\n</newssources>\r\n";
    return bytes;
}

int CompareTitles(const QString& a, const QString& b)
{
    const QByteArray x = a.toUtf8();
    const QByteArray y = b.toUtf8();
    const qsizetype common = std::min(x.size(), y.size());
    for (qsizetype i = 0; i < common; ++i) {
        const int diff = int(FoldLetter(uchar(x[i]))) - int(FoldLetter(uchar(y[i])));
        if (diff != 0)
            return diff;
    }
    return int(x.size() > y.size()) - int(x.size() < y.size());
}
