#pragma once

#include <chrono>
#include <cstdint>

namespace Dunmorra {

// Every reading of time goes through a Clock so tests can drive simulated
// minutes and days without sleeping.
//  - wallSeconds(): wall-clock time, seconds since 1970-01-01 UTC, for sample
//    dates and day keys. It may jump when the user sets the clock.
//  - monotonic(): never goes backwards; for every elapsed-time measurement.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double wallSeconds() const = 0;
    virtual std::chrono::nanoseconds monotonic() const = 0;

    double monotonicSeconds() const
    {
        return std::chrono::duration<double>(monotonic()).count();
    }

    // The process-wide real clock.
    static const Clock& system();
};

class SystemClock final : public Clock {
public:
    double wallSeconds() const override;
    std::chrono::nanoseconds monotonic() const override;
};

// Seconds between 1970-01-01 and 2001-01-01 (UTC), the reference date of the
// stored day files and process tick times.
inline constexpr double kReferenceDateOffset = 978307200.0;

// A date that compares as older than any real reading ("distant past").
inline constexpr double kDistantPast = -1.0e12;

} // namespace Dunmorra
