#include "model/BatterySnapshot.h"

namespace Dunmorra {

const BatterySnapshot& BatterySnapshot::initial()
{
    static const BatterySnapshot snapshot{
        87, false, false, 252, 42, 98, BatteryCondition::good, 12'300, -1'500, 8'500, 8'700, 28.5,
    };
    return snapshot;
}

} // namespace Dunmorra
