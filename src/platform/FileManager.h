#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QStringList>

#include <chrono>
#include <functional>

namespace Dunmorra::Platform {

// The desktop's file manager, asked over the session bus to show files
// selected in their folders (org.freedesktop.FileManager1). Nothing is run
// and no shell is involved: the file manager that owns the name does it.
class FileManager final {
public:
    static constexpr char kService[] = "org.freedesktop.FileManager1";
    static constexpr char kPath[] = "/org/freedesktop/FileManager1";

    explicit FileManager(QDBusConnection bus = QDBusConnection::sessionBus(),
                         std::chrono::milliseconds deadline = std::chrono::seconds(3));

    // Sends ShowItems for the file: URIs and returns at once. `done` runs
    // later on the thread of `context` (not at all once it is gone): true when
    // the file manager took the request; false when none answered in time,
    // it refused, or there is no bus.
    void showItems(const QStringList& uris, const QString& startupId, QObject* context,
                   std::function<void(bool shown)> done) const;

private:
    QDBusConnection m_bus;
    int m_deadlineMs;
};

} // namespace Dunmorra::Platform
