#pragma once

#include "model/Clock.h"

#include <chrono>

namespace Dunmorra::Bench {

// Moves one second per pass, so every pass measures a full interval
// instead of the cheap "too close to the last reading" path.
class SteppingClock final : public Clock {
public:
    double wallSeconds() const override { return 1.7e9 + m_seconds; }
    std::chrono::nanoseconds monotonic() const override
    {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::duration<double>(m_seconds));
    }
    void step() { m_seconds += 1.0; }

private:
    double m_seconds = 3600;
};

} // namespace Dunmorra::Bench
