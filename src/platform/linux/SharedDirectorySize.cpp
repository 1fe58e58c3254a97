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

// One directory to read: a folder itself, or a directory below it.
struct Unit {
    std::size_t folder = 0;
    std::string path;
    std::vector<InodeKey> ancestors; // the directories above it, up to the folder
    dev_t parentDev = 0;
    bool isFolder = false;
};

} // namespace

struct SharedDirectorySize::State {
    std::vector<std::string> folders;
    std::vector<std::unique_ptr<Tally>> tallies;

    std::mutex mutex;
    std::condition_variable wake;
    std::vector<Unit> queued; // directories below folders, newest last
    std::size_t nextFolder = 0;
    int busy = 0; // threads reading a directory, which may queue more

    // Reads one directory: counts its files into the folder's tally and
    // hands back the directories below it.
    void read(const Unit& unit, const std::atomic<bool>& cancelled, char* buffer, std::vector<Unit>& below);
};

SharedDirectorySize::SharedDirectorySize(std::vector<std::string> folders)
    : m(std::make_unique<State>())
{
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
    const int fd = ::open(unit.path.c_str(), unit.isFolder ? (O_RDONLY | O_DIRECTORY | O_CLOEXEC) : kSubdirFlags);
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
        enter = !onPseudoFileSystem(fd);
    } else {
        for (const InodeKey& above : unit.ancestors) {
            if (above.dev == self.st_dev && above.ino == self.st_ino)
                enter = false; // an ancestor seen again through a bind mount
        }
        if (enter && self.st_dev != unit.parentDev && onPseudoFileSystem(fd))
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
    ::close(fd);
    if (!whole) {
        // A folder that gave nothing at all could not be read; one that
        // stopped part-way was read in part.
        if (unit.isFolder && bytes == 0 && files == 0 && subdirs.empty())
            tally.unreadable = true;
        else
            tally.incomplete = true;
    }
    tally.add(bytes, files);

    if (subdirs.empty())
        return;
    std::vector<InodeKey> ancestors = unit.ancestors;
    ancestors.push_back(InodeKey{self.st_dev, self.st_ino});
    const std::string prefix = unit.path == "/" ? unit.path : unit.path + '/';
    tally.pending.fetch_add(static_cast<int>(subdirs.size()), std::memory_order_relaxed);
    for (std::string& name : subdirs)
        below.push_back(Unit{unit.folder, prefix + name, ancestors, self.st_dev, false});
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
                    unit = Unit{i, m->folders[i], {}, 0, true};
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
