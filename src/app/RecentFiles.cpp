#include "app/RecentFiles.h"

#include <QFileInfo>

void RecentFiles::setPaths(const QStringList& paths)
{
    m_paths.clear();
    for (auto it = paths.crbegin(); it != paths.crend(); ++it)
        if (!it->isEmpty())
            add(*it);
}

void RecentFiles::add(const QString& path)
{
    m_paths.removeAll(path);
    m_paths.prepend(path);
    while (m_paths.size() > MaxCount)
        m_paths.removeLast();
}

void RecentFiles::dropMissing()
{
    m_paths.removeIf([](const QString& path) { return !QFileInfo(path).isFile(); });
}

QStringList RecentFiles::captions() const
{
    QStringList result;
    for (int i = 0; i < m_paths.size(); ++i)
        result << QString("&%1 %2").arg(i + 1).arg(QFileInfo(m_paths.at(i)).fileName());
    return result;
}
