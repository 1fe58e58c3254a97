#include "tabs/power/PowerFigures.h"

#include "components/Palette.h"
#include "platform/NumberText.h"

#include <QCoreApplication>

#include <cmath>

namespace Dunmorra::PowerFigures {

QString batteryIconName(const BatterySnapshot& b)
{
    if (b.isCharging)
        return QStringLiteral("battery.100percent.bolt");
    if (b.percent >= 75)
        return QStringLiteral("battery.100percent");
    if (b.percent >= 50)
        return QStringLiteral("battery.75percent");
    if (b.percent >= 25)
        return QStringLiteral("battery.50percent");
    return QStringLiteral("battery.25percent");
}

QColor percentColor(const BatterySnapshot& b)
{
    return !b.isCharging && b.percent < 20 ? paletteRed() : paletteGreen();
}

QString statusDetail(const BatterySnapshot& b)
{
    if (b.isFullyCharged)
        return QCoreApplication::translate("Dunmorra::PowerFigures", "Fully charged");
    return b.timeRemainingText();
}

QColor statusColor(const BatterySnapshot& b)
{
    if (b.isCharging || b.isFullyCharged)
        return paletteGreen();
    return b.percent > 19 ? palettePrimary() : paletteRed();
}

QString powerStatusText(const BatterySnapshot& b)
{
    if (b.isFullyCharged)
        return QCoreApplication::translate("Dunmorra::PowerFigures", "Fully Charged");
    if (b.isCharging)
        return QCoreApplication::translate("Dunmorra::PowerFigures", "Charging");
    return QCoreApplication::translate("Dunmorra::PowerFigures", "On Battery");
}

double powerWatts(const BatterySnapshot& b)
{
    if (b.voltageMV < 1 || b.amperageMa == 0)
        return 0;
    return std::fabs(static_cast<double>(b.voltageMV) * static_cast<double>(b.amperageMa)) / 1'000'000.0;
}

QString voltageText(std::int64_t millivolts)
{
    return fixedPointText(static_cast<double>(millivolts) / 1000.0, 2) + QStringLiteral(" V");
}

QString currentText(std::int64_t milliamperes)
{
    // Through unsigned, so the magnitude of the most negative reading is defined.
    const auto magnitude = milliamperes < 0 ? 0ULL - static_cast<unsigned long long>(milliamperes)
                                            : static_cast<unsigned long long>(milliamperes);
    return QString::number(magnitude) + QStringLiteral(" mA");
}

QString wattsText(double watts)
{
    return fixedPointText(watts, 1) + QStringLiteral(" W");
}

QString temperatureText(double celsius)
{
    return fixedPointText(celsius, 1) + QStringLiteral(" \u00B0C");
}

QString capacityText(std::int64_t mah)
{
    return QString::number(mah) + QStringLiteral(" mAh");
}

std::vector<double> chargeSeries(const HistoryRing<BatterySnapshot>& history)
{
    std::vector<double> out;
    out.reserve(static_cast<std::size_t>(history.size()));
    history.forEachOrdered([&](const Sample<BatterySnapshot>& s) { out.push_back(static_cast<double>(s.value.percent) / 100.0); });
    return out;
}

} // namespace Dunmorra::PowerFigures
