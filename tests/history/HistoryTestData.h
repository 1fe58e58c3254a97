#pragma once

#include "history/DailySummary.h"
#include "platform/VmStats.h"

#include <QFile>
#include <QString>

#include <string>

namespace Dunmorra::Test {

inline std::string readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().toStdString();
}

// The kernel's memory counters of a machine with `totalGiB` of memory, of
// which `availableGiB` are available.
inline Platform::VmStats memoryCounters(std::uint64_t totalGiB, std::uint64_t availableGiB)
{
    Platform::VmStats stats;
    stats.memTotal = totalGiB << 30;
    stats.memAvailable = availableGiB << 30;
    stats.hasMemAvailable = true;
    return stats;
}

// The summary that tests/fixtures/history/2026-12-09.json holds.
inline DailySummary sampleDay()
{
    DailySummary s;
    s.date = 818467200;
    HourBucket b = HourBucket::forHour(9);
    b.cpu = {37.5, 2, 21.25, 818502072};
    b.memoryGB = {26.6, 2, 13.4, 818502012};
    b.batteryPercent = {174, 2, 87, 818502012};
    b.networkUpBytes = 1200000;
    b.networkDownBytes = 5400000;
    b.diskReadBytes = 3000000;
    b.diskWriteBytes = 900000;
    s.hours.push_back(b);
    s.processes[QStringLiteral("Finder")] = {QStringLiteral("Finder"), 3.5, 2, 209715200};
    s.networkSSIDs[QStringLiteral("Home")] = {1200000, 5400000};
    s.diskTotalBytes = 994662584320;
    s.diskUsedBytes = 512000000000;
    s.diskFreeBytes = 482662584320;
    s.uptimeDays = 2;
    s.uptimeHours = 5;
    s.uptimeMinutes = 17;
    s.batteryHealthPercent = 92;
    return s;
}

} // namespace Dunmorra::Test
