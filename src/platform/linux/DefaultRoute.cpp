#include "platform/DefaultRoute.h"

#include "platform/linux/TextFile.h"

#include <algorithm>
#include <string_view>

namespace Dunmorra::Platform {

using namespace Linux;

namespace {

// Route flags of <linux/route.h>.
constexpr unsigned kRouteUp = 0x0001;
constexpr unsigned kRouteReject = 0x0200;

std::optional<unsigned> parseHex(std::string_view s)
{
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value, 16);
    if (ec != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return value;
}

bool allZeros(std::string_view s)
{
    return !s.empty() && s.find_first_not_of('0') == std::string_view::npos;
}

bool usable(std::string_view flags)
{
    const auto f = parseHex(flags);
    return f && (*f & kRouteUp) && !(*f & kRouteReject);
}

template <typename Row>
void forEachLine(std::string_view text, Row row)
{
    while (!text.empty()) {
        const auto eol = text.find('\n');
        row(text.substr(0, eol));
        text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
    }
}

} // namespace

DefaultRoute::DefaultRoute(std::string root)
    : m_ipv4Path(joinPath(root, "/proc/net/route"))
    , m_ipv6Path(joinPath(root, "/proc/net/ipv6_route"))
{
}

std::vector<std::string> DefaultRoute::interfaces() const
{
    std::vector<std::string> out;
    const auto add = [&out](std::string_view name) {
        if (!name.empty() && name != "lo")
            out.emplace_back(name);
    };

    // "Iface Destination Gateway Flags RefCnt Use Metric Mask ...", after a header line.
    if (readTextFile(m_ipv4Path, m_buffer)) {
        forEachLine(m_buffer, [&](std::string_view rest) {
            std::string_view f[8];
            for (auto& field : f)
                field = nextField(rest);
            if (f[7].empty() || f[0] == "Iface")
                return;
            if (allZeros(f[1]) && allZeros(f[7]) && usable(f[3]))
                add(f[0]);
        });
    }
    // "dest plen src plen nexthop metric refcnt use flags device", no header.
    if (readTextFile(m_ipv6Path, m_buffer)) {
        forEachLine(m_buffer, [&](std::string_view rest) {
            std::string_view f[10];
            for (auto& field : f)
                field = nextField(rest);
            if (f[9].empty())
                return;
            if (allZeros(f[0]) && allZeros(f[1]) && usable(f[8]))
                add(f[9]);
        });
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

} // namespace Dunmorra::Platform
