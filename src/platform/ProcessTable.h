#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace Dunmorra::Platform {

// One process as the kernel reports it.
struct ProcessRecord {
    std::int32_t pid = 0;
    std::string name;            // UTF-8 as the kernel has it; the full name where the kernel truncated it
    std::string executablePath;  // empty when unreadable
    std::uint64_t residentBytes = 0;
    std::uint64_t userNanos = 0;     // cumulative user time
    std::uint64_t systemNanos = 0;   // cumulative kernel time
    std::uint64_t startTime = 0;     // clock ticks after boot; with pid, the process identity
};

// Reads <root>/proc/<pid>/... for every process. A process that exits during
// the walk is simply absent; zombies and nameless processes are left out.
// A process seen before (same pid, start time and kernel name) keeps the
// executable path and full name found for it then, unreadable ones included:
// only its stat record is read again. Not thread-safe: its buffers and that
// memory are reused from one walk to the next.
class ProcessTable {
public:
    // clockTicksPerSecond and pageSize default to the running kernel's.
    explicit ProcessTable(std::string root = "/", long clockTicksPerSecond = 0, long pageSize = 0);

    std::vector<ProcessRecord> read() const;

    // Reads one process; false when it is gone, unreadable, a zombie or nameless.
    bool readProcess(std::int32_t pid, ProcessRecord& out) const;

    // The kernel keeps 15 bytes of a process name.
    static constexpr std::size_t kCommLength = 15;

private:
    // What a walk learnt of one process beyond its stat record.
    struct Known {
        std::uint64_t startTime = 0;
        std::string comm;            // the kernel's name when the rest was resolved
        std::string executablePath;
        std::string name;
        std::uint64_t walk = 0;      // the last walk that saw it
        bool resolved = false;
    };

    bool readProcessIn(int procFd, std::int32_t pid, ProcessRecord& out) const;
    void resolveNames(int procFd, std::size_t dirLength, std::string_view comm, ProcessRecord& out) const;
    std::uint64_t ticksToNanos(std::uint64_t ticks) const;

    std::string m_root;
    std::string m_procDir;
    long m_clockTicksPerSecond;
    long m_pageSize;
    mutable std::string m_path;
    mutable std::string m_buffer;
    mutable std::string m_link;
    mutable std::unordered_map<std::int32_t, Known> m_known;
    mutable std::uint64_t m_walk = 0;
};

} // namespace Dunmorra::Platform
