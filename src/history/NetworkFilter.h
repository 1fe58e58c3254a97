#pragma once

#include "history/DailySummary.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace Dunmorra {

// Narrowing one day's per-network totals to one chosen network. It holds the
// day's networks (most traffic first, as DailySummary::sortedNetworks gives
// them) and the chosen name, which outlives the list it was chosen from: a
// name the list no longer holds narrows nothing, and narrows again once the
// name is back.
class NetworkFilter {
public:
    using Network = DailySummary::NamedNetwork;

    // Takes the day's networks. True when their names or the names' order
    // changed: the only time a menu offering them needs filling again, so a
    // refresh with new totals leaves an open menu alone.
    bool setNetworks(std::vector<Network> networks);
    const std::vector<Network>& networks() const { return m_networks; }
    // The names in list order: the menu's choices after "all networks".
    const QStringList& names() const { return m_names; }

    // None: every network.
    const std::optional<QString>& selection() const { return m_selection; }
    void setSelection(std::optional<QString> name) { m_selection = std::move(name); }

    // The entry named exactly by the selection, when the list holds one.
    const Network* selectedEntry() const;
    // That entry alone when there is one; otherwise every network.
    std::vector<Network> shown() const;
    // Where the selection stands in a menu of "all networks" followed by
    // names(): 0 without a selection, i + 1 for the i-th name, -1 for a name
    // the list does not hold.
    int menuIndex() const;

    // The symbol of a network's row or menu item: "cable.connector" for the
    // label "Ethernet" exactly, "wifi" for any other name.
    static QString symbolFor(const QString& name);

private:
    std::vector<Network> m_networks;
    QStringList m_names;
    std::optional<QString> m_selection;
};

} // namespace Dunmorra
