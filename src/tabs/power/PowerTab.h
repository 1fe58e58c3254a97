#pragma once

#include "components/TabPage.h"
#include "model/Clock.h"

#include <QString>

namespace Dunmorra {

class BatteryProvider;
class Divider;
class HealthTrendSection;
class IconLabel;
class InfoRow;
class SparklineView;
class StatusDot;
class TextLabel;
class ThinBar;

// The Power page: charge and time left, the power source, the electrical
// readings, the battery's health, its trend over seven days and the charge
// over the last 30 minutes. On a machine without a battery it is one card
// saying so: the provider's placeholder reading is never shown. Reads the
// provider, never writes to it.
class PowerTab : public TabPage {
    Q_OBJECT
public:
    // historyDirectory: where the day files of the health trend are read.
    PowerTab(BatteryProvider& battery, QString historyDirectory, const Clock& clock = Clock::system(),
             QWidget* parent = nullptr);

    // Null while no battery has been found.
    HealthTrendSection* healthTrend() const { return m_trend; }

private:
    QWidget* buildNoBatteryCard();
    void buildBatteryPage();
    QWidget* buildStatusCard();
    QWidget* buildSourceCard();
    QWidget* buildElectricalSection();
    QWidget* buildHealthSection();
    QWidget* buildChargeHistorySection();

    void batteryFound();
    void refreshCurrent();
    void refreshHistory();

    BatteryProvider& m_battery;
    QString m_historyDirectory;
    const Clock& m_clock;

    QWidget* m_noBattery = nullptr;
    bool m_built = false;

    IconLabel* m_batteryTitle = nullptr;
    TextLabel* m_percent = nullptr;
    ThinBar* m_percentBar = nullptr;
    TextLabel* m_detail = nullptr;

    StatusDot* m_statusDot = nullptr;
    TextLabel* m_statusText = nullptr;
    InfoRow* m_powerRow = nullptr;
    InfoRow* m_temperatureRow = nullptr;

    TextLabel* m_voltageTile = nullptr;
    TextLabel* m_currentTile = nullptr;
    TextLabel* m_powerTile = nullptr;
    QWidget* m_temperatureTile = nullptr;
    TextLabel* m_temperatureValue = nullptr;
    Divider* m_temperatureDivider = nullptr;

    InfoRow* m_condition = nullptr;
    InfoRow* m_health = nullptr;
    InfoRow* m_cycles = nullptr;
    InfoRow* m_currentCapacity = nullptr;
    Divider* m_currentCapacityDivider = nullptr;
    InfoRow* m_designCapacity = nullptr;

    HealthTrendSection* m_trend = nullptr;
    SparklineView* m_chargeSparkline = nullptr;
};

} // namespace Dunmorra
