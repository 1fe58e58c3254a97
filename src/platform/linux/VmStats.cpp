#include "platform/VmStats.h"

#include "platform/linux/TextFile.h"

#include <dirent.h>

#include <cstring>
#include <string_view>

namespace Dunmorra::Platform {

using namespace Linux;

namespace {

struct Field {
    std::string_view key;
    std::uint64_t VmStats::*member;
};

constexpr Field kFields[] = {
    {"MemTotal", &VmStats::memTotal},
    {"MemFree", &VmStats::memFree},
    {"MemAvailable", &VmStats::memAvailable},
    {"Buffers", &VmStats::buffers},
    {"Cached", &VmStats::cached},
    {"SReclaimable", &VmStats::sReclaimable},
    {"Shmem", &VmStats::shmem},
    {"SUnreclaim", &VmStats::sUnreclaim},
    {"KernelStack", &VmStats::kernelStack},
    {"PageTables", &VmStats::pageTables},
    {"SecPageTables", &VmStats::secPageTables},
    {"Percpu", &VmStats::percpu},
    {"Zswap", &VmStats::zswap},
    {"SwapTotal", &VmStats::swapTotal},
    {"SwapFree", &VmStats::swapFree},
};

std::uint64_t kibToBytes(std::uint64_t kib)
{
    constexpr std::uint64_t kMax = UINT64_MAX / 1024;
    return kib > kMax ? UINT64_MAX : kib * 1024;
}

} // namespace

VmStatsReader::VmStatsReader(std::string root)
    : m_root(std::move(root))
{
}

std::optional<VmStats> VmStatsReader::read() const
{
    if (!readTextFile(joinPath(m_root, "/proc/meminfo"), m_buffer))
        return std::nullopt;

    VmStats stats;
    bool hasTotal = false;
    std::string_view text(m_buffer);
    while (!text.empty()) {
        const auto eol = text.find('\n');
        std::string_view line = text.substr(0, eol);
        text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);

        const auto colon = line.find(':');
        if (colon == std::string_view::npos)
            continue;
        const auto key = line.substr(0, colon);
        for (const auto& f : kFields) {
            if (f.key != key)
                continue;
            std::string_view rest = line.substr(colon + 1);
            const auto value = parseNumber<std::uint64_t>(nextField(rest));
            if (!value)
                break;
            stats.*f.member = kibToBytes(*value);
            if (f.member == &VmStats::memTotal)
                hasTotal = true;
            if (f.member == &VmStats::memAvailable)
                stats.hasMemAvailable = true;
            break;
        }
    }
    if (!hasTotal)
        return std::nullopt;

    // zram keeps its compressed pages in RAM; mem_used_total is the third field.
    constexpr int kListEveryReads = 30;
    if (m_readsSinceListing < 0 || ++m_readsSinceListing >= kListEveryReads) {
        m_readsSinceListing = 0;
        m_zramStats.clear();
        const std::string blockDir = joinPath(m_root, "/sys/block");
        if (DIR* dir = ::opendir(blockDir.c_str())) {
            while (const dirent* entry = ::readdir(dir)) {
                if (std::strncmp(entry->d_name, "zram", 4) == 0)
                    m_zramStats.push_back(blockDir + "/" + entry->d_name + "/mm_stat");
            }
            ::closedir(dir);
        }
    }
    std::string mmStat;
    for (const auto& path : m_zramStats) {
        if (!readTextFile(path, mmStat))
            continue;
        std::string_view rest(mmStat);
        nextField(rest);
        nextField(rest);
        if (const auto used = parseNumber<std::uint64_t>(nextField(rest)))
            stats.zramUsed = (UINT64_MAX - stats.zramUsed < *used) ? UINT64_MAX : stats.zramUsed + *used;
    }
    return stats;
}

} // namespace Dunmorra::Platform
