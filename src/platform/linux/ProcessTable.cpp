#include "platform/ProcessTable.h"

#include <unistd.h>

namespace Dunmorra::Platform {

// Placeholder until the procfs walk lands.
ProcessTable::ProcessTable(std::string root)
    : m_root(std::move(root))
    , m_clockTicksPerSecond(::sysconf(_SC_CLK_TCK))
    , m_pageSize(::sysconf(_SC_PAGESIZE))
{
}

std::vector<ProcessRecord> ProcessTable::read() const
{
    return {};
}

} // namespace Dunmorra::Platform
