#include "platform/CpuTicks.h"

#include "platform/linux/TextFile.h"

#include <cstring>

namespace Dunmorra::Platform {

CpuTicksReader::CpuTicksReader(std::string root)
    : m_path(Linux::joinPath(root, "/proc/stat"))
{
}

std::optional<std::vector<CoreTicks>> CpuTicksReader::read() const
{
    if (!Linux::readTextFile(m_path, m_buffer))
        return std::nullopt;
    return parse(m_buffer.data(), m_buffer.data() + m_buffer.size());
}

std::optional<std::vector<CoreTicks>> CpuTicksReader::parse(const char* begin, const char* end)
{
    std::vector<CoreTicks> cores;
    const char* line = begin;
    while (line < end) {
        const char* eol = static_cast<const char*>(std::memchr(line, '\n', static_cast<std::size_t>(end - line)));
        if (!eol)
            eol = end;
        // Only "cpuN": the aggregate "cpu " line is recomputed from the cores.
        if (eol - line > 3 && std::memcmp(line, "cpu", 3) == 0 && line[3] >= '0' && line[3] <= '9') {
            const char* p = line + 3;
            std::uint64_t index = 0;
            std::uint64_t f[8] = {}; // user nice system idle iowait irq softirq steal
            int got = 0;
            if (Linux::parseU64(p, eol, index)) {
                while (got < 8 && Linux::parseU64(p, eol, f[got]))
                    ++got;
            }
            // Old kernels stop after idle; anything shorter is not a counter line.
            if (got >= 4) {
                CoreTicks c;
                c.cpu = static_cast<int>(index);
                // guest and guest_nice are already inside user and nice.
                c.busy = f[0] + f[1] + f[2] + f[5] + f[6] + f[7];
                c.idle = f[3] + f[4];
                cores.push_back(c);
            }
        }
        line = eol + 1;
    }
    if (cores.empty())
        return std::nullopt;
    return cores;
}

} // namespace Dunmorra::Platform
