#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Dunmorra::Platform {

// One process as the kernel reports it.
struct ProcessRecord {
    std::int32_t pid = 0;
    std::string name;            // UTF-8; the full name where the kernel truncated it
    std::string executablePath;  // empty when unreadable
    std::uint64_t residentBytes = 0;
    std::uint64_t userNanos = 0;     // cumulative user time
    std::uint64_t systemNanos = 0;   // cumulative kernel time
    std::uint64_t startTime = 0;     // clock ticks after boot; with pid, the process identity
};

// Reads <root>/proc/<pid>/... for every process. A process that exits during
// the walk is simply absent; zombies and nameless processes are left out.
class ProcessTable {
public:
    explicit ProcessTable(std::string root = "/");
    std::vector<ProcessRecord> read() const;

private:
    std::string m_root;
    long m_clockTicksPerSecond;
    long m_pageSize;
};

} // namespace Dunmorra::Platform
