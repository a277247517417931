#include "sources/core/Opml.h"

#include "app/helpers/Helpers.h"
#include "platform/XmlDocument.h"

#include <QFile>
#include <QFileInfo>

namespace {

bool IsNamed(const XmlNode& node, const char* lowerName)
{
    return node.isElement() && node.name().toLower() == QLatin1String(lowerName);
}

void AddFeed(const XmlNode& outline, std::vector<FRSSsiteData>& feeds)
{
    FRSSsiteData row;
    row.title = outline.attribute("title");
    row.text = outline.attribute("text");
    row.type = outline.attribute("type");
    row.version = outline.attribute("version");
    row.xmlUrl = outline.attribute("xmlUrl");
    row.htmlUrl = outline.attribute("htmlUrl");
    row.description = outline.attribute("description");
    row.custom = true;
    if (!row.xmlUrl.isEmpty() && !row.title.isEmpty())
        feeds.push_back(std::move(row));
}

void AddBodyFeeds(const XmlNode& body, std::vector<FRSSsiteData>& feeds)
{
    for (const XmlNode& outline : body.children()) {
        if (!IsNamed(outline, "outline"))
            continue;
        AddFeed(outline, feeds);
        for (const XmlNode& inner : outline.children()) {
            if (IsNamed(inner, "outline"))
                AddFeed(inner, feeds);
        }
    }
}

} // namespace

std::vector<FRSSsiteData> ReadOpmlFeeds(const QString& path)
{
    return ReadOpmlFeeds(XmlDocument::loadFile(path));
}

std::vector<FRSSsiteData> ReadOpmlFeeds(const XmlDocument& document)
{
    std::vector<FRSSsiteData> feeds;
    for (const XmlNode& top : document.topLevelNodes()) {
        if (!IsNamed(top, "opml"))
            continue;
        for (const XmlNode& body : top.children()) {
            if (IsNamed(body, "body"))
                AddBodyFeeds(body, feeds);
        }
    }
    return feeds;
}

QString OpmlCopyName(const QString& chosenPath, const QString& folder)
{
    const QString name = QFileInfo(chosenPath).fileName();
    const qsizetype lastDot = name.lastIndexOf('.');
    const QString extension = lastDot < 0 ? QString() : name.mid(lastDot);
    return UniqueFileName(folder, FileBaseName(chosenPath), extension);
}

QString CopyOpmlFile(const QString& chosenPath, const QString& folder)
{
    const QString copy = OpmlCopyName(chosenPath, folder);
    QFile::copy(chosenPath, copy);
    return QFileInfo(copy).isFile() ? copy : QString();
}
