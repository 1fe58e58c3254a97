#pragma once

#include <string>
#include <vector>

namespace Dunmorra::Platform {

// What the processor says about itself. A count that cannot be read is 0.
struct ChipFacts {
    std::string brand;        // "model name", else the machine model; trimmed
    int physicalCores = 0;    // distinct (package, core) pairs
    // Performance and efficiency cores, reported only when the efficiency
    // cores are the leading logical CPUs (the order of the per-core loads),
    // since the views label the first effCores loads as efficiency cores.
    // Otherwise both are 0.
    int perfCores = 0;
    int effCores = 0;
};

ChipFacts readChipFacts(const std::string& root = "/");

// Parses a kernel CPU list such as "0-3,8,10-11"; empty on malformed text.
std::vector<int> parseCpuList(const std::string& text);

} // namespace Dunmorra::Platform
