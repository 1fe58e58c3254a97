#include "components/Sandbox.h"

#include <atomic>

namespace Dunmorra {

namespace {
// -1: no override, 0/1: pinned by a test.
std::atomic<int> g_override{-1};
} // namespace

bool sandboxedIn(const QProcessEnvironment& environment)
{
    return environment.contains(QStringLiteral("APP_SANDBOX_CONTAINER_ID"))
        || environment.contains(QStringLiteral("FLATPAK_ID"));
}

bool isSandboxed()
{
    const int pinned = g_override.load(std::memory_order_relaxed);
    if (pinned >= 0)
        return pinned == 1;
    // A function-local static is initialised once, also under concurrent first reads.
    static const bool flag = sandboxedIn(QProcessEnvironment::systemEnvironment());
    return flag;
}

void overrideSandboxedForTesting(std::optional<bool> value)
{
    g_override.store(value ? (*value ? 1 : 0) : -1, std::memory_order_relaxed);
}

} // namespace Dunmorra
