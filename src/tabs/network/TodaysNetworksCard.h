#pragma once

#include "components/Card.h"
#include "history/NetworkFilter.h"

#include <memory>
#include <optional>
#include <vector>

class QVBoxLayout;

namespace Dunmorra {

class NetworkMenu;
class NetworkRow;
class TextLabel;
template <typename Key, typename Row> class KeyedRows;

// "Today's Networks": the day's totals per network, most traffic first, with
// a menu (from two networks on) that narrows the table to one of them.
class TodaysNetworksCard : public Card {
    Q_OBJECT
public:
    explicit TodaysNetworksCard(QWidget* parent = nullptr);
    ~TodaysNetworksCard() override;

    // Today's networks as DailySummary::sortedNetworks lists them.
    void setNetworks(std::vector<DailySummary::NamedNetwork> networks);

    const std::optional<QString>& selectedSSID() const { return m_filter.selection(); }
    void setSelectedSSID(std::optional<QString> name);

    QWidget* menu() const;
    // The picker's text as drawn: its choice, ended with an ellipsis when
    // the name is wider than the picker.
    QString menuShownText() const;
    // Names of the rows shown, top to bottom.
    QStringList rowNames() const;

private:
    void fillMenu();
    void showMenuToolTip();
    void showRows();

    NetworkFilter m_filter;
    NetworkMenu* m_menu = nullptr;
    bool m_menuStale = false;
    TextLabel* m_empty = nullptr;
    QWidget* m_table = nullptr;
    QVBoxLayout* m_rowsLayout = nullptr;
    std::unique_ptr<KeyedRows<QString, NetworkRow>> m_rows;
};

} // namespace Dunmorra
