#include "platform/ProcessTable.h"

#include "platform/linux/TextFile.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <unistd.h>

namespace Dunmorra::Platform {

namespace {

bool parsePid(const char* name, std::int32_t& pid)
{
    const char* end = name + std::strlen(name);
    if (name == end || *name < '1' || *name > '9')
        return false; // also drops "self", "thread-self" and pid 0
    const auto r = std::from_chars(name, end, pid);
    return r.ec == std::errc() && r.ptr == end && pid >= 1;
}

std::string_view basename(std::string_view path)
{
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

// Reads a small procfs file relative to the /proc descriptor. The kernel
// hands over a whole stat or cmdline record in one read when the buffer holds
// it, so a read that leaves room is the end; only a full buffer reads on.
bool readSmallFile(int dirFd, const char* path, std::string& buffer)
{
    const int fd = ::openat(dirFd, path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    constexpr std::size_t kChunk = 4096;
    std::size_t used = 0;
    bool ok = true;
    for (;;) {
        if (buffer.size() < used + kChunk)
            buffer.resize(used + kChunk);
        const ssize_t n = ::read(fd, buffer.data() + used, kChunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ok = false;
            break;
        }
        used += static_cast<std::size_t>(n);
        if (static_cast<std::size_t>(n) < kChunk)
            break;
    }
    ::close(fd);
    buffer.resize(used);
    return ok;
}

} // namespace

ProcessTable::ProcessTable(std::string root, long clockTicksPerSecond, long pageSize)
    : m_root(std::move(root))
    , m_procDir(Linux::joinPath(m_root, "/proc"))
    , m_clockTicksPerSecond(clockTicksPerSecond > 0 ? clockTicksPerSecond : ::sysconf(_SC_CLK_TCK))
    , m_pageSize(pageSize > 0 ? pageSize : ::sysconf(_SC_PAGESIZE))
{
    if (m_clockTicksPerSecond <= 0)
        m_clockTicksPerSecond = 100;
    if (m_pageSize <= 0)
        m_pageSize = 4096;
}

std::uint64_t ProcessTable::ticksToNanos(std::uint64_t ticks) const
{
    const auto hz = static_cast<std::uint64_t>(m_clockTicksPerSecond);
    // Split so that ticks × 10^9 cannot overflow for long-lived processes.
    return ticks / hz * 1'000'000'000ULL + ticks % hz * 1'000'000'000ULL / hz;
}

std::vector<ProcessRecord> ProcessTable::read() const
{
    std::vector<ProcessRecord> out;
    DIR* dir = ::opendir(m_procDir.c_str());
    if (!dir)
        return out;
    // Every file is opened relative to this descriptor: no walk from the root
    // for each of the thousands of files a scan reads.
    const int procFd = ::dirfd(dir);
    ++m_walk;
    out.reserve(m_known.size());
    ProcessRecord record;
    while (const dirent* entry = ::readdir(dir)) {
        std::int32_t pid = 0;
        if (!parsePid(entry->d_name, pid))
            continue;
        if (readProcessIn(procFd, pid, record))
            out.push_back(std::move(record));
        record = ProcessRecord{};
    }
    ::closedir(dir);
    // Forget the processes this walk did not see, so a reused pid starts afresh.
    std::erase_if(m_known, [this](const auto& item) { return item.second.walk != m_walk; });
    return out;
}

bool ProcessTable::readProcess(std::int32_t pid, ProcessRecord& out) const
{
    const int procFd = ::open(m_procDir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (procFd < 0)
        return false;
    const bool found = readProcessIn(procFd, pid, out);
    ::close(procFd);
    return found;
}

bool ProcessTable::readProcessIn(int procFd, std::int32_t pid, ProcessRecord& out) const
{
    // "<pid>/" stays in m_path; each file is appended to it.
    m_path.clear();
    char digits[16];
    const auto r = std::to_chars(digits, digits + sizeof digits, pid);
    m_path.append(digits, r.ptr);
    m_path.push_back('/');
    const std::size_t dirLength = m_path.size();

    m_path.append("stat");
    if (!readSmallFile(procFd, m_path.c_str(), m_buffer))
        return false; // gone since the directory was listed, or not ours to read

    // The name sits between the first '(' and the last ')': it may itself hold
    // spaces, parentheses and new lines, so fields are counted from the last ')'.
    const char* begin = m_buffer.data();
    const char* end = begin + m_buffer.size();
    const char* open = static_cast<const char*>(std::memchr(begin, '(', m_buffer.size()));
    const char* close = nullptr;
    for (const char* p = end; p > begin; --p) {
        if (p[-1] == ')') {
            close = p - 1;
            break;
        }
    }
    if (!open || !close || close < open)
        return false;
    const std::string_view comm(open + 1, static_cast<std::size_t>(close - open - 1));
    if (comm.empty())
        return false;

    // Fields from 3 (state) on; utime 14, stime 15, starttime 22, rss 24.
    const char* p = close + 1;
    while (p < end && *p == ' ')
        ++p;
    if (p >= end)
        return false;
    const char state = *p++;
    if (state == 'Z' || state == 'X' || state == 'x')
        return false;
    std::uint64_t fields[25] = {};
    for (int field = 4; field <= 24; ++field) {
        while (p < end && *p == ' ')
            ++p;
        // Fields 4..24 are all integers; some (priority, nice) may be negative.
        if (p < end && *p == '-') {
            ++p;
        }
        if (!Linux::parseU64(p, end, fields[field]))
            return false;
    }

    out.pid = pid;
    out.userNanos = ticksToNanos(fields[14]);
    out.systemNanos = ticksToNanos(fields[15]);
    out.startTime = fields[22];
    out.residentBytes = fields[24] * static_cast<std::uint64_t>(m_pageSize);

    // Same pid, start time and kernel name: the same program as last time
    // (an exec renames the process), so its path and full name still hold,
    // and a link that could not be read is not tried again.
    Known& known = m_known[pid];
    if (!known.resolved || known.startTime != out.startTime || known.comm != comm) {
        known.resolved = true;
        known.startTime = out.startTime;
        known.comm.assign(comm); // before the stat record's buffer is reused
        resolveNames(procFd, dirLength, known.comm, out);
        known.executablePath = out.executablePath;
        known.name = out.name;
    } else {
        out.executablePath = known.executablePath;
        out.name = known.name;
    }
    known.walk = m_walk;
    return true;
}

void ProcessTable::resolveNames(int procFd, std::size_t dirLength, std::string_view comm, ProcessRecord& out) const
{
    out.name.assign(comm);

    // argv[0], read at most once and only when needed.
    bool cmdlineRead = false;
    const auto argv0 = [&]() -> std::string_view {
        if (!cmdlineRead) {
            cmdlineRead = true;
            m_path.resize(dirLength);
            m_path.append("cmdline");
            if (!readSmallFile(procFd, m_path.c_str(), m_buffer))
                m_buffer.clear();
        }
        return std::string_view(m_buffer.c_str()); // up to the first NUL
    };

    m_path.resize(dirLength);
    m_path.append("exe");
    out.executablePath.clear();
    if (m_link.size() < 4096)
        m_link.resize(4096);
    const ssize_t n = ::readlinkat(procFd, m_path.c_str(), m_link.data(), m_link.size());
    if (n > 0) {
        std::string_view target(m_link.data(), static_cast<std::size_t>(n));
        constexpr std::string_view deleted = " (deleted)";
        if (target.size() > deleted.size() && target.substr(target.size() - deleted.size()) == deleted)
            target.remove_suffix(deleted.size());
        out.executablePath.assign(target);
    } else {
        // Other users' processes have no readable link, but their command line
        // is readable: its first word, when it is a full path, names the
        // executable. Kernel threads have an empty command line.
        const std::string_view first = argv0();
        if (!first.empty() && first.front() == '/')
            out.executablePath.assign(first);
    }

    if (out.name.size() == kCommLength) {
        const std::string_view kept(out.name);
        // The kernel cut the name: the executable's or argv[0]'s base name
        // holds the whole of it when it starts with what the kernel kept.
        const std::string_view exeBase = basename(out.executablePath);
        if (exeBase.size() > kept.size() && startsWith(exeBase, kept)) {
            out.name.assign(exeBase);
        } else {
            const std::string_view argBase = basename(argv0());
            if (argBase.size() > kept.size() && startsWith(argBase, kept))
                out.name.assign(std::string(argBase));
        }
    }
}

} // namespace Dunmorra::Platform
