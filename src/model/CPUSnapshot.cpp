#include "model/CPUSnapshot.h"

namespace Dunmorra {

const CPUSnapshot& CPUSnapshot::initial()
{
    static const CPUSnapshot snapshot{
        34.0,
        {},
        {
            {1, QStringLiteral("Xcode"), QString(), 18.2, 4'100'000'000ULL},
            {2, QStringLiteral("Chrome Helper"), QString(), 9.1, 892'000'000ULL},
            {3, QStringLiteral("docker"), QString(), 4.3, 2'800'000'000ULL},
        },
    };
    return snapshot;
}

QString ChipInfo::coreSummary(int physical, int perf, int eff)
{
    if (perf >= 1 && eff >= 1)
        return QStringLiteral("%1E + %2P").arg(eff).arg(perf);
    return QString::number(physical);
}

} // namespace Dunmorra
