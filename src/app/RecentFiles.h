#pragma once

#include <QStringList>

// The File menu's "Reopen" list: at most five full paths, most recent first, no duplicates.
class RecentFiles {
public:
    static constexpr int MaxCount = 5;

    const QStringList& paths() const { return m_paths; }
    void setPaths(const QStringList& paths);
    // Puts the path at the top (moving it there when it is listed already).
    void add(const QString& path);
    // Drops the paths whose files no longer exist.
    void dropMissing();
    // "&1 name.xml", ... : the position from 1 and the file name without folder.
    QStringList captions() const;

private:
    QStringList m_paths;
};
