#include "platform/RootVolumeName.h"

#include <QStorageInfo>

namespace Dunmorra::Platform {

RootVolumeName::RootVolumeName(std::string root)
    : m_volume([root = QString::fromStdString(root)]() -> std::optional<Volume> {
        const QStorageInfo storage(root);
        if (!storage.isValid())
            return std::nullopt;
        return Volume{storage.device().toStdString(), storage.name().toStdString()};
    })
{
}

RootVolumeName::RootVolumeName(VolumeReader volume)
    : m_volume(std::move(volume))
{
}

std::optional<std::string> RootVolumeName::read() const
{
    const auto volume = m_volume ? m_volume() : std::nullopt;
    if (!volume)
        return std::nullopt;
    return displayName(*volume);
}

std::optional<std::string> RootVolumeName::displayName(const Volume& volume)
{
    // Debian installs seldom label their file systems: that is no failure,
    // the device stands in for the label.
    if (!volume.label.empty())
        return volume.label;
    const std::string& device = volume.device;
    if (device.empty())
        return std::nullopt;
    // A device node goes by its file name; a dataset or a server share, which
    // are no paths, by their whole name.
    if (device.front() != '/')
        return device;
    const auto slash = device.find_last_of('/');
    if (slash + 1 == device.size())
        return std::nullopt;
    return device.substr(slash + 1);
}

} // namespace Dunmorra::Platform
