#include "publish/core/ProxySettings.h"

#include "platform/UserStore.h"
#include "publish/core/ServerProfileStore.h"

ProxySettings& proxySettings()
{
    static ProxySettings settings;
    return settings;
}

bool loadProxySettings(UserStore& store)
{
    const QString key = QLatin1String(ProxyKey);
    if (!store.openKey(key, true))
        return false;
    const auto text = [&](const char* name) {
        return store.readValue(key, QLatin1String(name)).value_or(QString());
    };
    ProxySettings& s = proxySettings();
    s.hostName = text("proxyhostname");
    s.login = text("proxylogin");
    s.password = unscramblePassword(text("proxypassword"));
    s.port = text("proxyport");
    s.type = text("proxytype");
    return true;
}

bool saveProxySettings(UserStore& store)
{
    const QString key = QLatin1String(ProxyKey);
    if (!store.openKey(key, true))
        return false;
    const ProxySettings& s = proxySettings();
    return store.writeValue(key, "proxyhostname", s.hostName) &&
           store.writeValue(key, "proxylogin", s.login) && store.writeValue(key, "proxytype", s.type) &&
           store.writeValue(key, "proxyport", s.port) &&
           store.writeValue(key, "proxypassword", scramblePassword(s.password));
}
