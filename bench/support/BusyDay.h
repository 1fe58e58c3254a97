#pragma once

#include "history/DailySummary.h"
#include "history/DayFile.h"

#include <QDate>
#include <QString>

namespace Dunmorra::Bench {

// A busy day: every hour recorded, 200 process names, 10 networks, figures
// with full-precision fractions as a real day has.
inline DailySummary fullDay(QDate day)
{
    DailySummary s = DailySummary::emptyFor(day);
    double t = s.date;
    for (int h = 0; h < 24; ++h) {
        HourBucket b = HourBucket::forHour(h);
        for (int m = 0; m < 60; ++m, t += 60) {
            b.cpu.add(17.0 + 0.37 * m + h / 7.0, t);
            b.memoryGB.add(11.3 + m / 97.0, t);
            b.batteryPercent.add(80 - h, t);
            b.networkUpBytes += 1234.567 * 60;
            b.networkDownBytes += 9876.543 * 60;
            b.diskReadBytes += 4096.25 * 60;
            b.diskWriteBytes += 1024.75 * 60;
        }
        s.hours.push_back(b);
    }
    for (int p = 0; p < 200; ++p) {
        const QString name = QStringLiteral("process-%1 helper").arg(p);
        s.processes[name] = {name, 3.14159 * p + 0.1, 1440 - p, 123456789ull * (p + 1)};
    }
    for (int n = 0; n < 10; ++n)
        s.networkSSIDs[QStringLiteral("Network %1").arg(n)] = {1.0e6 / 3 * (n + 1), 7.0e6 / 3 * (n + 1)};
    s.diskTotalBytes = 994662584320;
    s.diskUsedBytes = 512000000000;
    s.diskFreeBytes = 482662584320;
    s.uptimeDays = 2;
    s.batteryHealthPercent = 92;
    return s;
}

// The busy day's file for each of the `count` days ending with `last`.
inline void writeBusyDays(const QString& directory, QDate last, int count)
{
    for (int i = 0; i < count; ++i)
        DayFile::write(DayFile::path(last.addDays(-i), directory), fullDay(last.addDays(-i)));
}

} // namespace Dunmorra::Bench
