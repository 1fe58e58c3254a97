#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace Dunmorra::Platform {

struct DiskTotals {
    std::uint64_t readBytes = 0;
    std::uint64_t writeBytes = 0;
};

// Cumulative bytes read and written by the physical disks, from
// <root>/proc/diskstats. Only whole disks backed by hardware count (those with
// a `device` link in <root>/sys/block): partitions, loop, ram, zram, device
// mapper and md arrays sit on top of a disk or in RAM and would count twice.
// Not thread-safe: it keeps its read buffer between calls.
class BlockDeviceStats {
public:
    explicit BlockDeviceStats(std::string root = "/");
    // None when diskstats or the block directory cannot be read; no disks is (0, 0).
    std::optional<DiskTotals> read() const;

    static bool isVirtualName(std::string_view name);

private:
    std::string m_root;
    std::string m_blockDir;
    mutable std::string m_buffer;
};

} // namespace Dunmorra::Platform
