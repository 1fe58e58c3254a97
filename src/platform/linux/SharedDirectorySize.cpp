#include "platform/SharedDirectorySize.h"

#include "platform/linux/DirectoryWalkParts.h"

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_set>

namespace Dunmorra::Platform {

using namespace Walk;

namespace {

// What one folder has added up so far, from whichever threads walk it.
struct Tally {
    std::atomic<std::uint64_t> bytes{0};
    std::atomic<std::int64_t> files{0};
    std::atomic<int> pending{1}; // directories taken or queued, not finished
    std::atomic<bool> unreadable{false};
    std::atomic<bool> incomplete{false};
    std::mutex linkedMutex;
    std::unordered_set<InodeKey, InodeKeyHash> linked;

    // A file with several names counts once per total, as du counts it.
    bool firstSighting(const struct stat& st)
    {
        if (st.st_nlink <= 1)
            return true;
        std::lock_guard lock(linkedMutex);
        return linked.insert(InodeKey{st.st_dev, st.st_ino}).second;
    }

    void add(std::uint64_t moreBytes, std::int64_t moreFiles)
    {
        std::uint64_t current = bytes.load(std::memory_order_relaxed);
        while (!bytes.compare_exchange_weak(current, saturatingAdd(current, moreBytes), std::memory_order_relaxed)) {
        }
        files.fetch_add(moreFiles, std::memory_order_relaxed);
    }

    DirectorySize size() const
    {
        DirectorySize s;
        s.totalBytes = bytes.load();
        s.fileCount = files.load();
        s.unreadable = unreadable.load();
        s.incomplete = incomplete.load() && !s.unreadable;
        return s;
    }
};

// A directory read whose sub-directories are still to be read. They are
// opened relative to it, never by a path from the root: a directory on the
// way that is swapped for a link meanwhile is then not followed. While the
// budget allows, it keeps its descriptor open until the last unit below it
// is done; past the budget it is reopened by name from its nearest open
// ancestor for each such unit, and checked to be the same directory.
struct Directory {
    std::shared_ptr<const Directory> parent; // none for a folder itself
    std::string name;                        // in parent, or a folder's path
    InodeKey key{};
    int fd = -1;
    std::atomic<int>* keptOpen = nullptr; // the budget its descriptor counts in

    ~Directory()
    {
        if (fd >= 0) {
            ::close(fd);
            keptOpen->fetch_sub(1, std::memory_order_relaxed);
        }
    }
};

// Descriptors the walk keeps open across directories: well inside the
// process's usual limit of 1024, which the rest of the program shares.
constexpr int kKeptOpenBudget = 128;

// A descriptor of `dir`: its own (`owned` false), or one reopened from the
// nearest open ancestor (`owned` true: the caller closes it). -1 when it is
// gone or is no longer the same directory.
int descriptorOf(const Directory& dir, bool& owned)
{
    owned = false;
    if (dir.fd >= 0)
        return dir.fd;
    int fd = -1;
    if (!dir.parent) {
        fd = ::open(dir.name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    } else {
        bool parentOwned = false;
        const int parentFd = descriptorOf(*dir.parent, parentOwned);
        if (parentFd < 0)
            return -1;
        fd = ::openat(parentFd, dir.name.c_str(), kSubdirFlags);
        if (parentOwned)
            ::close(parentFd);
    }
    if (fd < 0)
        return -1;
    struct stat st;
    if (::fstat(fd, &st) != 0 || st.st_dev != dir.key.dev || st.st_ino != dir.key.ino) {
        ::close(fd);
        return -1;
    }
    owned = true;
    return fd;
}

// One directory to read: a folder itself, or a directory below it.
struct Unit {
    std::size_t folder = 0;
    std::shared_ptr<const Directory> parent; // none for a folder itself
    std::string name;                        // in parent, or the folder's path
    std::vector<InodeKey> ancestors;         // the directories above it, up to the folder
    dev_t parentDev = 0;
    bool isFolder = false;
};

} // namespace

struct SharedDirectorySize::State {
    std::vector<std::string> folders;
    std::vector<std::unique_ptr<Tally>> tallies;
    MountTable mounts;
    std::atomic<int> keptOpen{0};

    std::mutex mutex;
    std::condition_variable wake;
    std::vector<Unit> queued; // directories below folders, newest last
    std::size_t nextFolder = 0;
    int busy = 0; // threads reading a directory, which may queue more

