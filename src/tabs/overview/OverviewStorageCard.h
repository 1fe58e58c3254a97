#pragma once

#include "model/SystemUptime.h"
#include "tabs/overview/OverviewDay.h"

#include <QColor>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>

namespace Dunmorra {

class DiskProvider;
class DonutRing;
class FittingPair;
class SymbolView;
class TextLabel;

// The wide card of the second row: the boot volume's space as a ring with
// its figures, the disk's reads and writes, and the time since start-up.
// Live from the disk provider and the clock (the uptime is taken again at
// every disk sample); for a recorded day, the sizes and uptime of its last
// recorded minute and the day's read and write totals.
class OverviewStorageCard : public QWidget {
    Q_OBJECT
public:
    OverviewStorageCard(DiskProvider& disk, std::function<Uptime()> uptime, QWidget* parent = nullptr);

    void showDay(const OverviewDay& day);

    // Used over total, 0 without a total; above 1 when used exceeds it.
    static double usedFraction(std::uint64_t used, std::uint64_t total);
    // Accent below 0.7, orange below 0.88, red from 0.88.
    static QColor usageColor(double fraction);
    struct UptimeTexts {
        QString figure;
        std::optional<QString> detail;
    };
    // "3d" over "4h 12m", "2h" over "7m", or "5m" alone.
    static UptimeTexts uptimeTexts(const Uptime& uptime);

    FittingPair* storagePanel() const { return m_storage; }

private:
    QWidget* buildStoragePanel();
    QWidget* buildIOPanel();
    QWidget* buildUptimePanel();
    void refresh();

    DiskProvider& m_disk;
    std::function<Uptime()> m_uptime;
    OverviewDay m_day;

    FittingPair* m_storage = nullptr;
    DonutRing* m_ring = nullptr;
    TextLabel* m_percent = nullptr;
    TextLabel* m_total = nullptr;
    TextLabel* m_used = nullptr;
    SymbolView* m_usedSymbol = nullptr;
    TextLabel* m_free = nullptr;
    TextLabel* m_ioTitle = nullptr;
    TextLabel* m_read = nullptr;
    TextLabel* m_write = nullptr;
    TextLabel* m_uptimeFigure = nullptr;
    TextLabel* m_uptimeDetail = nullptr;
};

} // namespace Dunmorra
