#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace Dunmorra::Platform {

struct InterfaceCounters {
    std::string name;
    std::uint64_t rxBytes = 0;
    std::uint64_t txBytes = 0;
};

// The kernel's 64-bit byte counters of every interface, from <root>/proc/net/dev,
// in the kernel's order. (getifaddrs' link statistics are 32-bit and wrap at 4 GiB.)
// Not thread-safe: it keeps its read buffers between calls.
class NetworkCounters {
public:
    explicit NetworkCounters(std::string root = "/");
    // Null when the file cannot be read; the rows stay valid until the next call.
    const std::vector<InterfaceCounters>* read() const;

private:
    std::string m_path;
    mutable std::string m_buffer;
    mutable std::vector<InterfaceCounters> m_rows;
};

} // namespace Dunmorra::Platform
