#include "app/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#include <cstdio>

namespace Dunmorra {

namespace {

constexpr char kShowMessage[] = "show\n";

QString runtimeFolder()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir;
}

} // namespace

SingleInstance::SingleInstance(const QString& key, QObject* parent)
    : QObject(parent)
    , m_lockPath(runtimeFolder() + QLatin1Char('/') + key + QStringLiteral(".lock"))
    , m_serverName(runtimeFolder() + QLatin1Char('/') + key + QStringLiteral(".socket"))
{
}

SingleInstance::~SingleInstance()
{
    if (m_server)
        m_server->close();
}

bool SingleInstance::acquire()
{
    m_lock = std::make_unique<QLockFile>(m_lockPath);
    // Only a dead owner makes the lock stale, never its age: Halvorin runs for weeks.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0)) {
        listen();
        return true;
    }
    if (m_lock->error() == QLockFile::LockFailedError) {
        qint64 pid = 0;
        QString host, app;
        if (m_lock->getLockInfo(&pid, &host, &app))
            std::printf("[HalvorinsApp] already running as process %lld\n", static_cast<long long>(pid));
        notifyRunningInstance();
        m_lock.reset();
        return false;
    }
    // The runtime folder is not writable: run without the guard rather than not at all.
    std::printf("[HalvorinsApp] cannot create %s; running without the single-instance guard\n",
        qPrintable(m_lockPath));
    m_lock.reset();
    listen();
    return true;
}

void SingleInstance::release()
{
    if (m_server) {
        m_server->close();
        delete m_server;
        m_server = nullptr;
    }
    if (m_lock)
        m_lock->unlock();
    m_lock.reset();
}

bool SingleInstance::reclaim()
{
    m_lock = std::make_unique<QLockFile>(m_lockPath);
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        m_lock.reset();
        return false;
    }
    listen();
    return true;
}

bool SingleInstance::notifyRunningInstance() const
{
    // The other instance may hold the lock a moment before it listens.
    for (int attempt = 0; attempt < 20; ++attempt) {
        QLocalSocket socket;
        socket.connectToServer(m_serverName);
        if (socket.waitForConnected(250)) {
            socket.write(kShowMessage);
            socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
            return true;
        }
        QThread::msleep(100);
    }
    return false;
}

void SingleInstance::listen()
{
    // We hold the lock, so any socket file left there is a crashed instance's.
    QLocalServer::removeServer(m_serverName);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_serverName)) {
        std::printf("[HalvorinsApp] cannot listen on %s: %s\n", qPrintable(m_serverName),
            qPrintable(m_server->errorString()));
        return;
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().contains("show"))
                    Q_EMIT activationRequested();
            });
        }
    });
}

} // namespace Dunmorra
