#include "model/Clock.h"

namespace Dunmorra {

double SystemClock::wallSeconds() const
{
    using namespace std::chrono;
    return duration<double>(system_clock::now().time_since_epoch()).count();
}

std::chrono::nanoseconds SystemClock::monotonic() const
{
    return std::chrono::steady_clock::now().time_since_epoch();
}

const Clock& Clock::system()
{
    static const SystemClock clock;
    return clock;
}

} // namespace Dunmorra
