#pragma once

#include <QString>

namespace testsupport {

// The repository's tests/data folder (read only: copy fixtures before changing them).
QString testDataDir();
// The built program folder with the shipped data.
QString programDir();
// The source tree's root.
QString sourceDir();
// Reads a whole file, or an empty array when it cannot be read.
QByteArray readFile(const QString& path);
// Writes a whole file, creating its folder; returns false on failure.
bool writeFile(const QString& path, const QByteArray& bytes);

} // namespace testsupport
