#include "platform/ProcText.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace Dunmorra::Platform::ProcText {

bool readFile(const std::string& path, std::string& buffer)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    buffer.clear();
    if (buffer.capacity() < 4096)
        buffer.reserve(4096);
    bool ok = true;
    for (;;) {
        const std::size_t used = buffer.size();
        // procfs files report size 0: grow until read() says end of file.
        buffer.resize(std::max(buffer.capacity(), used + 4096));
        const ssize_t n = ::read(fd, buffer.data() + used, buffer.size() - used);
        if (n < 0) {
            if (errno == EINTR) {
                buffer.resize(used);
                continue;
            }
            buffer.resize(used);
            ok = false;
            break;
        }
        buffer.resize(used + static_cast<std::size_t>(n));
        if (n == 0)
            break;
    }
    ::close(fd);
    return ok;
}

std::string join(const std::string& root, std::string_view absolute)
{
    std::string out = root;
    while (!out.empty() && out.back() == '/')
        out.pop_back();
    if (absolute.empty() || absolute.front() != '/')
        out.push_back('/');
    out.append(absolute);
    return out;
}

std::string_view trim(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\0'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace Dunmorra::Platform::ProcText
