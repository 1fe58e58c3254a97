#include "platform/NetworkCounters.h"

#include "platform/linux/TextFile.h"

#include <string_view>

namespace Dunmorra::Platform {

using namespace Linux;

NetworkCounters::NetworkCounters(std::string root)
    : m_path(joinPath(root, "/proc/net/dev"))
{
}

const std::vector<InterfaceCounters>* NetworkCounters::read() const
{
    if (!readTextFile(m_path, m_buffer))
        return nullptr;
    std::size_t count = 0;
    std::string_view text(m_buffer);
    while (!text.empty()) {
        const auto eol = text.find('\n');
        std::string_view line = text.substr(0, eol);
        text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);

        // "  eth0: rx_bytes packets errs drop fifo frame compressed multicast tx_bytes ..."
        // Interface names cannot hold ':' or blanks, so the first colon ends the name.
        const auto colon = line.find(':');
        if (colon == std::string_view::npos)
            continue; // the two header lines
        const auto name = trimmed(line.substr(0, colon));
        std::string_view rest = line.substr(colon + 1);
        std::string_view fields[9];
        int n = 0;
        while (n < 9 && !(fields[n] = nextField(rest)).empty())
            ++n;
        if (name.empty() || n < 9)
            continue;
        const auto rx = parseNumber<std::uint64_t>(fields[0]);
        const auto tx = parseNumber<std::uint64_t>(fields[8]);
        if (!rx || !tx)
            continue;
        if (count == m_rows.size())
            m_rows.emplace_back();
        auto& row = m_rows[count++];
        row.name.assign(name);
        row.rxBytes = *rx;
        row.txBytes = *tx;
    }
    m_rows.resize(count);
    return &m_rows;
}

} // namespace Dunmorra::Platform
