#pragma once

#include <QList>
#include <QString>

// One entry of a remote folder listing.
struct FtpItem {
    QString name;
    qint64 size = 0;
    QString date; // as the server wrote it
    bool isFolder = false;
};

// Reads a LIST reply (Unix "ls -l" lines, or DOS/IIS lines); "." and ".." are left out and
// lines that fit neither form are skipped.
QList<FtpItem> ParseFtpListing(const QString& listing);

// Joins a folder and a name or relative path into an absolute, normalised remote path
// ("/a/b" + "../c" gives "/a/c"; a name starting with "/" stands alone).
QString JoinRemotePath(const QString& folder, const QString& path);
