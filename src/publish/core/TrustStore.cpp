#include "publish/core/TrustStore.h"

#include "platform/UserStore.h"

namespace {

// Host names hold no "\", but a typed one must not address another key.
QString hostKey(const QString& host, int port)
{
    return QLatin1String(TrustedHostsKey) + '\\' + QString(host.trimmed()).replace('\\', '_') + ':' +
           QString::number(port);
}

} // namespace

QStringList trustedFingerprints(UserStore& store, const QString& host, int port)
{
    const QString key = hostKey(host, port);
    QStringList result;
    for (const QString& name : store.valueNames(key))
        result << store.readValue(key, name).value_or(QString());
    result.removeAll(QString());
    return result;
}

bool trustFingerprint(UserStore& store, const QString& host, int port, const QString& fingerprint)
{
    const QString key = hostKey(host, port);
    const QStringList known = trustedFingerprints(store, host, port);
    if (known.contains(fingerprint))
        return true;
    return store.writeValue(key, QStringLiteral("Key ") + QString::number(known.size()), fingerprint);
}
