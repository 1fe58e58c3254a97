#pragma once

#include "platform/DirectorySize.h"
#include "platform/MountTable.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace Dunmorra::Platform {

// Sizes several folders by the rules of directorySize (each folder's own
// total: non-empty regular files, each inode once, no links followed,
// pseudo file systems and a directory already on its path not entered;
// every directory below a folder opened relative to the one above it),
// walked by any number of threads at once that share the work down to
// single directories. A thread that has no folder of its own left helps
// with the directories of the others, so one large folder takes a fraction
// of what one thread needs for it.
class SharedDirectorySize {
public:
    using Done = std::function<void(std::size_t folder, const DirectorySize& size)>;

    // `mounts`: the mount table that tells pseudo file systems apart; the
    // system's own when none is given.
    explicit SharedDirectorySize(std::vector<std::string> folders, const MountTable* mounts = nullptr);
    ~SharedDirectorySize();
    SharedDirectorySize(const SharedDirectorySize&) = delete;
    SharedDirectorySize& operator=(const SharedDirectorySize&) = delete;

    // Walks until no directory of any folder is left, or until `cancelled`
    // is set (a folder not finished then is never reported). Any number of
    // threads may call it at once; each returns when there is nothing left
    // for it. `done` runs on the calling thread for every folder whose last
    // directory that thread finished, with the folder's index.
    void work(const std::atomic<bool>& cancelled, const Done& done);

private:
    struct State;
    std::unique_ptr<State> m;
};

} // namespace Dunmorra::Platform
