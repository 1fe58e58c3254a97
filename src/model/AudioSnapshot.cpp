#include "model/AudioSnapshot.h"

namespace Dunmorra {

const AudioSnapshot& AudioSnapshot::empty()
{
    static const AudioSnapshot snapshot{};
    return snapshot;
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
