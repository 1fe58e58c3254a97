#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace Dunmorra::Platform {

// Cumulative tick counters of one logical CPU since boot.
struct CoreTicks {
    int cpu = 0;              // the N of "cpuN": offline CPUs leave gaps
    std::uint64_t busy = 0;   // user + nice + system + irq + softirq + steal
    std::uint64_t idle = 0;   // idle + iowait

    std::uint64_t total() const { return busy + idle; }
    bool operator==(const CoreTicks&) const = default;
};

// Reads the per-CPU lines of <root>/proc/stat. Not thread-safe: the buffer is
// reused between readings.
class CpuTicksReader {
public:
    explicit CpuTicksReader(std::string root = "/");

    // Empty when the file cannot be read or holds no per-CPU line.
    std::optional<std::vector<CoreTicks>> read() const;

    // Parses the text of a /proc/stat file.
    static std::optional<std::vector<CoreTicks>> parse(const char* begin, const char* end);

private:
    std::string m_path;
    mutable std::string m_buffer;
};

} // namespace Dunmorra::Platform
