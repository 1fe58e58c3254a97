#include "platform/MountTable.h"

#include "platform/linux/TextFile.h"

#include <algorithm>
#include <array>
#include <sys/sysmacros.h>

namespace Dunmorra::Platform {

using namespace Linux;

bool isPseudoFileSystemType(std::string_view type)
{
    static constexpr std::array<std::string_view, 20> kPseudo = {
        "proc",    "sysfs",      "devtmpfs", "devpts",   "cgroup",   "cgroup2",     "debugfs",
        "tracefs", "securityfs", "pstore",   "bpf",      "efivarfs", "configfs",    "fusectl",
        "binfmt_misc", "mqueue", "selinuxfs", "smackfs", "nsfs",     "rpc_pipefs",
    };
    return std::find(kPseudo.begin(), kPseudo.end(), type) != kPseudo.end();
}

MountTable MountTable::parse(std::string_view text)
{
    // "36 35 98:0 /mnt1 /mnt/parent rw,noatime master:1 - ext3 /dev/root rw"
    // : the device is the third field, the type the first after " - " (the
    // optional fields before it vary in number).
    MountTable table;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);

        std::string_view rest = line;
        nextField(rest); // mount id
        nextField(rest); // parent id
        const std::string_view device = nextField(rest);
        const auto colon = device.find(':');
        const auto separator = rest.find(" - ");
        if (colon == std::string_view::npos || separator == std::string_view::npos)
            continue;
        const auto major = parseNumber<unsigned>(device.substr(0, colon));
        const auto minor = parseNumber<unsigned>(device.substr(colon + 1));
        rest.remove_prefix(separator + 3);
        const std::string_view type = nextField(rest);
        if (!major || !minor || type.empty())
            continue;
        table.m_types[makedev(*major, *minor)] = std::string(type);
    }
    return table;
}

MountTable MountTable::read(const std::string& root)
{
    std::string text;
    if (!readTextFile(joinPath(root, "/proc/self/mountinfo"), text))
        return {};
    return parse(text);
}

std::string MountTable::typeOf(dev_t device) const
{
    const auto it = m_types.find(device);
    return it == m_types.end() ? std::string() : it->second;
}

bool MountTable::isPseudo(dev_t device) const
{
    const auto it = m_types.find(device);
    return it != m_types.end() && isPseudoFileSystemType(it->second);
}

} // namespace Dunmorra::Platform
