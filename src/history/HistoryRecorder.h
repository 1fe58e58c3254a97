#pragma once

#include "history/DailySummary.h"
#include "history/DayFile.h"
#include "model/BatterySnapshot.h"
#include "model/CPUSnapshot.h"
#include "model/Clock.h"
#include "model/DeviceCounters.h"
#include "model/DiskSnapshot.h"
#include "model/MemorySnapshot.h"
#include "model/NetworkSnapshot.h"
#include "model/PollLoop.h"
#include "model/SystemUptime.h"

#include <QDate>
#include <QObject>
#include <QPointer>
#include <QString>

#include <chrono>
#include <optional>

namespace Dunmorra {

class BatteryProvider;
class CPUProvider;
class DiskProvider;
class MemoryProvider;
class NetworkProvider;

// Folds the providers' current readings into today's DailySummary once a
// minute and writes it to the day's file every tenth recorded minute and at
// the change of day. The day's byte totals are the kernel's own counters'
// growth from one recorded minute to the next, not the rate of one second
// a minute, which misses or multiplies every burst in between. The summary belongs to a local calendar day (day()); a
// save always writes that day's file, so neither a time-zone change nor a
// clock set back can overwrite another day.
class HistoryRecorder : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::seconds kInterval{60};

    // The cumulative counters a minute's bytes are counted from: the disks'
    // and the counted network interfaces' (DiskProvider::counters(),
    // NetworkProvider::counters()).
    struct Counters {
        DeviceCounters disk;
        DeviceCounters network;
        bool operator==(const Counters&) const = default;
    };

    // Reads today's day file back, or starts an empty summary for today.
    explicit HistoryRecorder(const Clock& clock = Clock::system(),
                             QString directory = DayFile::historyDirectory(),
                             BootTimeReader bootTime = {}, QObject* parent = nullptr);

    const DailySummary& current() const { return m_current; }
    // The local day that current() belongs to.
    QDate day() const { return m_day; }
    const QString& directory() const { return m_directory; }

    // Records from these providers every 60 s, the first step 60 s from now.
    // A provider that is gone makes the step do nothing. The providers'
    // counters as they stand now (their start's reading) are the baseline of
    // the first minute.
    void start(CPUProvider* cpu, MemoryProvider* memory, BatteryProvider* battery, NetworkProvider* network,
               DiskProvider* disk);
    void stop();
    const PollLoop& loop() const { return m_loop; }
    PollLoop& loop() { return m_loop; }

    // One step from the providers' current snapshots.
    void record(const CPUProvider& cpu, const MemoryProvider& memory, const BatteryProvider& battery,
                const NetworkProvider& network, const DiskProvider& disk);
    // One step; battery is empty on a machine without one, whose battery
    // figures are then not recorded. The minute's bytes are what `counters`
    // moved since the previous step's (or the start's) counters; without
    // counters no bytes are added and the previous ones stay the baseline.
    void record(const CPUSnapshot& cpu, const MemorySnapshot& memory, const std::optional<BatterySnapshot>& battery,
                const NetworkSnapshot& network, const DiskSnapshot& disk,
                const std::optional<Counters>& counters = std::nullopt);
    // What the next step counts its bytes from; start() sets it to the
    // providers' counters.
    const Counters& lastCounters() const { return m_lastCounters; }
    void countFrom(Counters baseline) { m_lastCounters = std::move(baseline); }

    // Writes current() to its day's file now, without taking a sample: for
    // quitting and termination signals. A failure is printed; false then.
    bool saveNow();

Q_SIGNALS:
    void recorded();
    // After every successful write of a day's file.
    void saved(QDate day, const Dunmorra::DailySummary& summary);

private:
    void beginDay(QDate day);
    bool save(const DailySummary& summary, QDate day);
    bool keepCopyOfUnreadableFile(const QString& path, QString* error);

    const Clock& m_clock;
    QString m_directory;
    BootTimeReader m_bootTime;
    PollLoop m_loop;
    QPointer<CPUProvider> m_cpu;
    QPointer<MemoryProvider> m_memory;
    QPointer<BatteryProvider> m_battery;
    QPointer<NetworkProvider> m_network;
    QPointer<DiskProvider> m_disk;

    QDate m_day;
    DailySummary m_current;
    Counters m_lastCounters;
    // A day whose file existed but did not decode when it began: its file is
    // copied aside before the first write replaces it.
    QDate m_unreadableDay;
};

} // namespace Dunmorra
