#pragma once

#include <QString>

#include <cstdint>

namespace Dunmorra {

struct ProcessEntry {
    std::int32_t pid = 0;            // always at least 1
    QString name;                    // never empty
    QString executablePath;          // may be empty
    std::uint64_t memoryBytes = 0;
    std::uint64_t tickUser = 0;      // nanoseconds
    std::uint64_t tickSys = 0;       // nanoseconds
    std::uint64_t startTime = 0;     // tells a reused pid from the process it replaced
};

// The CPU provider's memory of one process between two passes.
struct ProcessTick {
    std::uint64_t user = 0;
    std::uint64_t sys = 0;
    double time = 0;                 // seconds since 2001-01-01 of the scan it came from
    std::uint64_t startTime = 0;
};

} // namespace Dunmorra
