#pragma once

// Pieces the folder walks share: reading a directory's entries in bulk, the
// identity of an inode, and what a file adds to a total.

#include "platform/DirectorySize.h"
#include "platform/MountTable.h"

#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/vfs.h>
#include <unistd.h>
#include <dirent.h>

namespace Dunmorra::Platform::Walk {

inline constexpr int kSubdirFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
inline constexpr std::size_t kDirentBufferBytes = 64 * 1024;

struct InodeKey {
    dev_t dev;
    ino_t ino;
    bool operator==(const InodeKey&) const = default;
};

struct InodeKeyHash {
    std::size_t operator()(const InodeKey& k) const noexcept
    {
        return std::hash<std::uint64_t>{}(static_cast<std::uint64_t>(k.ino)
                                          ^ (static_cast<std::uint64_t>(k.dev) * 0x9e3779b97f4a7c15ULL));
    }
};

// By the file system's magic, or by the mount table's type for the device
// (devtmpfs shares tmpfs's magic).
inline bool onPseudoFileSystem(int fd, dev_t device, const MountTable& mounts)
{
    struct statfs sfs;
    return (::fstatfs(fd, &sfs) == 0 && isPseudoFileSystem(sfs.f_type)) || mounts.isPseudo(device);
}

// A non-empty regular file: the only kind a total counts.
inline bool counts(const struct stat& st)
{
    return S_ISREG(st.st_mode) && st.st_size >= 1;
}

inline std::uint64_t saturatingAdd(std::uint64_t total, std::uint64_t size)
{
    return size > UINT64_MAX - total ? UINT64_MAX : total + size;
}

// Calls entry(name, d_type) for every entry of the open directory but "."
// and "..", reading them in bulk into `buffer`; entry returns false to stop.
// False when the directory could not be read to its end.
template <typename Entry>
bool forEachEntry(int fd, char* buffer, Entry&& entry)
{
    for (;;) {
        const ssize_t n = ::getdents64(fd, buffer, kDirentBufferBytes);
        if (n == 0)
            return true;
        if (n < 0)
            return false;
        for (ssize_t pos = 0; pos < n;) {
            // linux_dirent64: ino (8), off (8), reclen (2), type (1), name
            const char* rec = buffer + pos;
            unsigned short reclen;
            std::memcpy(&reclen, rec + 16, sizeof reclen);
            const unsigned char type = static_cast<unsigned char>(rec[18]);
            const char* name = rec + 19;
            pos += reclen;
            if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
                continue;
            if (!entry(name, type))
                return true;
        }
    }
}

} // namespace Dunmorra::Platform::Walk
