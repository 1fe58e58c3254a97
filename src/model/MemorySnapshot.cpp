#include "model/MemorySnapshot.h"

namespace Dunmorra {

const MemorySnapshot& MemorySnapshot::initial()
{
    static const MemorySnapshot snapshot{
        13'312'000'000ULL, 34'359'738'368ULL, MemoryPressure::nominal,
        8'000'000'000ULL, 3'400'000'000ULL, 1'200'000'000ULL, 0, 0, {},
    };
    return snapshot;
}

QString pressureRawValue(MemorySnapshot::MemoryPressure pressure)
{
    switch (pressure) {
    case MemorySnapshot::MemoryPressure::nominal: return QStringLiteral("nominal");
    case MemorySnapshot::MemoryPressure::warning: return QStringLiteral("warning");
    case MemorySnapshot::MemoryPressure::critical: return QStringLiteral("critical");
    }
    return QStringLiteral("nominal");
}

std::optional<MemorySnapshot::MemoryPressure> pressureFromRawValue(const QString& raw)
{
    if (raw == QLatin1String("nominal"))
        return MemorySnapshot::MemoryPressure::nominal;
    if (raw == QLatin1String("warning"))
        return MemorySnapshot::MemoryPressure::warning;
    if (raw == QLatin1String("critical"))
        return MemorySnapshot::MemoryPressure::critical;
    return std::nullopt;
}

} // namespace Dunmorra
