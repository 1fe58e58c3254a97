#pragma once

#include "history/NetworkFilter.h"
#include "model/NetworkSnapshot.h"
#include "tabs/overview/OverviewDay.h"

#include <QString>
#include <QWidget>

#include <functional>

class QMenu;
class QPushButton;
class QToolButton;

namespace Dunmorra {

class DualSparklineView;
class ElidedLabel;
class FittingPair;
class NetworkProvider;
class SymbolView;
class TextLabel;

// The network card: live, the connection with its rates, their last minute
// and a reload; for a recorded day, the day's traffic, narrowed by a menu to
// one of the networks it was on.
class OverviewNetworkCard : public QWidget {
    Q_OBJECT
public:
    // openLocationSettings runs when the location hint is pressed (it shows
    // only where reading the Wi-Fi name needs the user's consent).
    OverviewNetworkCard(NetworkProvider& network, std::function<void()> openLocationSettings = {},
                        QWidget* parent = nullptr);

    void showDay(const OverviewDay& day);
    const NetworkFilter& filter() const { return m_filter; }
    // Chooses a network of the day shown, or all of them with none.
    void choose(const std::optional<QString>& name);

    // The recorded day's title and symbol for the filter's networks and choice.
    static QString recordedTitle(const NetworkFilter& filter);
    static QString recordedSymbol(const NetworkFilter& filter);
    // The live connection's symbol: Wi-Fi, a cable or Wi-Fi struck through.
    static QString liveSymbol(const NetworkSnapshot& now);

    QToolButton* filterButton() const { return m_filterButton; }
    QMenu* filterMenu() const { return m_menu; }
    QToolButton* reloadButton() const { return m_reload; }
    QPushButton* locationButton() const { return m_location; }
    FittingPair* wifiLine() const { return m_wifiLine; }

Q_SIGNALS:
    void filterChanged();

private:
    QWidget* buildConnectionRow();
    QWidget* buildTotalsRow();
    QWidget* buildLegend();
    void refresh();
    void refreshLive();
    void refreshRecorded(const DailySummary& day);
    void rebuildMenu();

    NetworkProvider& m_network;
    std::function<void()> m_openLocationSettings;
    OverviewDay m_day;
    NetworkFilter m_filter;

    QToolButton* m_reload = nullptr;
    QToolButton* m_filterButton = nullptr;
    QMenu* m_menu = nullptr;
    SymbolView* m_symbol = nullptr;
    ElidedLabel* m_title = nullptr;
    FittingPair* m_wifiLine = nullptr;
    ElidedLabel* m_wifiName = nullptr;
    ElidedLabel* m_wifiAddress = nullptr;
    QPushButton* m_location = nullptr;
    ElidedLabel* m_address = nullptr;
    TextLabel* m_upValue = nullptr;
    TextLabel* m_upLabel = nullptr;
    TextLabel* m_downValue = nullptr;
    TextLabel* m_downLabel = nullptr;
    DualSparklineView* m_trend = nullptr;
    QWidget* m_legend = nullptr;
};

} // namespace Dunmorra
