#include "platform/DirectorySize.h"

#include "platform/linux/DirectoryWalkParts.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>
#include <unordered_set>
#include <vector>
#include <dirent.h>

namespace Dunmorra::Platform {

bool isPseudoFileSystem(std::int64_t fsType)
{
    switch (static_cast<std::uint32_t>(fsType)) {
    case 0x00009fa0: // proc
    case 0x62656572: // sysfs
    case 0x00001cd1: // devpts
    case 0x0027e0eb: // cgroup
    case 0x63677270: // cgroup2
    case 0x64626720: // debugfs
    case 0x74726163: // tracefs
    case 0x73636673: // securityfs
    case 0x6165676c: // pstore
    case 0xcafe4a11: // bpf
    case 0xde5e81e4: // efivarfs
    case 0x62656570: // configfs
    case 0x65735543: // fusectl
    case 0x42494e4d: // binfmt_misc
    case 0x19800202: // mqueue
    case 0xf97cff8c: // selinuxfs
    case 0x43415d53: // smackfs
    case 0x6e736673: // nsfs
    case 0x67596969: // rpc_pipefs
        return true;
    default:
        return false;
    }
}

namespace {

using namespace Walk;

// A directory on the walk's current path. Its entries are read completely
// before any of its sub-folders is entered, so only the names of those
// sub-folders are kept, and its descriptor is needed only to open them:
// that is what lets the walk close ancestors to stay within the bound.
struct Frame {
    int fd = -1;
    dev_t dev = 0;
    ino_t ino = 0;
    std::string name;     // relative to the parent frame
    std::string subdirs;  // NUL-terminated names still to enter
    std::size_t next = 0; // offset of the next name in subdirs
};

class Walker {
public:
    Walker(const std::atomic<bool>* cancelled, DirectoryWalkLimits limits, const MountTable& mounts)
        : m_cancelled(cancelled)
        , m_mounts(mounts)
        , m_limit(limits.maxOpenDescriptors < 2 ? 2 : limits.maxOpenDescriptors)
        , m_buffer(new char[kDirentBufferBytes])
    {
    }

    ~Walker()
    {
        for (auto& f : m_stack)
            if (f.fd >= 0)
                ::close(f.fd);
    }

    DirectorySize run(const std::string& path)
    {
        const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) {
            m_result.unreadable = true;
            return m_result;
        }
        struct stat st;
        if (::fstat(fd, &st) != 0) {
            ::close(fd);
            m_result.unreadable = true;
            return m_result;
        }
        if (onPseudoFileSystem(fd, st.st_dev, m_mounts)) {
            ::close(fd);
            return m_result;
        }
        m_stack.push_back(Frame{fd, st.st_dev, st.st_ino, {}, {}, 0});
        m_open = 1;
        if (!readEntries(0) && m_result.totalBytes == 0 && m_result.fileCount == 0
            && m_stack[0].subdirs.empty()) {
            m_result.incomplete = false;
            m_result.unreadable = true;
            return m_result;
        }

        while (!m_stack.empty()) {
            if (stopRequested())
                break;
            Frame& top = m_stack.back();
            if (top.next >= top.subdirs.size()) {
                if (top.fd >= 0) {
                    ::close(top.fd);
                    --m_open;
                }
                m_stack.pop_back();
                continue;
            }
            // Copied: entering the child may grow m_stack and move this frame.
            std::string name(top.subdirs.c_str() + top.next);
            top.next += name.size() + 1;
            enter(m_stack.size() - 1, std::move(name));
        }
        return m_result;
    }

private:
    bool stopRequested()
    {
        if (m_cancelled && m_cancelled->load(std::memory_order_relaxed)) {
            m_result.cancelled = true;
            return true;
        }
        return false;
    }

    void enter(std::size_t parent, std::string name)
    {
        const int parentFd = descriptorOf(parent);
        if (parentFd < 0) {
            m_result.incomplete = true;
            return;
        }
        const int fd = ::openat(parentFd, name.c_str(), kSubdirFlags);
        if (fd < 0) {
            // Gone or replaced by a link or a file since it was read: not a
            // failure to read, just no longer a folder below this one.
            if (errno != ENOENT && errno != ENOTDIR && errno != ELOOP)
                m_result.incomplete = true;
            return;
        }
        struct stat st;
        if (::fstat(fd, &st) != 0) {
            ::close(fd);
            m_result.incomplete = true;
            return;
        }
        for (const auto& f : m_stack) {
            if (f.dev == st.st_dev && f.ino == st.st_ino) {
                ::close(fd); // an ancestor seen again through a bind mount
                return;
            }
        }
        if (st.st_dev != m_stack[parent].dev && onPseudoFileSystem(fd, st.st_dev, m_mounts)) {
            ::close(fd);
            return;
        }
        m_stack.push_back(Frame{fd, st.st_dev, st.st_ino, std::move(name), {}, 0});
        ++m_open;
        closeAncestorsOverLimit();
        readEntries(m_stack.size() - 1);
    }

