#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <optional>

namespace Dunmorra {

class SingleInstance;

// Restarts the application so that a new interface language takes effect.
// The new instance reads today's day file at start and must be able to take
// the single-instance lock, so the order is: save the day, release the lock,
// start the new instance, and only then quit.
class Relauncher : public QObject {
    Q_OBJECT
public:
    // Starts program detached; false (with the reason) when it did not start.
    using StartProcess = std::function<bool(const QString& program, const QStringList& arguments, QString* error)>;

    // quit runs 1 s after a successful start (default: the application's quit).
    Relauncher(SingleInstance& instance, std::function<void()> saveDay,
        StartProcess start = startDetached, std::function<void()> quit = {}, QObject* parent = nullptr);

    // The error text when the new instance could not start; this instance
    // then takes its lock back and keeps running. On success it quits 1 s later.
    std::optional<QString> relaunch();

    static bool startDetached(const QString& program, const QStringList& arguments, QString* error);

    // The wait between a successful start and the quit; 1 s unless a test
    // shortens it.
    void setQuitDelay(std::chrono::milliseconds delay) { m_quitDelay = delay; }

    // The new instance learns from its environment that it was started from
    // the Settings tab, so it opens its main window there instead of coming
    // up in the tray only, which would look like a crash.
    static constexpr char kFromSettingsVariable[] = "HALVORIN_RELAUNCHED_FROM";
    // True once in a process started by relaunch(); the variable is removed,
    // so a program this one starts does not inherit it.
    static bool takeSettingsRequest();

private:
    SingleInstance& m_instance;
    std::function<void()> m_saveDay;
    StartProcess m_start;
    std::function<void()> m_quit;
    std::chrono::milliseconds m_quitDelay{1000};
};

} // namespace Dunmorra
