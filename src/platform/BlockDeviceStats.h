#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Dunmorra::Platform {

struct DiskCounters {
    std::string name; // as diskstats names it: sda, nvme0n1, vda
    std::uint64_t readBytes = 0;
    std::uint64_t writeBytes = 0;
};

// Cumulative bytes read and written by each physical disk, from
// <root>/proc/diskstats. Only whole disks backed by hardware count (those with
// a `device` link in <root>/sys/block): partitions, loop, ram, zram, device
// mapper and md arrays sit on top of a disk or in RAM and would count twice.
// Not thread-safe: it keeps its read buffer between calls.
class BlockDeviceStats {
public:
    explicit BlockDeviceStats(std::string root = "/");
    // One row per disk in the kernel's order; none when diskstats or the block
    // directory cannot be read, an empty list when there is no disk.
    std::optional<std::vector<DiskCounters>> read() const;

    static bool isVirtualName(std::string_view name);

private:
    std::string m_root;
    std::string m_blockDir;
    mutable std::string m_buffer;
};

} // namespace Dunmorra::Platform
