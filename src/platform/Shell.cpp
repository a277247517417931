#include "platform/Shell.h"
#include "platform/SafeWrite.h"

#include "platform/Clock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

#include <pugixml.hpp>

#include <sstream>

namespace Shell {
namespace {

OpenHandler& openHandler()
{
    static OpenHandler handler;
    return handler;
}

QStringList& recorded()
{
    static QStringList targets;
    return targets;
}

bool looksLikeUrl(const QString& target)
{
    // Two letters at least before the colon, so a drive letter ("C:") is not a scheme.
    static const QRegularExpression scheme("^[A-Za-z][A-Za-z0-9+.-]+:");
    return scheme.match(target).hasMatch() && !QFileInfo::exists(target);
}

void desktopOpen(const QString& target)
{
    QProcess::startDetached("xdg-open", {launchArgument(target)});
}

std::string utf8(const QString& text)
{
    return text.toUtf8().toStdString();
}

pugi::xml_node newXbelRoot(pugi::xml_document& doc)
{
    auto decl = doc.append_child(pugi::node_declaration);
    decl.append_attribute("version") = "1.0";
    decl.append_attribute("encoding") = "UTF-8";
    auto root = doc.append_child("xbel");
    root.append_attribute("version") = "1.0";
    root.append_attribute("xmlns:bookmark") = "http://www.freedesktop.org/standards/desktop-bookmarks";
    root.append_attribute("xmlns:mime") = "http://www.freedesktop.org/standards/shared-mime-info";
    return root;
}

void setAttr(pugi::xml_node node, const char* name, const std::string& value)
{
    auto attr = node.attribute(name);
    if (!attr)
        attr = node.append_attribute(name);
    attr.set_value(value.c_str());
}

pugi::xml_node childOrNew(pugi::xml_node parent, const char* name)
{
    auto node = parent.child(name);
    return node ? node : parent.append_child(name);
}

pugi::xml_node findChildWithAttr(pugi::xml_node parent, const char* name, const char* attr,
                                 const std::string& value)
{
    for (auto n = parent.child(name); n; n = n.next_sibling(name))
        if (value == n.attribute(attr).value())
            return n;
    return {};
}

QString applicationName()
{
    const QString path = QCoreApplication::applicationFilePath();
    return path.isEmpty() ? QStringLiteral("tickerine") : QFileInfo(path).fileName();
}

// The bookmark's metadata: its MIME type and this program among the applications that used it.
void touchMetadata(pugi::xml_node bookmark, const QString& filePath, const std::string& now)
{
    auto metadata = childOrNew(childOrNew(bookmark, "info"), "metadata");
    setAttr(metadata, "owner", "http://freedesktop.org");
    const QString mime = QMimeDatabase().mimeTypeForFile(filePath).name();
    setAttr(childOrNew(metadata, "mime:mime-type"), "type", utf8(mime));
    auto apps = childOrNew(metadata, "bookmark:applications");
    const std::string name = utf8(applicationName());
    auto app = findChildWithAttr(apps, "bookmark:application", "name", name);
    if (!app) {
        app = apps.append_child("bookmark:application");
        setAttr(app, "name", name);
        setAttr(app, "exec", "'" + utf8(QCoreApplication::applicationFilePath()) + " %u'");
    }
    setAttr(app, "modified", now);
    setAttr(app, "count", std::to_string(app.attribute("count").as_int(0) + 1));
}

void touchBookmark(pugi::xml_node root, const QString& filePath)
{
    const std::string href = utf8(QUrl::fromLocalFile(filePath).toString(QUrl::FullyEncoded));
    const std::string now = utf8(Clock::currentDateTime().toUTC().toString(Qt::ISODate));
    auto bookmark = findChildWithAttr(root, "bookmark", "href", href);
    if (!bookmark) {
        bookmark = root.append_child("bookmark");
        setAttr(bookmark, "href", href);
        setAttr(bookmark, "added", now);
    }
    setAttr(bookmark, "modified", now);
    setAttr(bookmark, "visited", now);
    touchMetadata(bookmark, filePath, now);
}

// Reads the list, or starts a new one when there is none; false for a list that exists but
// cannot be read, which is then left alone.
bool loadXbel(const QString& path, pugi::xml_document& doc, pugi::xml_node& root)
{
    if (!QFileInfo::exists(path)) {
        root = newXbelRoot(doc);
        return true;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (!doc.load_buffer(bytes.constData(), size_t(bytes.size()),
                         pugi::parse_default | pugi::parse_declaration))
        return false;
    root = doc.child("xbel");
    return bool(root);
}

bool saveXbel(const QString& path, const pugi::xml_document& doc)
{
    std::ostringstream out;
    doc.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
    const std::string text = out.str();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    return SaveFileAtomically(path, QByteArray::fromStdString(text));
}

} // namespace

QString launchArgument(const QString& target)
{
    if (looksLikeUrl(target))
        return QUrl(target).toString(QUrl::FullyEncoded);
    return QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath()).toString(QUrl::FullyEncoded);
}

void open(const QString& target)
{
    if (target.isEmpty())
        return;
    if (openHandler())
        openHandler()(target);
    else if (QStandardPaths::isTestModeEnabled())
        recorded().append(target);
    else
        desktopOpen(target);
}

QStringList recordedTargets()
{
    return recorded();
}

void clearRecordedTargets()
{
    recorded().clear();
}

void setOpenHandler(OpenHandler handler)
{
    openHandler() = std::move(handler);
}

QString documentsFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        return {};
    return folder.endsWith('/') ? folder : folder + '/';
}

QString recentDocumentsFile()
{
    QString dataHome = QString::fromLocal8Bit(qgetenv("XDG_DATA_HOME"));
    if (dataHome.isEmpty())
        dataHome = QDir::homePath() + "/.local/share";
    return dataHome + "/recently-used.xbel";
}

bool addToRecentDocuments(const QString& filePath)
{
    if (filePath.isEmpty())
        return false;
    const QString path = recentDocumentsFile();
    pugi::xml_document doc;
    pugi::xml_node root;
    if (!loadXbel(path, doc, root))
        return false;
    touchBookmark(root, QFileInfo(filePath).absoluteFilePath());
    return saveXbel(path, doc);
}

} // namespace Shell
