#include "app/ExitSave.h"

#include <cstdlib>
#include <utility>

namespace Dunmorra {

namespace {
std::function<void()>* g_save = nullptr;
bool g_registered = false;
} // namespace

ExitSave::ExitSave(std::function<void()> save)
{
    delete g_save;
    g_save = new std::function<void()>(std::move(save));
    // Registered after Qt's own statics were built, so it runs before they go.
    if (!g_registered)
        g_registered = std::atexit(&ExitSave::runAtExit) == 0;
}

ExitSave::~ExitSave()
{
    delete g_save;
    g_save = nullptr;
}

void ExitSave::runAtExit()
{
    std::function<void()>* save = std::exchange(g_save, nullptr);
    if (save && *save)
        (*save)();
    delete save;
}

} // namespace Dunmorra
