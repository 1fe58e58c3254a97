#include "history/NetworkFilter.h"

#include "model/NetworkSnapshot.h"

namespace Dunmorra {

std::optional<NetworkFilter::Network> NetworkFilter::match(const std::vector<Network>& networks) const
{
    if (!m_selected)
        return std::nullopt;
    for (const Network& network : networks) {
        if (network.name == *m_selected)
            return network;
    }
    return std::nullopt;
}

std::vector<NetworkFilter::Network> NetworkFilter::apply(const std::vector<Network>& networks) const
{
    if (std::optional<Network> one = match(networks))
        return {*one};
    return networks;
}

QString NetworkFilter::symbolFor(const QString& name)
{
    return name == NetworkLabels::ethernet ? QStringLiteral("cable.connector") : QStringLiteral("wifi");
}

} // namespace Dunmorra
