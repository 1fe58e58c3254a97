#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace Dunmorra::Platform {

// The kernel's memory counters, in bytes. Fields the running kernel does not
// report read 0 (hasMemAvailable tells the one whose absence matters).
struct VmStats {
    std::uint64_t memTotal = 0;
    std::uint64_t memFree = 0;
    std::uint64_t memAvailable = 0;
    bool hasMemAvailable = false;
    std::uint64_t buffers = 0;
    std::uint64_t cached = 0;
    std::uint64_t sReclaimable = 0;
    std::uint64_t shmem = 0;
    std::uint64_t sUnreclaim = 0;
    std::uint64_t kernelStack = 0;
    std::uint64_t pageTables = 0;
    std::uint64_t secPageTables = 0;
    std::uint64_t percpu = 0;
    std::uint64_t zswap = 0;         // compressed pool of zswap
    std::uint64_t swapTotal = 0;
    std::uint64_t swapFree = 0;
    std::uint64_t zramUsed = 0;      // RAM held by every zram device
};

// Reads <root>/proc/meminfo and <root>/sys/block/zram*/mm_stat. Not thread-safe:
// it keeps its read buffer between calls.
class VmStatsReader {
public:
    explicit VmStatsReader(std::string root = "/");
    // None when meminfo cannot be read or has no MemTotal.
    std::optional<VmStats> read() const;

private:
    std::string m_root;
    mutable std::string m_buffer;
    // Listing sysfs costs more than reading meminfo, so the zram devices are
    // looked up again only every so many reads.
    mutable std::vector<std::string> m_zramStats;
    mutable int m_readsSinceListing = -1;
};

} // namespace Dunmorra::Platform
