#pragma once

#include <QString>

#include <cstdint>

namespace Dunmorra {

struct DiskSnapshot {
    double readBytesPerSec = 0;
    double writeBytesPerSec = 0;
    QString volumeName;                  // the volume mounted at "/"
    std::uint64_t volumeTotalBytes = 0;
    std::uint64_t volumeUsedBytes = 0;   // total - free, never below 0
    std::uint64_t volumeFreeBytes = 0;   // what the user can write

    bool operator==(const DiskSnapshot&) const = default;

    // Until the first pass; "System Disk" of 994,662,400,000 bytes.
    static const DiskSnapshot& initial();
};

} // namespace Dunmorra
