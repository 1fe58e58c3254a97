#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace Dunmorra {

// Two cumulative byte counters of one device: for a disk, bytes read (in) and
// written (out); for a network interface, bytes received (in) and sent (out).
struct ByteCounts {
    std::uint64_t in = 0;
    std::uint64_t out = 0;

    bool operator==(const ByteCounts&) const = default;
};

// One reading of the kernel's cumulative counters of each counted device, by
// device name. Bytes moved between two readings are taken device by device, so
// a device that appears, vanishes or has its counters reset changes nothing
// but its own share: it never adds its whole counter, nor takes bytes away.
class DeviceCounters {
public:
    DeviceCounters() = default;

    // A later reading of the same device replaces the earlier one.
    void set(const std::string& device, ByteCounts counts) { m_devices[device] = counts; }
    const std::map<std::string, ByteCounts>& devices() const { return m_devices; }
    bool empty() const { return m_devices.empty(); }

    // The bytes moved since an earlier reading: per device and counter, its
    // growth. A counter that fell adds nothing (the next reading counts on
    // from its new value); a device the earlier reading lacks adds nothing
    // (its first reading is its baseline); one that went away adds nothing.
    ByteCounts since(const DeviceCounters& earlier) const;

    bool operator==(const DeviceCounters&) const = default;

private:
    std::map<std::string, ByteCounts> m_devices;
};

} // namespace Dunmorra
