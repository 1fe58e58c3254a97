#include "history/NetworkFilter.h"

#include "model/NetworkSnapshot.h"

namespace Dunmorra {

bool NetworkFilter::setNetworks(std::vector<Network> networks)
{
    QStringList names;
    names.reserve(static_cast<qsizetype>(networks.size()));
    for (const Network& n : networks)
        names << n.name;
    m_networks = std::move(networks);
    if (names == m_names)
        return false;
    m_names = std::move(names);
    return true;
}

const NetworkFilter::Network* NetworkFilter::selectedEntry() const
{
    if (!m_selection)
        return nullptr;
    for (const Network& n : m_networks) {
        if (n.name == *m_selection)
            return &n;
    }
    return nullptr;
}

std::vector<NetworkFilter::Network> NetworkFilter::shown() const
{
    if (const Network* entry = selectedEntry())
        return {*entry};
    return m_networks;
}

int NetworkFilter::menuIndex() const
{
    if (!m_selection)
        return 0;
    const qsizetype i = m_names.indexOf(*m_selection);
    return i < 0 ? -1 : static_cast<int>(i) + 1;
}

QString NetworkFilter::symbolFor(const QString& name)
{
    return name == NetworkLabels::ethernet ? QStringLiteral("cable.connector") : QStringLiteral("wifi");
}

} // namespace Dunmorra
