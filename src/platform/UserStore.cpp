#include "platform/UserStore.h"
#include "platform/SafeWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <functional>

// The file holds one tree of keys. Every key is an object:
//   {"name": "Profiles", "values": {"<folded name>": {"name": "Port", "value": "21"}},
//    "keys": {"<folded name>": {...}}}
// Members are looked up by the case-folded name, so lookups ignore letter case and the
// sub-key listing comes out sorted that way; "name" keeps the case first written.
namespace {

const char* const formatTag = "tickerine-userstore";
const int formatVersion = 1;

QString fold(const QString& name)
{
    return name.toCaseFolded();
}

QStringList splitPath(const QString& keyPath)
{
    return keyPath.split('\\', Qt::SkipEmptyParts);
}

QJsonObject newKey(const QString& name)
{
    return QJsonObject{{"name", name}, {"values", QJsonObject()}, {"keys", QJsonObject()}};
}

std::optional<QJsonObject> findKey(const QJsonObject& root, const QStringList& parts)
{
    QJsonObject key = root;
    for (const QString& part : parts) {
        const QJsonValue sub = key.value("keys").toObject().value(fold(part));
        if (!sub.isObject())
            return std::nullopt;
        key = sub.toObject();
    }
    return key;
}

using KeyEdit = std::function<bool(QJsonObject& key)>;

// Applies edit to the key at parts[index...] below key, making missing keys when create is
// set; false when a key is missing (and not made) or the edit refuses.
bool editKey(QJsonObject& key, const QStringList& parts, qsizetype index, bool create, const KeyEdit& edit)
{
    if (index == parts.size())
        return edit(key);
    QJsonObject keys = key.value("keys").toObject();
    const QString folded = fold(parts[index]);
    QJsonObject sub;
    if (keys.contains(folded))
        sub = keys.value(folded).toObject();
    else if (create)
        sub = newKey(parts[index]);
    else
        return false;
    if (!editKey(sub, parts, index + 1, create, edit))
        return false;
    keys.insert(folded, sub);
    key.insert("keys", keys);
    return true;
}

bool isValidKey(const QJsonValue& value)
{
    if (!value.isObject())
        return false;
    const QJsonObject key = value.toObject();
    if (!key.value("values").isObject() || !key.value("keys").isObject())
        return false;
    for (const QJsonValue& v : key.value("values").toObject())
        if (!v.toObject().value("name").isString() || !v.toObject().value("value").isString())
            return false;
    for (const QJsonValue& sub : key.value("keys").toObject())
        if (!isValidKey(sub))
            return false;
    return true;
}

} // namespace

struct UserStore::Impl {
    QString filePath;
    QJsonObject root = newKey(QString());
    // A store file that exists but cannot be read is never overwritten: every operation
    // fails until reload() succeeds, so the user's data is not silently replaced.
    bool readable = false;
    // What the file looked like when it was last read or written; a change to it from
    // outside (another instance, the command-line tool) is read in before the next write,
    // so that write does not throw the other one away.
    std::optional<QByteArray> seenBytes; // none: there was no file

    bool load();
    void remember();
    bool changedOnDisk() const;
    bool save(const QJsonObject& newRoot) const;
    bool change(const QString& keyPath, bool create, const KeyEdit& edit);
};

namespace {

// The store file's bytes, or none when there is no readable file.
std::optional<QByteArray> fileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

} // namespace

// The store is small, so comparing its bytes is cheap and, unlike time stamps, exact.
void UserStore::Impl::remember()
{
    seenBytes = fileBytes(filePath);
}

// Only a file that reads and differs counts: one that has gone or cannot be read now holds
// nothing newer than what is in memory.
bool UserStore::Impl::changedOnDisk() const
{
    const auto now = fileBytes(filePath);
    return now && now != seenBytes;
}

bool UserStore::Impl::load()
{
    QFile file(filePath);
    remember();
    if (!file.exists()) {
        root = newKey(QString());
        readable = true;
        return true;
    }
    readable = false;
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    const QJsonObject top = doc.object();
    if (error.error != QJsonParseError::NoError || top.value("format").toString() != formatTag ||
        !isValidKey(top.value("root")))
        return false;
    root = top.value("root").toObject();
    readable = true;
    return true;
}

