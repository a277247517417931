#include "publish/core/ServerProfileStore.h"

#include "platform/CryptoFix.h"
#include "platform/UserStore.h"

namespace {

QString bookmarkName(int n)
{
    return QStringLiteral("Bookmark ") + QString::number(n);
}

QString keyOf(const QString& subKey)
{
    return QLatin1String(ProfilesKey) + '\\' + subKey;
}

} // namespace

QString boolToText(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

bool textToBool(const QString& text)
{
    return text == QLatin1String("1");
}

QString scramblePassword(const QString& text)
{
    return CryptoFix(text, CryptoFixKey, true);
}

QString unscramblePassword(const QString& text)
{
    return CryptoFix(text, CryptoFixKey, false);
}

ServerProfileStore::ServerProfileStore(UserStore& store) : m_store(store) {}

ServerProfileStore::~ServerProfileStore() = default;

std::unique_ptr<ServerProfileData> ServerProfileStore::readProfile(const QString& keyPath) const
{
    const auto text = [&](const char* name, const QString& fallback = {}) {
        return m_store.readValue(keyPath, QLatin1String(name)).value_or(fallback);
    };
    auto profile = std::make_unique<ServerProfileData>();
    profile->HostName = text("HostName");
    profile->ItemName = text("ItemName", profile->HostName);
    profile->Password = unscramblePassword(text("Password"));
    profile->HostDirName = text("HostDirName");
    profile->LocalDirName = text("LocalDirName");
    profile->Username = text("Username");
    profile->Comment = text("Comment");
    profile->Anonymous = textToBool(text("Anonymous"));
    profile->PassiveMode = textToBool(text("PassiveMode"));
    profile->SavePassword = textToBool(text("SavePassword"));
    profile->Port = text("port", "21").toInt();
    profile->Timeout = text("Timeout", "60").toInt();
    profile->UseNoop = textToBool(text("UseNoop"));
    profile->Secure = textToBool(text("Secure"));
    profile->Protocol = text("Protocol", "0").toInt();
    for (int n = 0;; ++n) {
        const QString value = m_store.readValue(keyPath, bookmarkName(n)).value_or(QString());
        if (value.isEmpty())
            break;
        profile->Bookmarks << value;
    }
    return profile;
}

void ServerProfileStore::loadProfiles()
{
    if (!m_store.keyExists(QLatin1String(ProfilesKey)))
        return;
    for (const QString& subKey : m_store.subKeyNames(QLatin1String(ProfilesKey)))
        m_profiles.push_back(readProfile(keyOf(subKey)));
}

QString ServerProfileStore::subKeyPath(int position) const
{
    const QString& name = at(position).ItemName;
    return keyOf(name.isEmpty() ? QStringLiteral("Untitled ") + QString::number(position) : name);
}

void ServerProfileStore::saveProfile(int position)
{
    const ServerProfileData& p = at(position);
    const QString key = subKeyPath(position);
    for (int n = 0;; ++n) {
        const auto old = m_store.readValue(key, bookmarkName(n));
        if (!old || old->isEmpty() || !m_store.deleteValue(key, bookmarkName(n)))
            break;
    }
    if (!m_store.openKey(key, true))
        return;
    const std::pair<const char*, QString> values[] = {
        {"ItemName", p.ItemName},
        {"HostName", p.HostName},
        {"Username", p.Username},
        {"Port", QString::number(p.Port)},
        {"Timeout", QString::number(p.Timeout)},
        {"LocalDirName", p.LocalDirName},
        {"HostDirName", p.HostDirName},
        {"Anonymous", boolToText(p.Anonymous)},
        {"PassiveMode", boolToText(p.PassiveMode)},
        {"SavePassword", boolToText(p.SavePassword)},
        {"Secure", boolToText(p.Secure)},
        {"Comment", p.Comment},
        {"UseNoop", boolToText(p.UseNoop)},
        {"Protocol", QString::number(p.Protocol)},
        {"Password", p.SavePassword ? scramblePassword(p.Password) : QString()},
    };
    for (const auto& [name, value] : values)
        if (!m_store.writeValue(key, QLatin1String(name), value))
            return;
    for (int n = 0; n < p.Bookmarks.size(); ++n)
        if (!m_store.writeValue(key, bookmarkName(n), p.Bookmarks.at(n)))
            return;
}

bool ServerProfileStore::saveProfiles()
{
    if (!m_store.openKey(QLatin1String(ProfilesKey), true))
        return false;
    for (int i = 0; i < count(); ++i)
        saveProfile(i);
    return true;
}

void ServerProfileStore::eraseProfileKey(const QString& name)
{
    if (name.isEmpty() || name.contains('\\'))
        return;
    m_store.deleteKey(keyOf(name));
}

void ServerProfileStore::eraseProfileKey(int position)
{
    if (position < 0 || position >= count())
        return;
    const QString& name = at(position).ItemName;
    eraseProfileKey(name.isEmpty() ? QStringLiteral("Untitled ") + QString::number(position) : name);
}

bool ServerProfileStore::profileExists(const QString& name) const
{
    return find(name) != nullptr;
}

QString ServerProfileStore::nameProblem(const QString& name, int self) const
{
    if (name.contains('\\'))
        return QStringLiteral("A site name cannot contain \"\\\", please choose another one.");
    if (profileExists(name))
        return QLatin1String(SiteExistsMessage);
    for (int i = 0; i < count(); ++i)
        if (i != self && at(i).ItemName.compare(name, Qt::CaseInsensitive) == 0)
            return QLatin1String(SiteExistsMessage);
    return {};
}

ServerProfileData& ServerProfileStore::append(std::unique_ptr<ServerProfileData> profile)
{
    m_profiles.push_back(std::move(profile));
    return *m_profiles.back();
}

void ServerProfileStore::removeAt(int position)
{
    if (position >= 0 && position < count())
        m_profiles.erase(m_profiles.begin() + position);
}

ServerProfileData* ServerProfileStore::find(const QString& name) const
{
    for (const auto& profile : m_profiles)
        if (profile->ItemName == name)
            return profile.get();
    return nullptr;
}
