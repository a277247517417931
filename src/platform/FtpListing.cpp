#include "platform/FtpListing.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

bool isDotEntry(const QString& name)
{
    return name.isEmpty() || name == "." || name == "..";
}

// "drwxr-xr-x 2 owner group 4096 Dec 11 10:00 name with spaces" (SFTP servers may write "11 Dec")
bool parseUnixLine(const QString& line, FtpItem& item)
{
    static const QRegularExpression re(
        R"(^([\-dlbcps])[rwxsStTl\-]{9}\S*\s+\d+\s+\S+\s+\S+\s+(\d+)\s+((?:\w{3}\s+\d{1,2}|\d{1,2}\s+\w{3})\s+[\d:]{4,5})\s(.+)$)");
    const auto m = re.match(line);
    if (!m.hasMatch())
        return false;
    item.isFolder = m.captured(1) == "d";
    item.size = m.captured(2).toLongLong();
    item.date = m.captured(3).simplified();
    item.name = m.captured(4);
    if (m.captured(1) == "l")
        item.name = item.name.section(" -> ", 0, 0);
    return true;
}

// "12-11-26  10:00AM       <DIR>          name"
bool parseDosLine(const QString& line, FtpItem& item)
{
    static const QRegularExpression re(
        R"(^(\d{2}-\d{2}-\d{2,4}\s+\d{1,2}:\d{2}[AP]M)\s+(<DIR>|\d+)\s+(.+)$)");
    const auto m = re.match(line);
    if (!m.hasMatch())
        return false;
    item.date = m.captured(1).simplified();
    item.isFolder = m.captured(2) == "<DIR>";
    item.size = item.isFolder ? 0 : m.captured(2).toLongLong();
    item.name = m.captured(3);
    return true;
}

} // namespace

QList<FtpItem> ParseFtpListing(const QString& listing)
{
    QList<FtpItem> items;
    for (QString line : listing.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        FtpItem item;
        if ((parseUnixLine(line, item) || parseDosLine(line, item)) && !isDotEntry(item.name))
            items.append(item);
    }
    return items;
}

QString JoinRemotePath(const QString& folder, const QString& path)
{
    const QString joined = path.startsWith('/') ? path : folder + '/' + path;
    QStringList parts;
    for (const QString& part : joined.split('/', Qt::SkipEmptyParts)) {
        if (part == "..") {
            if (!parts.isEmpty())
                parts.removeLast();
        } else if (part != ".") {
            parts.append(part);
        }
    }
    return '/' + parts.join('/');
}
