#include "model/AudioSnapshot.h"

#include <algorithm>
#include <cmath>

namespace Dunmorra {

const AudioSnapshot& AudioSnapshot::empty()
{
    static const AudioSnapshot snapshot{};
    return snapshot;
}

std::optional<std::int64_t> wholeVolumePercent(float volume)
{
    if (!std::isfinite(volume) || volume < 0)
        return std::nullopt;
    // In double the product is exact for every volume the server can hold, so
    // halves round up just as its own tools round them. An absurd reading is
    // capped rather than overflowing the conversion.
    return static_cast<std::int64_t>(std::min(std::round(static_cast<double>(volume) * 100.0), 1.0e6));
}

QString transportLabel(AudioSnapshot::Device::TransportKind kind)
{
    using K = AudioSnapshot::Device::TransportKind;
    switch (kind) {
    case K::builtIn: return QStringLiteral("Built-in");
    case K::usb: return QStringLiteral("USB");
    case K::bluetooth: return QStringLiteral("Bluetooth");
    case K::bluetoothLE: return QStringLiteral("Bluetooth LE");
    case K::airPlay: return QStringLiteral("AirPlay");
    case K::hdmi: return QStringLiteral("HDMI");
    case K::displayPort: return QStringLiteral("DisplayPort");
    case K::thunderbolt: return QStringLiteral("Thunderbolt");
    case K::virtual_: return QStringLiteral("Virtual");
    case K::unknown: return QStringLiteral("Unknown");
    }
    return QStringLiteral("Unknown");
}

} // namespace Dunmorra
