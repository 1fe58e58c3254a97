#pragma once

#include <string>
#include <vector>

namespace Dunmorra::Platform {

enum class CoreKind { performance, efficiency };

// What the processor says about itself. A count that cannot be read is 0.
struct ChipFacts {
    std::string brand;        // "model name", else the machine model; trimmed
    int physicalCores = 0;    // distinct (package, core) pairs
    // Physical performance and efficiency cores; both 0 on a chip whose
    // cores are all of one kind.
    int perfCores = 0;
    int effCores = 0;
    // The kind of each online logical CPU in CPU-number order, which is the
    // order of the per-core loads; empty when the cores are all of one kind
    // (or the kernel does not say).
    std::vector<CoreKind> coreKinds;
};

ChipFacts readChipFacts(const std::string& root = "/");

// Parses a kernel CPU list such as "0-3,8,10-11"; empty on malformed text.
std::vector<int> parseCpuList(const std::string& text);

} // namespace Dunmorra::Platform
