#include "history/HistoryRecorder.h"

#include "history/ReferenceTime.h"
#include "model/BatteryProvider.h"
#include "model/CPUProvider.h"
#include "model/CounterMath.h"
#include "model/DiskProvider.h"
#include "model/MemoryProvider.h"
#include "model/NetworkProvider.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <cstdio>
#include <limits>

namespace Dunmorra {

namespace {

constexpr double kBytesToGB = 0x1p-30;

double finiteOrZero(double value)
{
    return std::isfinite(value) ? value : 0.0;
}

void printSaveFailure(const QString& description)
{
    const QByteArray line = "[HistoryRecorder] save failed: " + description.toUtf8() + '\n';
    std::fputs(line.constData(), stdout);
    std::fflush(stdout);
}

} // namespace

HistoryRecorder::HistoryRecorder(const Clock& clock, QString directory, BootTimeReader bootTime, QObject* parent)
    : QObject(parent)
    , m_clock(clock)
    , m_directory(std::move(directory))
    , m_bootTime(std::move(bootTime))
{
    beginDay(localDateTimeFromUnix(m_clock.wallSeconds()).date());
}

void HistoryRecorder::beginDay(QDate day)
{
    m_day = day;
    m_unreadableDay = QDate();
    const QString path = DayFile::path(day, m_directory);
    if (std::optional<DailySummary> stored = DayFile::read(path)) {
        m_current = std::move(*stored);
        // A file written in another time zone holds that zone's midnight;
        // the record is this day's, so it carries this day's start.
        m_current.date = dayStartReference(day);
        return;
    }
    m_current = DailySummary::emptyFor(day);
    if (!path.isEmpty() && QFileInfo::exists(path))
        m_unreadableDay = day;
}

void HistoryRecorder::start(CPUProvider* cpu, MemoryProvider* memory, BatteryProvider* battery,
                            NetworkProvider* network, DiskProvider* disk)
{
    m_cpu = cpu;
    m_memory = memory;
    m_battery = battery;
    m_network = network;
    m_disk = disk;
    if (m_network && m_disk)
        countFrom(Counters{m_disk->counters(), m_network->counters()});
    m_loop.start(kInterval, [this] {
        if (m_cpu && m_memory && m_battery && m_network && m_disk)
            record(*m_cpu, *m_memory, *m_battery, *m_network, *m_disk);
    });
}

void HistoryRecorder::stop()
{
    m_loop.stop();
}

void HistoryRecorder::record(const CPUProvider& cpu, const MemoryProvider& memory, const BatteryProvider& battery,
                             const NetworkProvider& network, const DiskProvider& disk)
{
    const std::optional<BatterySnapshot> reading
        = battery.hasBattery() ? std::optional<BatterySnapshot>(battery.current()) : std::nullopt;
    record(cpu.current(), memory.current(), reading, network.current(), disk.current(),
           Counters{disk.counters(), network.counters()});
}

void HistoryRecorder::record(const CPUSnapshot& cpu, const MemorySnapshot& memory,
                             const std::optional<BatterySnapshot>& battery, const NetworkSnapshot& network,
                             const DiskSnapshot& disk, const std::optional<Counters>& counters)
{
    // One instant for every time stamp of the step.
    const double nowUnix = m_clock.wallSeconds();
    const double now = referenceFromUnix(nowUnix);
    const QDateTime local = localDateTimeFromUnix(nowUnix);
    const QDate today = local.date();
    const std::int64_t hour = local.time().hour();

    // Calendar days, not instants: a clock set back keeps the day going, and a
    // zone change within the same date is no new day.
    if (today > m_day) {
        save(m_current, m_day);
        beginDay(today);
    }

    std::vector<HourBucket>& hours = m_current.hours;
    if (hours.empty() || hours.back().hour != hour)
        hours.push_back(HourBucket::forHour(hour));
    HourBucket& bucket = hours.back();

    bucket.cpu.add(cpu.usagePercent, now);
    bucket.memoryGB.add(static_cast<double>(memory.usedBytes) * kBytesToGB, now);
    if (battery)
        bucket.batteryPercent.add(static_cast<double>(battery->percent), now);

    // The minute's bytes, device by device since the previous minute. The
    // minute that crosses midnight is the new day's: the day has changed
    // above, so nothing falls between the days or counts in both.
    ByteCounts net;
    ByteCounts io;
    if (counters) {
        net = counters->network.since(m_lastCounters.network);
        io = counters->disk.since(m_lastCounters.disk);
        m_lastCounters = *counters;
    }
    const double up = static_cast<double>(net.out);
    const double down = static_cast<double>(net.in);
    bucket.networkUpBytes += up;
    bucket.networkDownBytes += down;
    if (network.ssid || network.interfaceName == NetworkLabels::wifi || network.interfaceName == NetworkLabels::ethernet) {
        NetworkSSIDStat& stat = m_current.networkSSIDs[network.ssid ? *network.ssid : network.interfaceName];
        stat.uploadBytes += up;
        stat.downloadBytes += down;
    }

    bucket.diskReadBytes += static_cast<double>(io.in);
    bucket.diskWriteBytes += static_cast<double>(io.out);

    // Merged by name only: two entries with one name count twice.
    for (const CPUSnapshot::ProcessInfo& entry : cpu.topProcesses) {
        auto [it, added] = m_current.processes.try_emplace(entry.name);
        HistoricProcess& process = it->second;
        if (added)
            process.name = entry.name;
        if (process.cpuCount < std::numeric_limits<std::int64_t>::max())
            process.cpuCount += 1;
        process.memorySum = addSaturated(process.memorySum, entry.memoryBytes);
        process.cpuSum += finiteOrZero(entry.cpuPercent);
    }

    m_current.diskTotalBytes = disk.volumeTotalBytes;
    m_current.diskUsedBytes = disk.volumeUsedBytes;
    m_current.diskFreeBytes = disk.volumeFreeBytes;
    if (battery)
        m_current.batteryHealthPercent = battery->healthPercent;
    const Uptime uptime = systemUptime(m_clock, m_bootTime);
    m_current.uptimeDays = uptime.days;
    m_current.uptimeHours = uptime.hours;
    m_current.uptimeMinutes = uptime.minutes;

    if (m_current.recordedMinutes() % 10 == 0)
        save(m_current, m_day);
    Q_EMIT recorded();
}

bool HistoryRecorder::saveNow()
{
    return save(m_current, m_day);
}

bool HistoryRecorder::save(const DailySummary& summary, QDate day)
{
    const QString path = DayFile::path(day, m_directory);
    // A summary without a single minute adds nothing to a file that is there
    // (one that could not be read at start, say): leave that file alone.
    if (summary.hours.empty() && !path.isEmpty() && QFileInfo::exists(path))
        return true;
    if (m_unreadableDay == day) {
        QString error;
        if (!keepCopyOfUnreadableFile(path, &error)) {
            printSaveFailure(error);
            return false;
        }
        m_unreadableDay = QDate();
    }
    if (const std::optional<QString> error = DayFile::write(path, summary)) {
        printSaveFailure(*error);
        return false;
    }
    Q_EMIT saved(day, summary);
    return true;
}

// The day's file could not be decoded, but it may still be all the user has
// of that day: it is renamed to "<name>.unreadable" (or .unreadable-2, …)
// instead of being overwritten.
bool HistoryRecorder::keepCopyOfUnreadableFile(const QString& path, QString* error)
{
    if (!QFileInfo::exists(path))
        return true;
    QString target = path + QStringLiteral(".unreadable");
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = path + QStringLiteral(".unreadable-%1").arg(n);
    QFile file(path);
    if (file.rename(target))
        return true;
    *error = QCoreApplication::translate("Dunmorra::HistoryRecorder", "could not keep the unreadable file %1: %2")
                 .arg(path, file.errorString());
    return false;
}

} // namespace Dunmorra
