#pragma once

#include <QString>

class UserStore;

inline const char* const ProxyKey = "Software\\Velmora Software\\Internet\\Proxy";
inline const char* const OpenProxyError = "Error 4: Could not open the proxy data.";
inline const char* const SaveProxyError = "Error 2: Could not save the proxy data.";

// The proxy or socks server the user reaches the internet through. Kept for the whole run;
// stored and edited only (uploads do not go through it).
struct ProxySettings {
    QString hostName;
    QString login;
    QString password; // plain in memory, scrambled in the store
    QString port;     // the Port box's text
    QString type;     // "Socks4", "Socks5", "Web Standard", "Relay", "Socks4a" or empty
};

// The one instance, shared by every proxy window.
ProxySettings& proxySettings();

// Fills proxySettings() from the store, making the key when missing; false when the key
// cannot be opened or made (the settings then stay as they were).
bool loadProxySettings(UserStore& store);
// Writes proxySettings(); false when the key cannot be opened or made.
bool saveProxySettings(UserStore& store);
