#include "platform/RunningApplications.h"

#include "platform/ApplicationNames.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>

namespace Dunmorra::Platform {

namespace {

std::string procPath(const std::string& root, std::int32_t pid, const char* leaf)
{
    std::string path = root;
    if (path.empty() || path.back() != '/')
        path += '/';
    path += "proc/" + std::to_string(pid);
    if (leaf) {
        path += '/';
        path += leaf;
    }
    return path;
}

std::string readSmallFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    std::string out;
    char buffer[1024];
    ssize_t n;
    while (out.size() < 16384 && (n = ::read(fd, buffer, sizeof buffer)) > 0)
        out.append(buffer, static_cast<std::size_t>(n));
    ::close(fd);
    return out;
}

bool validAppId(const std::string& appId)
{
    return !appId.empty() && appId.find('/') == std::string::npos;
}

// Whether the unit name is an app unit of appId: "app-" then optional
// launcher pieces, then the id, ended by "-" (the instance), "@" or ".".
bool unitNamesApp(const std::string& unit, const std::string& appId)
{
    if (unit.rfind("app-", 0) != 0)
        return false;
    std::size_t from = 4;
    while (true) {
        const std::size_t at = unit.find(appId, from);
        if (at == std::string::npos)
            return false;
        const std::size_t end = at + appId.size();
        const bool startsPiece = unit[at - 1] == '-';
        const bool endsPiece = end == unit.size() || unit[end] == '-' || unit[end] == '@' || unit[end] == '.';
        if (startsPiece && endsPiece)
            return true;
        from = at + 1;
    }
}

} // namespace

bool processIsRunning(std::int32_t pid, const std::string& root)
{
    if (pid < 1)
        return false;
    struct stat st {};
    return ::stat(procPath(root, pid, nullptr).c_str(), &st) == 0;
}

std::optional<std::int32_t> runningProcessOfApplication(const std::string& appId, const std::string& root)
{
    if (!validAppId(appId))
        return std::nullopt;
    std::string procDir = root;
    if (procDir.empty() || procDir.back() != '/')
        procDir += '/';
    procDir += "proc";
    DIR* dir = ::opendir(procDir.c_str());
    if (!dir)
        return std::nullopt;
    std::optional<std::int32_t> found;
    while (dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        if (!std::isdigit(static_cast<unsigned char>(name[0])))
            continue;
        const std::int32_t pid = static_cast<std::int32_t>(std::strtol(name, nullptr, 10));
        const std::string cgroup = readSmallFile(procPath(root, pid, "cgroup"));
        // Each line is "id:controllers:/path"; the unit is the path's last part.
        std::size_t lineStart = 0;
        while (lineStart < cgroup.size() && !found) {
            std::size_t lineEnd = cgroup.find('\n', lineStart);
            if (lineEnd == std::string::npos)
                lineEnd = cgroup.size();
            const std::string line = cgroup.substr(lineStart, lineEnd - lineStart);
            const std::size_t slash = line.rfind('/');
            if (slash != std::string::npos && unitNamesApp(line.substr(slash + 1), appId))
                found = pid;
            lineStart = lineEnd + 1;
        }
        if (found)
            break;
    }
    ::closedir(dir);
    return found;
}

std::string processExecutableName(std::int32_t pid, const std::string& root)
{
    if (pid < 1)
        return {};
    char target[4096];
    const ssize_t n = ::readlink(procPath(root, pid, "exe").c_str(), target, sizeof target - 1);
    if (n > 0) {
        std::string path(target, static_cast<std::size_t>(n));
        // A replaced binary reads "/usr/bin/foo (deleted)".
        const std::string deleted = " (deleted)";
        if (path.size() > deleted.size() && path.compare(path.size() - deleted.size(), deleted.size(), deleted) == 0)
            path.resize(path.size() - deleted.size());
        const std::size_t slash = path.rfind('/');
        std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
        if (!base.empty())
            return base;
    }
    return processShortName(pid, root);
}

} // namespace Dunmorra::Platform
