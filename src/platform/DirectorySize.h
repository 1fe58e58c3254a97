#pragma once

#include "platform/MountTable.h"

#include <atomic>
#include <cstdint>
#include <string>

namespace Dunmorra::Platform {

// What lies below one folder: the apparent sizes of its non-empty regular
// files, hidden ones included, each inode once.
struct DirectorySize {
    std::uint64_t totalBytes = 0;  // saturates at the largest value
    std::int64_t fileCount = 0;
    bool unreadable = false;  // the folder itself could not be opened or read
    bool incomplete = false;  // some entry or folder below it could not be read
    bool cancelled = false;   // the walk stopped early; the figures are partial
};

struct DirectoryWalkLimits {
    // Directory descriptors one walk keeps open at most, and one more for
    // the moment it enters a folder. Deeper trees still walk whole:
    // ancestors are closed and reopened by name when needed.
    int maxOpenDescriptors = 64;
};

// Walks the tree below `path` (a folder; a symbolic link given here is
// followed, none below it is). Directories on pseudo file systems (proc,
// sysfs, devtmpfs, ...: by their magic or by `mounts`, the system's mount
// table when none is given) are not entered, nor a directory already on the
// walk's own path (a bind mount of an ancestor). `cancelled` is tested before
// every entry. Safe to run on any thread; touches nothing shared.
DirectorySize directorySize(const std::string& path,
                            const std::atomic<bool>* cancelled = nullptr,
                            DirectoryWalkLimits limits = {},
                            const MountTable* mounts = nullptr);

// True for a file-system type (statfs f_type) that holds kernel state rather
// than files: its sizes are meaningless (proc's kcore reads as 128 TiB).
bool isPseudoFileSystem(std::int64_t fsType);

} // namespace Dunmorra::Platform