bool UserStore::Impl::save(const QJsonObject& newRoot) const
{
    if (!QDir().mkpath(QFileInfo(filePath).absolutePath()))
        return false;
    const QJsonObject top{{"format", formatTag}, {"version", formatVersion}, {"root", newRoot}};
    const QByteArray bytes = QJsonDocument(top).toJson(QJsonDocument::Indented);
    // Passwords are kept here (scrambled): the file is for its owner only.
    return SaveFileAtomically(filePath, bytes, nullptr, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

bool UserStore::Impl::change(const QString& keyPath, bool create, const KeyEdit& edit)
{
    if (changedOnDisk())
        load();
    if (!readable)
        return false;
    QJsonObject newRoot = root;
    if (!editKey(newRoot, splitPath(keyPath), 0, create, edit))
        return false;
    if (!save(newRoot))
        return false;
    root = newRoot;
    remember();
    return true;
}

namespace {

QString defaultStoreFile()
{
    QString configHome = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"));
    if (configHome.isEmpty())
        configHome = QDir::homePath() + "/.config";
    return configHome + "/Velmora Software/userstore.json";
}

std::unique_ptr<UserStore>& installedStore()
{
    static std::unique_ptr<UserStore> store;
    return store;
}

} // namespace

UserStore& UserStore::instance()
{
    if (!installedStore())
        installedStore() = std::make_unique<UserStore>(defaultStoreFile());
    return *installedStore();
}

void UserStore::setInstanceFile(const QString& filePath)
{
    installedStore() = std::make_unique<UserStore>(filePath);
}

UserStore::UserStore(const QString& filePath) : d(std::make_unique<Impl>())
{
    d->filePath = filePath;
    d->load();
}

UserStore::~UserStore() = default;

QString UserStore::filePath() const
{
    return d->filePath;
}

bool UserStore::openKey(const QString& keyPath, bool create)
{
    if (!d->readable)
        return false;
    if (keyExists(keyPath))
        return true;
    return create && d->change(keyPath, true, [](QJsonObject&) { return true; });
}

bool UserStore::keyExists(const QString& keyPath) const
{
    return d->readable && findKey(d->root, splitPath(keyPath)).has_value();
}

std::optional<QString> UserStore::readValue(const QString& keyPath, const QString& name) const
{
    if (!d->readable)
        return std::nullopt;
    const auto key = findKey(d->root, splitPath(keyPath));
    if (!key)
        return std::nullopt;
    const QJsonValue value = key->value("values").toObject().value(fold(name));
    if (!value.isObject())
        return std::nullopt;
    return value.toObject().value("value").toString();
}

bool UserStore::writeValue(const QString& keyPath, const QString& name, const QString& value)
{
    return d->change(keyPath, true, [&](QJsonObject& key) {
        QJsonObject values = key.value("values").toObject();
        const QString folded = fold(name);
        const QString storedName =
            values.contains(folded) ? values.value(folded).toObject().value("name").toString() : name;
        values.insert(folded, QJsonObject{{"name", storedName}, {"value", value}});
        key.insert("values", values);
        return true;
    });
}

bool UserStore::deleteValue(const QString& keyPath, const QString& name)
{
    return d->change(keyPath, false, [&](QJsonObject& key) {
        QJsonObject values = key.value("values").toObject();
        if (!values.contains(fold(name)))
            return false;
        values.remove(fold(name));
        key.insert("values", values);
        return true;
    });
}

QStringList UserStore::valueNames(const QString& keyPath) const
{
    QStringList names;
    if (!d->readable)
        return names;
    if (const auto key = findKey(d->root, splitPath(keyPath)))
        for (const QJsonValue& value : key->value("values").toObject())
            names << value.toObject().value("name").toString();
    return names;
}

QStringList UserStore::subKeyNames(const QString& keyPath) const
{
    QStringList names;
    if (!d->readable)
        return names;
    if (const auto key = findKey(d->root, splitPath(keyPath)))
        for (const QJsonValue& sub : key->value("keys").toObject())
            names << sub.toObject().value("name").toString();
    return names;
}

bool UserStore::deleteKey(const QString& keyPath)
{
    QStringList parts = splitPath(keyPath);
    if (!d->readable || parts.isEmpty())
        return false;
    if (!keyExists(keyPath))
        return true;
    const QString last = parts.takeLast();
    return d->change(parts.join('\\'), false, [&](QJsonObject& parent) {
        QJsonObject keys = parent.value("keys").toObject();
        keys.remove(fold(last));
        parent.insert("keys", keys);
        return true;
    });
}

bool UserStore::reload()
{
    return d->load();
}
