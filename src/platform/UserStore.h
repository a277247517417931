#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

// Per-user store of keys and text values, the stand-in for the current user's registry.
// Keys are addressed by paths with "\" separators ("Software\Velmora Software\Internet\Profiles").
// Key and value names compare without regard to letter case; sub-keys list sorted that way.
// The whole store is one file, rewritten atomically after every change; a change that
// cannot be saved returns false and leaves the file as it was.
class UserStore {
public:
    // The process-wide store: $XDG_CONFIG_HOME (else ~/.config) + "/Velmora Software/userstore.json".
    static UserStore& instance();
    // Points the process-wide store at another file (tests: a temporary folder).
    static void setInstanceFile(const QString& filePath);

    explicit UserStore(const QString& filePath);
    ~UserStore();

    QString filePath() const;

    // True when the key exists; with create, makes it (and its parents) first.
    // False when it does not exist and could not be made (or the store cannot be read).
    bool openKey(const QString& keyPath, bool create);
    bool keyExists(const QString& keyPath) const;
    std::optional<QString> readValue(const QString& keyPath, const QString& name) const;
    // Creates the key when missing.
    bool writeValue(const QString& keyPath, const QString& name, const QString& value);
    bool deleteValue(const QString& keyPath, const QString& name);
    QStringList valueNames(const QString& keyPath) const;
    QStringList subKeyNames(const QString& keyPath) const;
    // Deletes the key with everything below it; true also when it did not exist.
    bool deleteKey(const QString& keyPath);

    // Re-reads the file (another process may have changed it).
    bool reload();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
