#pragma once

#include <functional>
#include <optional>
#include <string>

namespace Dunmorra::Platform {

// The display name of the system's volume: its file-system label where it
// has one, otherwise the name of the device it was mounted from
// ("nvme0n1p2", a mapper name, a ZFS dataset).
class RootVolumeName {
public:
    // What the system reports of a mounted volume.
    struct Volume {
        std::string device; // "/dev/nvme0n1p2", "/dev/mapper/crypt-root", "rpool/ROOT/debian"
        std::string label;  // empty when the file system has none
    };
    using VolumeReader = std::function<std::optional<Volume>()>;

    // The volume that holds the folder root ("/": the system's disk), as
    // Qt's storage information reads the mount table and the labels.
    explicit RootVolumeName(std::string root = "/");
    // For a volume whose facts come from elsewhere (a test's).
    explicit RootVolumeName(VolumeReader volume);

    // None when the volume cannot be read or names no device.
    std::optional<std::string> read() const;

    static std::optional<std::string> displayName(const Volume& volume);

private:
    VolumeReader m_volume;
};

} // namespace Dunmorra::Platform
