#pragma once

#include "history/DailySummary.h"

#include <QDate>

namespace Dunmorra {

// One recorded day as the Stats tab charts and exports it. MB is 2^20 bytes,
// converted without rounding.
struct DayStats {
    QDate date;                 // the local day that holds the summary's date
    double avgCPU = 0;          // percent
    double peakCPU = 0;
    double avgMemoryGB = 0;     // units of 2^30 bytes
    double peakMemoryGB = 0;
    double networkUpMB = 0;
    double networkDownMB = 0;
    double diskReadMB = 0;
    double diskWriteMB = 0;

    static DayStats from(const DailySummary& summary);

    bool operator==(const DayStats&) const = default;
};

} // namespace Dunmorra