    // Closes the outermost open ancestors (never the start folder nor the
    // newest frame): they are the ones the walk returns to last.
    void closeAncestorsOverLimit()
    {
        for (std::size_t i = 1; m_open > m_limit && i + 1 < m_stack.size(); ++i) {
            if (m_stack[i].fd >= 0) {
                ::close(m_stack[i].fd);
                m_stack[i].fd = -1;
                --m_open;
            }
        }
    }

    // The frame's descriptor, reopened one name at a time from the nearest
    // open ancestor when it was closed, and checked to be the same folder.
    int descriptorOf(std::size_t i)
    {
        if (m_stack[i].fd >= 0)
            return m_stack[i].fd;
        std::size_t open = i;
        while (m_stack[open].fd < 0)
            --open; // the start folder stays open
        for (std::size_t j = open + 1; j <= i; ++j) {
            Frame& f = m_stack[j];
            const int fd = ::openat(m_stack[j - 1].fd, f.name.c_str(), kSubdirFlags);
            if (fd < 0)
                return -1;
            struct stat st;
            if (::fstat(fd, &st) != 0 || st.st_dev != f.dev || st.st_ino != f.ino) {
                ::close(fd);
                return -1;
            }
            f.fd = fd;
            ++m_open;
            if (m_open > m_limit && j - 1 > open) {
                ::close(m_stack[j - 1].fd);
                m_stack[j - 1].fd = -1;
                --m_open;
            }
        }
        return m_stack[i].fd;
    }

    // Reads every entry of the frame's folder: counts its files and notes its
    // sub-folders. False when the folder could not be read to its end.
    bool readEntries(std::size_t index)
    {
        const int fd = m_stack[index].fd;
        const bool whole = forEachEntry(fd, m_buffer.get(), [&](const char* name, unsigned char type) {
            if (stopRequested())
                return false;
            switch (type) {
            case DT_REG:
                countFile(fd, name);
                break;
            case DT_DIR:
                noteSubdir(index, name);
                break;
            case DT_UNKNOWN: {
                // Some file systems leave the type out of the listing.
                struct stat st;
                if (::fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
                    if (errno != ENOENT)
                        m_result.incomplete = true;
                } else if (S_ISDIR(st.st_mode)) {
                    noteSubdir(index, name);
                } else {
                    add(st);
                }
                break;
            }
            default:
                break; // links, devices, sockets, fifos add nothing
            }
            return true;
        });
        if (!whole)
            m_result.incomplete = true;
        return whole;
    }

    void noteSubdir(std::size_t index, const char* name)
    {
        auto& s = m_stack[index].subdirs;
        s.append(name);
        s.push_back('\0');
    }

    void countFile(int dirFd, const char* name)
    {
        struct stat st;
        if (::fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno != ENOENT)
                m_result.incomplete = true;
            return;
        }
        add(st);
    }

    void add(const struct stat& st)
    {
        if (!counts(st))
            return;
        // A file with several names counts once per total, as du counts it.
        if (st.st_nlink > 1 && !m_linked.insert(InodeKey{st.st_dev, st.st_ino}).second)
            return;
        m_result.totalBytes = saturatingAdd(m_result.totalBytes, static_cast<std::uint64_t>(st.st_size));
        ++m_result.fileCount;
    }

    const std::atomic<bool>* m_cancelled;
    const MountTable& m_mounts;
    int m_limit;
    std::unique_ptr<char[]> m_buffer;
    std::vector<Frame> m_stack;
    int m_open = 0;
    std::unordered_set<InodeKey, InodeKeyHash> m_linked;
    DirectorySize m_result;
};

} // namespace

DirectorySize directorySize(const std::string& path, const std::atomic<bool>* cancelled,
                            DirectoryWalkLimits limits, const MountTable* mounts)
{
    if (mounts)
        return Walker(cancelled, limits, *mounts).run(path);
    const MountTable system = MountTable::read();
    return Walker(cancelled, limits, system).run(path);
}

} // namespace Dunmorra::Platform
