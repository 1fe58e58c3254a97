#pragma once

#include "model/BatterySnapshot.h"
#include "model/Clock.h"
#include "model/HistoryRing.h"
#include "model/PollLoop.h"
#include "platform/PowerSupply.h"

#include <QObject>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace Dunmorra {

// The system battery, refreshed at start and then every 30 s. Most desktops
// have none: hasBattery stays false and the placeholder in current() must not
// be shown or recorded as a measurement.
class BatteryProvider : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool paused READ paused WRITE setPaused NOTIFY pausedChanged)
    Q_PROPERTY(bool hasBattery READ hasBattery NOTIFY hasBatteryChanged)
public:
    // Every system battery; empty when there is none.
    using Reader = std::function<std::vector<Platform::BatteryReading>()>;

    static constexpr int kHistoryCapacity = 60;
    // A longer estimate comes from a rate too small to measure, not from a battery.
    static constexpr std::int64_t kLongestEstimateMinutes = 24 * 60;

    // <root>/sys/class/power_supply.
    static Reader sysfsReader(const std::string& root = "/");

    explicit BatteryProvider(Reader reader = sysfsReader(), const Clock& clock = Clock::system(),
                             QObject* parent = nullptr);

    const BatterySnapshot& current() const { return m_current; }
    const HistoryRing<BatterySnapshot>& history() const { return m_history; }
    bool hasBattery() const { return m_hasBattery; }
    bool paused() const { return m_paused; }
    void setPaused(bool paused);
    const PollLoop& loop() const { return m_loop; }

    void start(std::chrono::milliseconds interval);
    // One pass: publish the battery's state; without a battery nothing changes.
    void refresh();

    // The driver's attributes in the snapshot's units: percent, minutes, mV,
    // signed mA, mAh (energy-reporting batteries through their design voltage,
    // else the present one), health from full over design capacity.
    static BatterySnapshot snapshotFrom(const Platform::BatteryReading& reading);
    // Several batteries read as one, as the desktop's own indicator shows
    // them: charge and rates summed, charging while any charges.
    static BatterySnapshot snapshotFrom(const std::vector<Platform::BatteryReading>& readings);

signals:
    void currentChanged();
    void historyChanged();
    void hasBatteryChanged();
    void pausedChanged();

private:
    Reader m_reader;
    const Clock& m_clock;
    BatterySnapshot m_current = BatterySnapshot::initial();
    HistoryRing<BatterySnapshot> m_history{kHistoryCapacity};
    PollLoop m_loop;
    bool m_hasBattery = false;
    bool m_paused = false;
};

} // namespace Dunmorra
