#include "history/DayStats.h"

#include "history/ReferenceTime.h"

namespace Dunmorra {

namespace {
constexpr double kBytesToMB = 0x1p-20;
}

DayStats DayStats::from(const DailySummary& summary)
{
    DayStats row;
    // A summary written in another time zone holds that zone's midnight: the
    // row belongs to the local day of that instant.
    row.date = localDayOfReference(summary.date);
    row.avgCPU = summary.avgCPU();
    row.peakCPU = summary.peakCPU();
    row.avgMemoryGB = summary.avgMemoryGB();
    row.peakMemoryGB = summary.peakMemoryGB();
    row.networkUpMB = summary.totalNetworkUpBytes() * kBytesToMB;
    row.networkDownMB = summary.totalNetworkDownBytes() * kBytesToMB;
    row.diskReadMB = summary.totalDiskReadBytes() * kBytesToMB;
    row.diskWriteMB = summary.totalDiskWriteBytes() * kBytesToMB;
    return row;
}

} // namespace Dunmorra
