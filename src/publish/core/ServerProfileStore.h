#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class UserStore;

// One FTP server profile.
class ServerProfileData {
public:
    QString HostName;
    QString Username;
    QString Password; // plain in memory
    QString HostDirName;
    QString LocalDirName;
    QString Comment;
    QString ItemName;
    int Port = 0;
    int Protocol = 0; // 0 FTP, 1 SFTP, 2 FTP + SSL, 3 FTP + SSL + Data, 4 FTP + SSL Implicit
    int Timeout = 0;
    bool Anonymous = false;
    bool PassiveMode = true;
    bool SavePassword = false;
    bool Secure = false;
    bool UseNoop = false;
    QStringList Bookmarks; // kept as read
};

inline const char* const ProfilesKey = "Software\\Velmora Software\\Internet\\Profiles";
inline const char* const SaveProfilesError = "Error 1: Could not save the server profiles.";
inline const char* const SiteExistsMessage =
    "A site with that name already exists, please choose another one.";

QString boolToText(bool value);
bool textToBool(const QString& text);
QString scramblePassword(const QString& text);
QString unscramblePassword(const QString& text);

// The ordered list of server profiles and its copy in the per-user store. The order is the
// order of the Sites window's tree.
class ServerProfileStore {
public:
    explicit ServerProfileStore(UserStore& store);
    ~ServerProfileStore();

    // Fills the empty list from the store; a missing Profiles key leaves it empty.
    void loadProfiles();
    // Writes every profile; false (nothing written) when the Profiles key cannot be made.
    // A profile that fails to write is skipped.
    bool saveProfiles();
    // Removes the sub-key of the profile at this position (named after it, or its
    // "Untitled n" key when its name is empty), never the Profiles key itself.
    void eraseProfileKey(int position);
    // Removes the sub-key of this name with everything below it; an empty name or one that
    // would address another key does nothing.
    void eraseProfileKey(const QString& name);
    // Exact, case-sensitive, over the whole list.
    bool profileExists(const QString& name) const;
    // Why this name cannot be given to a profile (the one at position `self`, or a new one
    // with -1): the clash message when profileExists, or when another profile's name differs
    // only in letter case (the two would share one sub-key); a message when it holds "\"
    // (it would address a nested key). Empty when the name is fine.
    QString nameProblem(const QString& name, int self) const;

    int count() const { return int(m_profiles.size()); }
    ServerProfileData& at(int position) const { return *m_profiles.at(size_t(position)); }
    ServerProfileData& append(std::unique_ptr<ServerProfileData> profile);
    void removeAt(int position);
    // A profile by its name, or null.
    ServerProfileData* find(const QString& name) const;

private:
    QString subKeyPath(int position) const;
    void saveProfile(int position);
    std::unique_ptr<ServerProfileData> readProfile(const QString& keyPath) const;

    UserStore& m_store;
    std::vector<std::unique_ptr<ServerProfileData>> m_profiles;
};
