#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;

namespace Dunmorra {

// One Halvorin per user session: two recorders would overwrite each other's
// day files. The first instance holds a lock file in the runtime folder and
// listens on a local socket; a later launch asks it to show its main window
// and steps back.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // key names both the lock file and the socket ("halvorin").
    explicit SingleInstance(const QString& key, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this process is now the one instance. False when another
    // instance runs; it has then been asked to show itself (or could not be
    // reached, in which case we still must not run a second recorder).
    bool acquire();

    // Lets a new instance take over: unlocks and stops listening.
    void release();
    // Takes the lock back after release(), when the new instance did not
    // start; asks nothing of anyone. False when another process took it.
    bool reclaim();
    bool holdsLock() const { return m_lock && m_lock->isLocked(); }

    QString lockPath() const { return m_lockPath; }
    QString serverName() const { return m_serverName; }

Q_SIGNALS:
    // A later launch asked this instance to show its main window.
    void activationRequested();

private:
    bool notifyRunningInstance() const;
    void listen();

    QString m_lockPath;
    QString m_serverName;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
};

} // namespace Dunmorra
