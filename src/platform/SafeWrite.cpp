#include "platform/SafeWrite.h"

#include "platform/Errors.h"

#include <QSaveFile>

bool SaveFileAtomically(const QString& path, const QByteArray& bytes, QString* reason,
                        QFileDevice::Permissions permissions)
{
    QSaveFile file(path);
    const auto fail = [&] {
        if (reason)
            *reason = file.errorString();
        file.cancelWriting();
        return false;
    };
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail();
    if (permissions)
        file.setPermissions(permissions);
    if (file.write(bytes) != bytes.size())
        return fail();
    if (!file.commit()) {
        if (reason)
            *reason = file.errorString();
        return false;
    }
    return true;
}

void WriteFileAtomically(const QString& path, const QByteArray& bytes)
{
    QString reason;
    if (!SaveFileAtomically(path, bytes, &reason))
        throw IoError(QStringLiteral("Could not write \"%1\": %2").arg(path, reason));
}
