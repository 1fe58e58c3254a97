#include "tabs/ApplicationIcon.h"

#include "platform/ApplicationNames.h"
#include "platform/RunningApplications.h"

#include <QFileInfo>

namespace Dunmorra {

ApplicationIconLookup ApplicationIconLookup::system()
{
    auto desktopIcons = std::make_shared<QHash<QString, QString>>();
    return {
        [](std::int32_t pid) { return Platform::processIsRunning(pid); },
        [](const QString& appId) { return Platform::runningProcessOfApplication(appId.toStdString()); },
        [](std::int32_t pid) { return QString::fromStdString(Platform::processExecutableName(pid)); },
        [desktopIcons](const QString& appId) {
            auto it = desktopIcons->constFind(appId);
            if (it == desktopIcons->constEnd()) {
                const auto icon = Platform::desktopEntryIcon(appId.toStdString());
                it = desktopIcons->insert(appId, icon ? QString::fromStdString(*icon) : QString());
            }
            return *it;
        },
        [](const QString& nameOrPath) {
            if (QFileInfo(nameOrPath).isAbsolute())
                return QFileInfo::exists(nameOrPath) ? QIcon(nameOrPath) : QIcon();
            return QIcon::hasThemeIcon(nameOrPath) ? QIcon::fromTheme(nameOrPath) : QIcon();
        },
    };
}

QIcon applicationIcon(const AudioSnapshot::AudioProcess& process, const ApplicationIconLookup& lookup)
{
    std::optional<std::int32_t> pid;
    if (process.pid && lookup.isRunning(*process.pid))
        pid = process.pid;
    else if (process.bundleID && !process.bundleID->isEmpty())
        pid = lookup.runningProcessOf(*process.bundleID);
    if (!pid)
        return {};

    const QString executable = lookup.executableName(*pid);
    QStringList candidates;
    // A stream names a theme icon; a path from a stream is not followed.
    if (!process.iconName.contains(QLatin1Char('/')))
        candidates << process.iconName;
    if (process.bundleID)
        candidates << lookup.desktopIcon(*process.bundleID);
    if (!executable.isEmpty())
        candidates << lookup.desktopIcon(executable) << executable;
    for (const QString& candidate : candidates) {
        if (candidate.isEmpty())
            continue;
        const QIcon icon = lookup.resolve(candidate);
        if (!icon.isNull())
            return icon;
    }
    return {};
}

} // namespace Dunmorra
