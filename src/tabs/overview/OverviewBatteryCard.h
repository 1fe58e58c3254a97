#pragma once

#include "tabs/overview/OverviewDay.h"

#include <QColor>
#include <QWidget>

#include <cstdint>
#include <optional>

namespace Dunmorra {

class BatteryProvider;
class ElidedLabel;
class SymbolView;
class TextLabel;
class ThinBar;

// The battery's charge: live, the provider's reading with the time left and
// a charging mark; for a recorded day, its closing level and how the day
// started and ended. A machine without a battery says so, and a day that
// recorded no battery figures says that, instead of showing 0 %.
class OverviewBatteryCard : public QWidget {
    Q_OBJECT
public:
    explicit OverviewBatteryCard(BatteryProvider& battery, QWidget* parent = nullptr);

    void showDay(const OverviewDay& day);

    // The first and last recorded hourly levels of a day, truncated; none
    // when no hour holds a battery figure. Hours without one (the battery
    // was away) are passed over rather than read as 0 %.
    struct DayLevels {
        std::int64_t start = 0;
        std::int64_t end = 0;
    };
    static std::optional<DayLevels> dayLevels(const DailySummary& day);
    // Green above 19 %, red at 19 % and below.
    static QColor levelColor(std::int64_t percent);
    // "Started 95%  ·  Ended 79%".
    static QString recordedCaption(const DayLevels& levels);

private:
    void refresh();
    void showLevel(std::int64_t percent, const QString& caption);
    void showNote(const QString& note);

    BatteryProvider& m_battery;
    OverviewDay m_day;
    SymbolView* m_charging = nullptr;
    QWidget* m_figures = nullptr;
    ElidedLabel* m_value = nullptr;
    ThinBar* m_bar = nullptr;
    TextLabel* m_caption = nullptr;
    TextLabel* m_note = nullptr;
};

} // namespace Dunmorra
