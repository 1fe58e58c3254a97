#include "model/NetworkSnapshot.h"

namespace Dunmorra {

const NetworkSnapshot& NetworkSnapshot::initial()
{
    static const NetworkSnapshot snapshot{0.0, 0.0, std::nullopt, NetworkLabels::detecting, false, std::nullopt, {}};
    return snapshot;
}

QString NetworkLabels::shown(const QString& label)
{
    // Wi-Fi, Ethernet and VPN are names of their own in every language.
    if (label == cellular)
        return QCoreApplication::translate("NetworkLabels", "Cellular");
    if (label == notConnected)
        return QCoreApplication::translate("NetworkLabels", "Not connected");
    if (label == detecting)
        return QCoreApplication::translate("NetworkLabels", "Detecting\u2026");
    return label;
}

} // namespace Dunmorra
