#pragma once

#include <functional>

namespace Dunmorra {

// Saves the day when the process ends through exit() without returning from
// the event loop: the display connection's platform plugin does that when
// the X server goes away at the end of a session, and nothing else runs
// then. Armed while it exists; runs its action at most once. One per process.
class ExitSave {
public:
    explicit ExitSave(std::function<void()> save);
    ~ExitSave();
    ExitSave(const ExitSave&) = delete;
    ExitSave& operator=(const ExitSave&) = delete;

    // The handler exit() calls; public so a test can run it as exit() would.
    static void runAtExit();
};

} // namespace Dunmorra
