#pragma once

#include "history/DailySummary.h"

#include <QString>

#include <optional>
#include <vector>

namespace Dunmorra {

// A choice of one network among a day's networks (DailySummary::sortedNetworks),
// or of all of them: view state of the cards and tables that list a day's
// traffic by network. A chosen name counts only when the day holds an entry
// under exactly that name; otherwise the filter reads as all networks, while
// the choice itself stays as it was.
class NetworkFilter {
public:
    using Network = DailySummary::NamedNetwork;

    const std::optional<QString>& selected() const { return m_selected; }
    bool isAll() const { return !m_selected.has_value(); }
    void select(const QString& name) { m_selected = name; }
    void clear() { m_selected.reset(); }
    bool isSelected(const QString& name) const { return m_selected && *m_selected == name; }

    // The chosen network's entry in the list; none while all are chosen or
    // when the list has no entry of that name.
    std::optional<Network> match(const std::vector<Network>& networks) const;
    // The list as the filter narrows it: the matched entry alone, else all.
    std::vector<Network> apply(const std::vector<Network>& networks) const;

    // The symbol of a network's name: a cable for "Ethernet", Wi-Fi for any
    // other name.
    static QString symbolFor(const QString& name);

    bool operator==(const NetworkFilter&) const = default;

private:
    std::optional<QString> m_selected;
};

} // namespace Dunmorra
