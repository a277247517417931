#pragma once

#include "publish/core/ServerProfileStore.h"

#include <QDialog>
#include <QPointer>

#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
class TwFTP;
class TwindowProxy;

// What the wizard's Finish leaves for addPendingProfile.
struct PendingProfile {
    QString name;
    QString hostName;
    QString userName;
    QString password;
    QString remoteFolder;
    bool anonymous = false;
    bool savePassword = false;
};

// "My Sites": the server profiles, edited in place, added through the wizard, renamed,
// deleted and connected to.
class TserversWindow : public QDialog {
    Q_OBJECT
public:
    // ftp and proxy are the windows of the same publish; they outlive this one.
    TserversWindow(TwFTP* ftp, TwindowProxy* proxy, QWidget* parent = nullptr);
    ~TserversWindow() override;

    ServerProfileStore& Profiles() { return *m_profiles; }
    int currentProfile() const { return m_currentProfile; }
    PendingProfile pendingProfile;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    TwindowProxy* ProxyWindow() const { return m_proxy; }

    void FormCreate();
    void FormShow();
    void showProfile(int position);
    void setProfileFieldsEnabled(bool enabled);
    void addPendingProfile();
    void tvServersChange();
    void tvServersEdited(QTreeWidgetItem* item);
    void btnAddClick();
    void btnDeleteClick();
    void btnConnectClick();
    void btnCloseClick();
    void btnProxyClick();
    void connectSequence();
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    QWidget* buildFields();
    void connectFieldHandlers();
    void fillFields(const ServerProfileData& p);
    ServerProfileData* current() const;
    bool editable() const { return !m_loadingFields && m_currentProfile != -1; }
    void chkAnonymousClick(bool checked);
    void protocolDropChange(int index);
    void browseClick();
    void startEditingSelected();

    std::unique_ptr<ServerProfileStore> m_profiles;
    QPointer<TwFTP> m_ftp;
    QPointer<TwindowProxy> m_proxy;
    int m_currentProfile = -1;
    bool m_loadingFields = false;
    bool m_wizardOpened = false;
    QString m_editedName; // the caption before the in-place edit

    QTreeWidget* tvServers = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_connect = nullptr;
    QPushButton* m_close = nullptr;
    QPushButton* m_proxyButton = nullptr;
    QPushButton* m_browse = nullptr;
    QLineEdit* txtHostName = nullptr;
    QLineEdit* txtUsername = nullptr;
    QLineEdit* txtPassword = nullptr;
    QLineEdit* txtPort = nullptr;
    QSpinBox* txtTimeout = nullptr;
    QLineEdit* txtHostDirName = nullptr;
    QLineEdit* txtLocalDirName = nullptr;
    QLineEdit* txtComment = nullptr;
    QCheckBox* chkAnonymous = nullptr;
    QCheckBox* chkPassiveMode = nullptr;
    QCheckBox* chkSavePassword = nullptr;
    QCheckBox* noop = nullptr;
    QComboBox* protocolDrop = nullptr;
    QWidget* m_fields = nullptr;
};
