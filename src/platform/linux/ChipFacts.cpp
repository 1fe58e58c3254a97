#include "platform/ChipFacts.h"

#include "platform/linux/TextFile.h"

#include <algorithm>
#include <charconv>
#include <dirent.h>
#include <optional>
#include <set>
#include <string_view>
#include <utility>

namespace Dunmorra::Platform {

namespace {

using Core = std::pair<long, long>; // (physical_package_id, core_id)

std::optional<long> readNumber(const std::string& path)
{
    std::string text;
    if (!Linux::readTextFile(path, text))
        return std::nullopt;
    const std::string_view t = Linux::trimmed(text, Linux::kBlanksAndNul);
    long value = 0;
    const auto r = std::from_chars(t.data(), t.data() + t.size(), value);
    if (r.ec != std::errc() || r.ptr != t.data() + t.size())
        return std::nullopt;
    return value;
}

std::string readTrimmed(const std::string& path)
{
    std::string text;
    if (!Linux::readTextFile(path, text))
        return {};
    // Device-tree strings end in a NUL; sysfs text in a new line.
    const auto nul = text.find('\0');
    if (nul != std::string::npos)
        text.resize(nul);
    return std::string(Linux::trimmed(text, Linux::kBlanksAndNul));
}

std::string brandFromCpuinfo(const std::string& root)
{
    std::string text;
    if (!Linux::readTextFile(Linux::joinPath(root, "/proc/cpuinfo"), text))
        return {};
    std::string_view view(text);
    std::size_t pos = 0;
    while (pos < view.size()) {
        std::size_t eol = view.find('\n', pos);
        if (eol == std::string_view::npos)
            eol = view.size();
        const std::string_view line = view.substr(pos, eol - pos);
        if (line.substr(0, 10) == "model name") {
            const auto colon = line.find(':');
            if (colon != std::string_view::npos)
                return std::string(Linux::trimmed(line.substr(colon + 1), Linux::kBlanksAndNul));
        }
        pos = eol + 1;
    }
    return {};
}

// Logical CPU ids that have a topology folder, ascending.
std::vector<int> logicalCpus(const std::string& cpuDir)
{
    std::vector<int> ids;
    DIR* dir = ::opendir(cpuDir.c_str());
    if (!dir)
        return ids;
    while (const dirent* e = ::readdir(dir)) {
        const std::string_view name(e->d_name);
        if (name.size() < 4 || name.substr(0, 3) != "cpu")
            continue;
        int id = 0;
        const auto r = std::from_chars(name.data() + 3, name.data() + name.size(), id);
        if (r.ec == std::errc() && r.ptr == name.data() + name.size())
            ids.push_back(id);
    }
    ::closedir(dir);
    std::sort(ids.begin(), ids.end());
    return ids;
}

std::string cpuPath(const std::string& cpuDir, int id, std::string_view leaf)
{
    std::string p = cpuDir;
    p += "/cpu";
    p += std::to_string(id);
    p += '/';
    p += leaf;
    return p;
}

std::optional<Core> coreOf(const std::string& cpuDir, int id)
{
    const auto package = readNumber(cpuPath(cpuDir, id, "topology/physical_package_id"));
    const auto core = readNumber(cpuPath(cpuDir, id, "topology/core_id"));
    if (!package || !core)
        return std::nullopt;
    return Core{*package, *core};
}

int physicalCount(const std::string& cpuDir, const std::vector<int>& cpus)
{
    std::set<Core> cores;
    for (int id : cpus) {
        if (const auto c = coreOf(cpuDir, id))
            cores.insert(*c);
    }
    return static_cast<int>(cores.size());
}

// The online CPUs are the ones the per-core loads are given for, in order.
std::vector<int> onlineCpus(const std::string& root, const std::string& cpuDir)
{
    std::string text;
    if (Linux::readTextFile(Linux::joinPath(root, "/sys/devices/system/cpu/online"), text)) {
        auto ids = parseCpuList(text);
        if (!ids.empty())
            return ids;
    }
    std::vector<int> ids;
    for (int id : logicalCpus(cpuDir)) {
        if (coreOf(cpuDir, id))
            ids.push_back(id);
    }
    return ids;
}

// The performance and the efficiency CPUs, each a sorted list, when the
// machine has two kinds of core.
std::optional<std::pair<std::vector<int>, std::vector<int>>> classifyCores(const std::string& root, const std::string& cpuDir,
                                                                           const std::vector<int>& online)
{
    // Intel hybrid: the perf-event PMUs list their CPUs.
    std::string text;
    if (Linux::readTextFile(Linux::joinPath(root, "/sys/devices/cpu_atom/cpus"), text)) {
        auto eff = parseCpuList(text);
        std::vector<int> perf;
        if (Linux::readTextFile(Linux::joinPath(root, "/sys/devices/cpu_core/cpus"), text))
            perf = parseCpuList(text);
        if (!eff.empty() && !perf.empty())
            return std::make_pair(std::move(perf), std::move(eff));
        return std::nullopt;
    }
    // Arm big.LITTLE: the lowest capacity class is the efficiency cores; every
    // higher class counts as performance.
    std::vector<std::pair<int, long>> capacities;
    for (int id : online) {
        const auto c = readNumber(cpuPath(cpuDir, id, "cpu_capacity"));
        if (!c)
            return std::nullopt;
        capacities.emplace_back(id, *c);
    }
    if (capacities.empty())
        return std::nullopt;
    const long lowest = std::min_element(capacities.begin(), capacities.end(),
                                         [](const auto& a, const auto& b) { return a.second < b.second; })->second;
    std::vector<int> perf, eff;
    for (const auto& [id, capacity] : capacities)
        (capacity == lowest ? eff : perf).push_back(id);
    if (perf.empty())
        return std::nullopt;
    return std::make_pair(std::move(perf), std::move(eff));
}

} // namespace

std::vector<int> parseCpuList(const std::string& text)
{
    std::vector<int> ids;
    const std::string_view t = Linux::trimmed(text, Linux::kBlanksAndNul);
    const char* p = t.data();
    const char* end = p + t.size();
    while (p < end) {
        int first = 0;
        auto r = std::from_chars(p, end, first);
        if (r.ec != std::errc() || first < 0)
            return {};
        p = r.ptr;
        int last = first;
        if (p < end && *p == '-') {
            r = std::from_chars(p + 1, end, last);
            if (r.ec != std::errc() || last < first || last - first > 65536)
                return {};
            p = r.ptr;
        }
        for (int i = first; i <= last; ++i)
            ids.push_back(i);
        if (p < end) {
            if (*p != ',')
                return {};
            ++p;
        }
    }
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    return ids;
}

ChipFacts readChipFacts(const std::string& root)
{
    ChipFacts facts;
    facts.brand = brandFromCpuinfo(root);
    if (facts.brand.empty())
        facts.brand = readTrimmed(Linux::joinPath(root, "/proc/device-tree/model"));
    if (facts.brand.empty())
        facts.brand = readTrimmed(Linux::joinPath(root, "/sys/devices/virtual/dmi/id/product_name"));

    const std::string cpuDir = Linux::joinPath(root, "/sys/devices/system/cpu");
    const std::vector<int> all = logicalCpus(cpuDir);
    facts.physicalCores = physicalCount(cpuDir, all);

    const std::vector<int> online = onlineCpus(root, cpuDir);
    if (const auto kinds = classifyCores(root, cpuDir, online)) {
        const auto& [perf, eff] = *kinds;
        // Each CPU by its own kind, wherever the kernel numbers it: Intel
        // puts its performance threads first, most Arm chips the little cores.
        std::vector<CoreKind> each;
        each.reserve(online.size());
        for (int id : online) {
            if (std::binary_search(eff.begin(), eff.end(), id))
                each.push_back(CoreKind::efficiency);
            else if (std::binary_search(perf.begin(), perf.end(), id))
                each.push_back(CoreKind::performance);
            else
                break; // a CPU of no known kind: better no kinds than wrong ones
        }
        if (each.size() == online.size()) {
            facts.coreKinds = std::move(each);
            facts.perfCores = physicalCount(cpuDir, perf);
            facts.effCores = physicalCount(cpuDir, eff);
        }
    }
    return facts;
}

} // namespace Dunmorra::Platform
