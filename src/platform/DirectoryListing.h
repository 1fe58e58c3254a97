#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace Dunmorra::Platform {

// One direct child of a listed folder. Names are the raw bytes the file
// system holds, which need not be valid UTF-8.
struct DirectoryEntry {
    std::string name;
    bool isDirectory = false;
    std::uint64_t sizeBytes = 0; // files only; 0 when unknown
};

struct DirectoryListing {
    std::vector<DirectoryEntry> entries; // in the order the folder returns them
    int error = 0;                       // errno when the folder could not be read
    bool cancelled = false;
};

// A shallow listing of `path`: symbolic links are left out, whatever they
// point to; "." and ".." too. Hidden entries (names starting with a dot)
// only with `includeHidden`. A child whose attributes cannot be read is a
// file of 0 bytes, and so is every file of a pseudo file system (proc,
// sysfs, ...), whose lengths are not stored bytes. `cancelled` is tested
// before every child.
DirectoryListing listDirectory(const std::string& path, bool includeHidden,
                               const std::atomic<bool>* cancelled = nullptr);

} // namespace Dunmorra::Platform
