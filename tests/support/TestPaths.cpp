#include "support/TestPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace testsupport {

QString sourceDir()
{
    return QString::fromLocal8Bit(qgetenv("TK_SOURCE_DIR"));
}

QString testDataDir()
{
    return sourceDir() + "/tests/data";
}

QString programDir()
{
    return QString::fromLocal8Bit(qgetenv("TK_PROGRAM_DIR"));
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

} // namespace testsupport
