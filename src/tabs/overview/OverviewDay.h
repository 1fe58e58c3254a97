#pragma once

#include "history/DailySummary.h"

namespace Dunmorra {

// What every Overview card shows: today live from the providers, or a
// recorded day's summary. Each card asks it for each value, so all of them
// switch source together.
class OverviewDay {
public:
    OverviewDay() = default;
    explicit OverviewDay(const DailySummary* recorded)
        : m_recorded(recorded)
    {
    }

    bool isRecorded() const { return m_recorded != nullptr; }
    // Null while live.
    const DailySummary* recorded() const { return m_recorded; }

    // live() while live, recorded(summary) for a recorded day.
    template <typename Live, typename Recorded>
    auto pick(Live&& live, Recorded&& recorded) const
    {
        return m_recorded ? recorded(*m_recorded) : live();
    }

private:
    const DailySummary* m_recorded = nullptr;
};

} // namespace Dunmorra
