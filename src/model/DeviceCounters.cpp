#include "model/DeviceCounters.h"

#include "model/CounterMath.h"

namespace Dunmorra {

ByteCounts DeviceCounters::since(const DeviceCounters& earlier) const
{
    ByteCounts moved;
    for (const auto& [device, now] : m_devices) {
        const auto before = earlier.m_devices.find(device);
        if (before == earlier.m_devices.end())
            continue;
        moved.in = addSaturated(moved.in, subtractClamped(now.in, before->second.in));
        moved.out = addSaturated(moved.out, subtractClamped(now.out, before->second.out));
    }
    return moved;
}

} // namespace Dunmorra
