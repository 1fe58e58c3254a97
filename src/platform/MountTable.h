#pragma once

#include <string>
#include <string_view>
#include <sys/types.h>
#include <unordered_map>

namespace Dunmorra::Platform {

// The file-system type of each mounted device, as the kernel's mount table
// names it. The statfs magic alone cannot tell devtmpfs from tmpfs (both
// report TMPFS_MAGIC), but the table can: /dev is devtmpfs, /dev/shm tmpfs.
class MountTable {
public:
    // Parses the text of /proc/self/mountinfo; lines it cannot read are left out.
    static MountTable parse(std::string_view mountinfo);
    // Reads <root>/proc/self/mountinfo; empty when it cannot be read.
    static MountTable read(const std::string& root = "/");

    // The type of the file system on `device` ("ext4", "devtmpfs"), empty
    // when the table does not know the device.
    std::string typeOf(dev_t device) const;
    // True when the table names a pseudo file system for the device.
    bool isPseudo(dev_t device) const;

private:
    std::unordered_map<dev_t, std::string> m_types;
};

// True for a file-system type name that holds kernel state rather than files.
bool isPseudoFileSystemType(std::string_view type);

} // namespace Dunmorra::Platform
