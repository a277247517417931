#pragma once

#include <QString>
#include <QStringList>

class UserStore;

inline const char* const TrustedHostsKey = "Software\\Velmora Software\\Internet\\Trusted Hosts";

// The server certificates and SSH host keys the user chose to trust, by host and port.
QStringList trustedFingerprints(UserStore& store, const QString& host, int port);
bool trustFingerprint(UserStore& store, const QString& host, int port, const QString& fingerprint);
