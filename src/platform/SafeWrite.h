#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

// Files that hold user data are replaced whole: the bytes go to a temporary file beside the
// target, which is renamed over it only when everything was written. A crash, a full disk or a
// size limit leaves the previous file as it was.
//
// The temporary file is written unbuffered, so that a short write shows in write()'s count:
// written through QIODevice's buffer, the short write is lost in the final flush and commit()
// still renames the truncated file into place.

// False on failure, with the system's reason in *reason when given.
bool SaveFileAtomically(const QString& path, const QByteArray& bytes, QString* reason = nullptr,
                        QFileDevice::Permissions permissions = {});

// Raises IoError ("Could not write "<path>": <reason>") on failure.
void WriteFileAtomically(const QString& path, const QByteArray& bytes);
