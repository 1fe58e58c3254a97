#include "platform/linux/TextFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Dunmorra::Platform::Linux {

bool readTextFile(const std::string& path, std::string& into)
{
    into.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    // procfs reports a size of 0, so read in chunks until EOF.
    constexpr std::size_t kChunk = 4096;
    bool ok = true;
    for (;;) {
        const std::size_t used = into.size();
        into.resize(used + kChunk);
        const ssize_t n = ::read(fd, into.data() + used, kChunk);
        if (n < 0) {
            if (errno == EINTR) {
                into.resize(used);
                continue;
            }
            into.resize(used);
            ok = false;
            break;
        }
        into.resize(used + static_cast<std::size_t>(n));
        if (n == 0)
            break;
    }
    ::close(fd);
    return ok;
}

std::optional<std::string> readAttribute(const std::string& path)
{
    std::string text;
    if (!readTextFile(path, text))
        return std::nullopt;
    const auto eol = text.find('\n');
    if (eol != std::string::npos)
        text.resize(eol);
    return text;
}

std::optional<std::int64_t> readIntegerAttribute(const std::string& path)
{
    const auto text = readAttribute(path);
    if (!text)
        return std::nullopt;
    return parseNumber<std::int64_t>(trimmed(*text));
}

bool pathExists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::string decodeHexEscapes(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size() && s[i + 1] == 'x') {
            const int hi = hexValue(s[i + 2]);
            const int lo = hexValue(s[i + 3]);
            if (hi >= 0 && lo >= 0) {
                out.push_back(static_cast<char>(hi * 16 + lo));
                i += 3;
                continue;
            }
        }
        out.push_back(s[i]);
    }
    return out;
}

} // namespace Dunmorra::Platform::Linux
