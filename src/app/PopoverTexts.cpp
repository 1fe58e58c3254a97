#include "app/PopoverTexts.h"

#include "components/Formatters.h"
#include "platform/NumberText.h"


namespace Dunmorra::PopoverTexts {

namespace {

const QString emDash = QString::fromUtf8("\u2014");

QString upDown(double up, double down)
{
    return QString::fromUtf8("\u25B2 ") + QString::fromStdString(formatBytesPerSecond(up)) + QString::fromUtf8("  \u25BC ")
        + QString::fromStdString(formatBytesPerSecond(down));
}

} // namespace

QString cpuValue(const CPUSnapshot& cpu)
{
    return localePercent(cpu.usagePercent / 100.0, 0);
}

QString memoryValue(const MemorySnapshot& memory)
{
    return fixedPointText(static_cast<double>(memory.usedBytes) / 1073741824.0, 1) + QStringLiteral(" GB");
}

Tint memoryTint(const MemorySnapshot& memory)
{
    switch (memory.pressure) {
    case MemorySnapshot::MemoryPressure::nominal: return Tint::primary;
    case MemorySnapshot::MemoryPressure::warning: return Tint::orange;
    case MemorySnapshot::MemoryPressure::critical: return Tint::red;
    }
    return Tint::primary;
}

QString diskValue(const DiskSnapshot& disk)
{
    return upDown(disk.readBytesPerSec, disk.writeBytesPerSec);
}

Tint diskTint(const DiskSnapshot& disk)
{
    if (disk.volumeTotalBytes == 0)
        return Tint::primary;
    const double used = static_cast<double>(disk.volumeUsedBytes) / static_cast<double>(disk.volumeTotalBytes);
    if (used > 0.9)
        return Tint::red;
    if (used > 0.8)
        return Tint::orange;
    return Tint::primary;
}

QString networkValue(const NetworkSnapshot& network)
{
    return upDown(network.uploadBytesPerSec, network.downloadBytesPerSec);
}

QString ipValue(const NetworkSnapshot& network)
{
    return network.ipAddress.value_or(emDash);
}

QString audioSummary(const AudioSnapshot& audio)
{
    if (!audio.defaultOutput)
        return emDash;
    if (!audio.activeProcesses.isEmpty()) {
        QString names = audio.activeProcesses.at(0).name;
        if (audio.activeProcesses.size() > 1)
            names += QString::fromUtf8(" \u00B7 ") + audio.activeProcesses.at(1).name;
        return names;
    }
    const auto& device = *audio.defaultOutput;
    if (device.isMuted)
        return device.name + QStringLiteral("  Muted");
    if (const auto percent = wholeVolumePercent(device.volume))
        return device.name + QStringLiteral("  ") + QString::number(*percent) + QLatin1Char('%');
    return device.name;
}

QString processPercent(const CPUSnapshot::ProcessInfo& process)
{
    return localePercent(process.cpuPercent / 100.0, 1);
}

} // namespace Dunmorra::PopoverTexts
