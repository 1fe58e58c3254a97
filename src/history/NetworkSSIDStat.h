#pragma once

namespace Dunmorra {

// Bytes moved while on one network (Wi-Fi name or connection label).
struct NetworkSSIDStat {
    double uploadBytes = 0;
    double downloadBytes = 0;

    double totalBytes() const { return uploadBytes + downloadBytes; }

    bool operator==(const NetworkSSIDStat&) const = default;
};

} // namespace Dunmorra
