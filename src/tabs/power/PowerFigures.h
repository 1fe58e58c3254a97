#pragma once

#include "model/BatterySnapshot.h"
#include "model/HistoryRing.h"

#include <QColor>
#include <QString>

#include <cstdint>
#include <vector>

namespace Dunmorra::PowerFigures {

// What the Power page derives from one battery reading. Thresholds are
// inclusive where the rules say "at least": 75 % shows the full symbol, 74 %
// the three-quarter one.

// "battery.100percent.bolt" while charging, else by charge in steps of 25.
QString batteryIconName(const BatterySnapshot& battery);
// The charge bar: red below 20 % while not charging, green otherwise.
QColor percentColor(const BatterySnapshot& battery);
// "Fully charged" (small c) when full, else the time left or "Calculating…".
QString statusDetail(const BatterySnapshot& battery);
// The source's dot: green while charging or full, red at 19 % or less,
// the primary colour from 20 % up.
QColor statusColor(const BatterySnapshot& battery);
// "Fully Charged", "Charging" or "On Battery".
QString powerStatusText(const BatterySnapshot& battery);
// |mV × mA| / 10^6 when both readings are there, else 0.
double powerWatts(const BatterySnapshot& battery);

// Figure texts: "12.50 V", "1500 mA" (a magnitude, no grouping), "18.8 W",
// "30.5 °C", "4500 mAh". Numbers never follow the locale.
QString voltageText(std::int64_t millivolts);
QString currentText(std::int64_t milliamperes);
QString wattsText(double watts);
QString temperatureText(double celsius);
QString capacityText(std::int64_t mah);

// Each kept reading's charge as a fraction, oldest first.
std::vector<double> chargeSeries(const HistoryRing<BatterySnapshot>& history);

} // namespace Dunmorra::PowerFigures
