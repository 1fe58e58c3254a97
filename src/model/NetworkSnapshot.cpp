#include "model/NetworkSnapshot.h"

namespace Dunmorra {

const NetworkSnapshot& NetworkSnapshot::initial()
{
    static const NetworkSnapshot snapshot{0.0, 0.0, std::nullopt, NetworkLabels::detecting, false, std::nullopt, {}};
    return snapshot;
}

} // namespace Dunmorra
