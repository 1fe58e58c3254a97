#include "platform/BootTime.h"

#include "platform/linux/TextFile.h"

#include <string_view>

namespace Dunmorra::Platform {

std::optional<std::int64_t> readBootTime(const std::string& root)
{
    std::string text;
    if (!Linux::readTextFile(Linux::joinPath(root, "/proc/stat"), text))
        return std::nullopt;
    const std::string_view view(text);
    std::size_t pos = 0;
    while (pos < view.size()) {
        std::size_t eol = view.find('\n', pos);
        if (eol == std::string_view::npos)
            eol = view.size();
        const std::string_view line = view.substr(pos, eol - pos);
        if (line.substr(0, 6) == "btime ") {
            const char* p = line.data() + 6;
            std::uint64_t seconds = 0;
            if (Linux::parseU64(p, line.data() + line.size(), seconds) && seconds <= INT64_MAX)
                return static_cast<std::int64_t>(seconds);
            return std::nullopt;
        }
        pos = eol + 1;
    }
    return std::nullopt;
}

} // namespace Dunmorra::Platform
