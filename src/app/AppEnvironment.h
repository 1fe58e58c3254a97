#pragma once

#include "model/Clock.h"

#include <QDate>
#include <QObject>

#include <memory>
#include <string>

namespace Dunmorra {

class AlertsMonitor;
class AudioProvider;
class BatteryProvider;
class CPUProvider;
class DiskProvider;
class FolderProvider;
class HistoricalDataStore;
class HistoryRecorder;
class MemoryProvider;
class NetworkProvider;

// The one root object of the running system: it owns every model object for
// the life of the process, starts all periodic work in its constructor, and
// holds the day the views show (selectedDate). One per process.
class AppEnvironment : public QObject {
    Q_OBJECT
    // Invalid: today, shown live; otherwise a past local day.
    Q_PROPERTY(QDate selectedDate READ selectedDate WRITE setSelectedDate NOTIFY selectedDateChanged)
public:
    // Builds the providers, the folder model, the recorder (which reads
    // today's file back), the store of past days and the alerts monitor,
    // then starts them: CPU every 1 s, memory 2 s, battery 30 s, disk 1 s,
    // network 1 s, audio 3 s, the recorder every 60 s, the alerts every 5 s.
    // The first CPU and memory readings, the first battery refresh and the
    // disk and network baselines are taken before it returns. The clock
    // decides what "today" is. Memory, battery, disk and network figures are
    // read under systemRoot ("/" on a real system, a fixture tree otherwise;
    // the Wi-Fi name of a fixture tree is asked of a NetworkManager on the
    // session bus).
    explicit AppEnvironment(const Clock& clock = Clock::system(), const std::string& systemRoot = "/",
                            QObject* parent = nullptr);
    ~AppEnvironment() override;

    CPUProvider& cpu() const { return *m_cpu; }
    MemoryProvider& memory() const { return *m_memory; }
    BatteryProvider& battery() const { return *m_battery; }
    DiskProvider& disk() const { return *m_disk; }
    NetworkProvider& network() const { return *m_network; }
    FolderProvider& folders() const { return *m_folders; }
    AudioProvider& audio() const { return *m_audio; }
    HistoryRecorder& recorder() const { return *m_recorder; }
    HistoricalDataStore& historyStore() const { return *m_historyStore; }
    AlertsMonitor& alerts() const { return *m_alerts; }
    // The clock that decides what "today" is for every part of the system.
    const Clock& clock() const { return m_clock; }

    QDate selectedDate() const { return m_selectedDate; }
    void setSelectedDate(QDate day);
    // Moves the selected day by `days` calendar days from the selected day,
    // or from today when live. Today or later is live again.
    void shiftSelectedDate(int days);

Q_SIGNALS:
    void selectedDateChanged();

private:
    QDate today() const;

    const Clock& m_clock;
    std::unique_ptr<CPUProvider> m_cpu;
    std::unique_ptr<MemoryProvider> m_memory;
    std::unique_ptr<BatteryProvider> m_battery;
    std::unique_ptr<DiskProvider> m_disk;
    std::unique_ptr<NetworkProvider> m_network;
    std::unique_ptr<FolderProvider> m_folders;
    std::unique_ptr<AudioProvider> m_audio;
    std::unique_ptr<HistoryRecorder> m_recorder;
    std::unique_ptr<HistoricalDataStore> m_historyStore;
    std::unique_ptr<AlertsMonitor> m_alerts;
    QDate m_selectedDate;
};

} // namespace Dunmorra
