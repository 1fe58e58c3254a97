#pragma once

#include "model/AudioSnapshot.h"

#include <QHash>
#include <QIcon>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace Dunmorra {

// The look-ups behind an audio application's icon, injectable for tests.
struct ApplicationIconLookup {
    std::function<bool(std::int32_t pid)> isRunning;
    std::function<std::optional<std::int32_t>(const QString& appId)> runningProcessOf;
    std::function<QString(std::int32_t pid)> executableName;
    std::function<QString(const QString& appId)> desktopIcon;   // Icon= value, "" if none
    std::function<QIcon(const QString& nameOrPath)> resolve;    // theme name or absolute path

    // The running system; desktop entries are read once per id.
    static ApplicationIconLookup system();
};

// The icon of the application behind an audio stream, or a null icon when
// the application is not running or has no icon (the view then shows its
// fallback symbol). The application is the process of the stream's pid when
// it still runs, else the first running process launched as its app id.
// Its icon: the one the stream names, else its desktop entry's (by app id,
// then by executable name), else a theme icon named like the executable.
QIcon applicationIcon(const AudioSnapshot::AudioProcess& process, const ApplicationIconLookup& lookup);

} // namespace Dunmorra
