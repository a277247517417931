#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

class QLocalServer;
class QLockFile;
class QWidget;

// Keeps a second copy of the program from running. The first instance holds a lock file and
// listens on a local socket, both in the user's runtime folder; a later start finds the lock,
// tells the first instance to bring its main window forward, and learns that it must end
// without showing a window. A lock left behind by a crashed run belongs to a dead process
// and is taken over, so it never blocks the next start.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // name: the guard's system-wide name; empty means defaultTitle() of the running program.
    explicit SingleInstance(const QString& name = QString(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // The program file's name without folder, cut at its first dot, first letter upper case
    // and every later letter lower case ("/opt/tickerine.bin" gives "Tickerine").
    static QString defaultTitle(const QString& programFile);

    QString name() const { return m_name; }
    // Runs the check once. True: this is the first instance and holds the guard until it is
    // destroyed. False: another instance runs (and has been told), or the guard could not
    // be made; the caller ends without showing a window.
    bool tryToRun();
    bool isFirstInstance() const { return m_first; }

    // The window that the first instance restores, raises and activates on a later start.
    void setMainWindow(QWidget* window);

Q_SIGNALS:
    void anotherInstanceStarted();

private:
    void listen();
    void onNewConnection();
    void bringMainWindowForward();
    bool notifyRunningInstance() const;
    QString runtimePath(const QString& suffix) const;

    QString m_name;
    bool m_checked = false;
    bool m_first = false;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr; // child of this
    QPointer<QWidget> m_mainWindow;
};