    // Reads one directory: counts its files into the folder's tally and
    // hands back the directories below it.
    void read(const Unit& unit, const std::atomic<bool>& cancelled, char* buffer, std::vector<Unit>& below);
};

SharedDirectorySize::SharedDirectorySize(std::vector<std::string> folders, const MountTable* mounts)
    : m(std::make_unique<State>())
{
    m->mounts = mounts ? *mounts : MountTable::read();
    m->folders = std::move(folders);
    m->tallies.reserve(m->folders.size());
    for (std::size_t i = 0; i < m->folders.size(); ++i)
        m->tallies.push_back(std::make_unique<Tally>());
}

SharedDirectorySize::~SharedDirectorySize() = default;

void SharedDirectorySize::State::read(const Unit& unit, const std::atomic<bool>& cancelled, char* buffer,
                                      std::vector<Unit>& below)
{
    Tally& tally = *tallies[unit.folder];
    // The folder itself may be reached through a link; nothing below it is.
    int fd = -1;
    if (unit.isFolder) {
        fd = ::open(unit.name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    } else {
        bool parentOwned = false;
        const int parentFd = descriptorOf(*unit.parent, parentOwned);
        if (parentFd < 0) {
            tally.incomplete = true; // the directory above was replaced: its rest is not reached
            return;
        }
        fd = ::openat(parentFd, unit.name.c_str(), kSubdirFlags);
        const int openError = errno;
        if (parentOwned)
            ::close(parentFd);
        errno = openError;
    }
    if (fd < 0) {
        if (unit.isFolder)
            tally.unreadable = true;
        else if (errno != ENOENT && errno != ENOTDIR && errno != ELOOP)
            tally.incomplete = true; // gone or replaced since it was listed: not a failure
        return;
    }
    struct stat self;
    if (::fstat(fd, &self) != 0) {
        ::close(fd);
        (unit.isFolder ? tally.unreadable : tally.incomplete) = true;
        return;
    }
    bool enter = true;
    if (unit.isFolder) {
        enter = !onPseudoFileSystem(fd, self.st_dev, mounts);
    } else {
        for (const InodeKey& above : unit.ancestors) {
            if (above.dev == self.st_dev && above.ino == self.st_ino)
                enter = false; // an ancestor seen again through a bind mount
        }
        if (enter && self.st_dev != unit.parentDev && onPseudoFileSystem(fd, self.st_dev, mounts))
            enter = false;
    }
    if (!enter) {
        ::close(fd);
        return;
    }

    std::uint64_t bytes = 0;
    std::int64_t files = 0;
    std::vector<std::string> subdirs;
    const auto count = [&](const struct stat& st) {
        if (counts(st) && tally.firstSighting(st)) {
            bytes = saturatingAdd(bytes, static_cast<std::uint64_t>(st.st_size));
            ++files;
        }
    };
    const bool whole = forEachEntry(fd, buffer, [&](const char* name, unsigned char type) {
        if (cancelled.load(std::memory_order_relaxed))
            return false;
        if (type == DT_DIR) {
            subdirs.emplace_back(name);
            return true;
        }
        if (type != DT_REG && type != DT_UNKNOWN)
            return true; // links, devices, sockets, fifos add nothing
        struct stat st;
        if (::fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno != ENOENT)
                tally.incomplete = true;
        } else if (S_ISDIR(st.st_mode)) {
            subdirs.emplace_back(name); // a file system that leaves types out
        } else {
            count(st);
        }
        return true;
    });
    if (!whole) {
        // A folder that gave nothing at all could not be read; one that
        // stopped part-way was read in part.
        if (unit.isFolder && bytes == 0 && files == 0 && subdirs.empty())
            tally.unreadable = true;
        else
            tally.incomplete = true;
    }
    tally.add(bytes, files);

    if (subdirs.empty()) {
        ::close(fd);
        return;
    }
    auto dir = std::make_shared<Directory>();
    dir->parent = unit.parent;
    dir->name = unit.name;
    dir->key = InodeKey{self.st_dev, self.st_ino};
    dir->keptOpen = &keptOpen;
    if (keptOpen.fetch_add(1, std::memory_order_relaxed) < kKeptOpenBudget) {
        dir->fd = fd;
    } else {
        keptOpen.fetch_sub(1, std::memory_order_relaxed);
        ::close(fd);
    }
    std::vector<InodeKey> ancestors = unit.ancestors;
    ancestors.push_back(dir->key);
    tally.pending.fetch_add(static_cast<int>(subdirs.size()), std::memory_order_relaxed);
    for (std::string& name : subdirs)
        below.push_back(Unit{unit.folder, dir, std::move(name), ancestors, self.st_dev, false});
}

void SharedDirectorySize::work(const std::atomic<bool>& cancelled, const Done& done)
{
    const auto buffer = std::make_unique<char[]>(kDirentBufferBytes);
    std::vector<Unit> below;
    for (;;) {
        Unit unit;
        {
            std::unique_lock lock(m->mutex);
            for (;;) {
                if (cancelled.load(std::memory_order_relaxed)) {
                    m->wake.notify_all();
                    return;
                }
                // Every folder is started first, so small ones finish early;
                // then the directories queued below the large ones, newest
                // first, which keeps each thread deep in one subtree.
                if (m->nextFolder < m->folders.size()) {
                    const std::size_t i = m->nextFolder++;
                    unit = Unit{i, nullptr, m->folders[i], {}, 0, true};
                    break;
                }
                if (!m->queued.empty()) {
                    unit = std::move(m->queued.back());
                    m->queued.pop_back();
                    break;
                }
                if (m->busy == 0) {
                    m->wake.notify_all(); // nothing left, and nobody can queue more
                    return;
                }
                // Woken by new directories, the end of the work, or to look
                // at the cancellation again.
                m->wake.wait_for(lock, std::chrono::milliseconds(20));
            }
            ++m->busy;
        }

        below.clear();
        m->read(unit, cancelled, buffer.get(), below);

        bool wakeOthers = false;
        {
            std::lock_guard lock(m->mutex);
            for (Unit& u : below)
                m->queued.push_back(std::move(u));
            --m->busy;
            wakeOthers = !below.empty() || m->busy == 0;
        }
        if (wakeOthers)
            m->wake.notify_all();

        Tally& tally = *m->tallies[unit.folder];
        if (tally.pending.fetch_sub(1, std::memory_order_acq_rel) == 1 && !cancelled.load(std::memory_order_relaxed))
            done(unit.folder, tally.size());
    }
}

} // namespace Dunmorra::Platform
