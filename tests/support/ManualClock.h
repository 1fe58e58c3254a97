#pragma once

#include "model/Clock.h"

namespace Dunmorra::Test {

// A clock that only moves when the test says so; both readings advance together.
class ManualClock final : public Clock {
public:
    explicit ManualClock(double wall = 1.7e9, std::chrono::nanoseconds mono = std::chrono::hours(1))
        : m_wall(wall), m_mono(mono) {}

    double wallSeconds() const override { return m_wall; }
    std::chrono::nanoseconds monotonic() const override { return m_mono; }

    void advance(double seconds)
    {
        m_wall += seconds;
        m_mono += std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::duration<double>(seconds));
    }
    // Moves the wall clock only, as a user setting the time would.
    void setWall(double wall) { m_wall = wall; }

private:
    double m_wall;
    std::chrono::nanoseconds m_mono;
};

} // namespace Dunmorra::Test
