#include "model/BatterySnapshot.h"

#include <QCoreApplication>

namespace Dunmorra {

const BatterySnapshot& BatterySnapshot::initial()
{
    static const BatterySnapshot snapshot{
        87, false, false, 252, 42, 98, BatteryCondition::good, 12'300, -1'500, 8'500, 8'700, 28.5,
    };
    return snapshot;
}

QString conditionLabel(BatteryCondition condition)
{
    switch (condition) {
    case BatteryCondition::good: return QCoreApplication::translate("BatteryCondition", "Good");
    case BatteryCondition::fair: return QCoreApplication::translate("BatteryCondition", "Fair");
    case BatteryCondition::poor: return QCoreApplication::translate("BatteryCondition", "Poor");
    }
    return {};
}

QString BatterySnapshot::timeRemainingText() const
{
    if (isFullyCharged || (isCharging && percent > 99))
        return QCoreApplication::translate("BatterySnapshot", "Fully Charged");
    if (timeRemainingMinutes) {
        const std::int64_t m = *timeRemainingMinutes;
        if (m < 60)
            return QString::number(m) + QLatin1Char('m');
        return QString::number(m / 60) + QStringLiteral("h ") + QString::number(m % 60) + QLatin1Char('m');
    }
    return QCoreApplication::translate("BatterySnapshot", "Calculating\u2026");
}

} // namespace Dunmorra
