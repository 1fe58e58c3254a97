#include "platform/DirectoryListing.h"

#include "platform/DirectorySize.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace Dunmorra::Platform {

DirectoryListing listDirectory(const std::string& path, bool includeHidden,
                               const std::atomic<bool>* cancelled)
{
    DirectoryListing listing;
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        listing.error = errno;
        return listing;
    }
    // The lengths that proc and sysfs report are not stored bytes (kcore
    // claims 128 TiB, every sysfs attribute 4096): list their files as empty.
    struct statfs sfs;
    struct stat self;
    const bool pseudo = (::fstatfs(fd, &sfs) == 0 && isPseudoFileSystem(sfs.f_type))
        || (::fstat(fd, &self) == 0 && MountTable::read().isPseudo(self.st_dev));
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        listing.error = errno;
        ::close(fd);
        return listing;
    }
    for (;;) {
        if (cancelled && cancelled->load(std::memory_order_relaxed)) {
            listing.cancelled = true;
            break;
        }
        errno = 0;
        const dirent* e = ::readdir(dir);
        if (!e) {
            if (errno != 0)
                listing.error = errno;
            break;
        }
        const char* name = e->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        if (!includeHidden && name[0] == '.')
            continue;
        if (e->d_type == DT_LNK)
            continue;
        DirectoryEntry entry;
        entry.name = name;
        struct stat st;
        if (::fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) == 0) {
            if (S_ISLNK(st.st_mode))
                continue;
            entry.isDirectory = S_ISDIR(st.st_mode);
            if (!entry.isDirectory && !pseudo && st.st_size > 0)
                entry.sizeBytes = static_cast<std::uint64_t>(st.st_size);
        }
        listing.entries.push_back(std::move(entry));
    }
    ::closedir(dir);
    if (listing.error != 0)
        listing.entries.clear();
    return listing;
}

} // namespace Dunmorra::Platform
