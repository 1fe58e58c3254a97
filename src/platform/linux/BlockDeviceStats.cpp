#include "platform/BlockDeviceStats.h"

#include "platform/linux/TextFile.h"

#include <string_view>
#include <sys/stat.h>

namespace Dunmorra::Platform {

using namespace Linux;

namespace {

constexpr std::uint64_t kSectorBytes = 512; // diskstats counts 512-byte sectors whatever the device's block size

std::uint64_t sectorsToBytes(std::uint64_t sectors)
{
    return sectors > UINT64_MAX / kSectorBytes ? UINT64_MAX : sectors * kSectorBytes;
}

} // namespace

BlockDeviceStats::BlockDeviceStats(std::string root)
    : m_root(std::move(root))
    , m_blockDir(joinPath(m_root, "/sys/block/"))
{
}

bool BlockDeviceStats::isVirtualName(std::string_view name)
{
    for (std::string_view prefix : {"loop", "ram", "zram", "dm-", "md", "nbd"}) {
        if (name.substr(0, prefix.size()) == prefix)
            return true;
    }
    return false;
}

std::optional<std::vector<DiskCounters>> BlockDeviceStats::read() const
{
    struct stat st {};
    if (::stat(m_blockDir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return std::nullopt;
    if (!readTextFile(joinPath(m_root, "/proc/diskstats"), m_buffer))
        return std::nullopt;

    std::vector<DiskCounters> disks;
    std::string devicePath;
    std::string_view text(m_buffer);
    while (!text.empty()) {
        const auto eol = text.find('\n');
        std::string_view rest = text.substr(0, eol);
        text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);

        nextField(rest); // major
        nextField(rest); // minor
        const auto name = nextField(rest);
        if (name.empty() || isVirtualName(name))
            continue;
        devicePath.assign(m_blockDir).append(name).append("/device");
        if (::stat(devicePath.c_str(), &st) != 0)
            continue; // a partition, or a virtual device without hardware behind it

        std::string_view fields[7];
        int count = 0;
        while (count < 7) {
            fields[count] = nextField(rest);
            if (fields[count].empty())
                break;
            ++count;
        }
        // reads, merged, sectors read, ms, writes, merged, sectors written
        DiskCounters& disk = disks.emplace_back();
        disk.name.assign(name);
        if (count >= 3) {
            if (const auto sectors = parseNumber<std::uint64_t>(fields[2]))
                disk.readBytes = sectorsToBytes(*sectors);
        }
        if (count >= 7) {
            if (const auto sectors = parseNumber<std::uint64_t>(fields[6]))
                disk.writeBytes = sectorsToBytes(*sectors);
        }
    }
    return disks;
}

} // namespace Dunmorra::Platform
