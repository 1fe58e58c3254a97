#include "platform/ChipFacts.h"

#include <gtest/gtest.h>

using namespace Dunmorra::Platform;

namespace {
// "PPEE": the kind of each online CPU, in CPU-number order.
std::string kindsText(const std::vector<CoreKind>& kinds)
{
    std::string text;
    for (CoreKind k : kinds)
        text += k == CoreKind::efficiency ? 'E' : 'P';
    return text;
}
} // namespace

TEST(ChipFacts, ReadsBrandAndCoreKindsOfEachMachine)
{
    struct Case {
        const char* root;
        const char* brand;
        int physical, perf, eff;
        const char* kinds;
    };
    const Case cases[] = {
        // 4 threads on 2 cores, one kind of core: no kinds at all
        {"plain", "Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz", 2, 0, 0, ""},
        // Intel numbering: the performance threads (two cores with SMT) come first
        {"hybrid-perf-first", "12th Gen Intel(R) Core(TM) i7-1260P", 6, 2, 4, "PPPPEEEE"},
        {"hybrid-eff-first", "Hybrid Test CPU", 6, 2, 4, "EEEEPPPP"},
        // no model name: the device-tree model; little cores by capacity
        {"arm", "Raspberry Pi 4 Model B Rev 1.4", 4, 2, 2, "EEPP"},
        {"dmi", "ThinkPad X1 Carbon Gen 9", 0, 0, 0, ""},
        {"no-such-machine", "", 0, 0, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.root);
        const ChipFacts facts = readChipFacts(std::string(HALVORIN_FIXTURES "/chip/") + c.root);
        EXPECT_EQ(facts.brand, c.brand);
        EXPECT_EQ(facts.physicalCores, c.physical);
        EXPECT_EQ(facts.perfCores, c.perf);
        EXPECT_EQ(facts.effCores, c.eff);
        EXPECT_EQ(kindsText(facts.coreKinds), c.kinds);
    }
}

TEST(ChipFacts, ParsesKernelCpuLists)
{
    EXPECT_EQ(parseCpuList("0-3,8,10-11\n"), (std::vector<int>{0, 1, 2, 3, 8, 10, 11}));
    EXPECT_EQ(parseCpuList("5"), (std::vector<int>{5}));
    EXPECT_TRUE(parseCpuList("").empty());
    EXPECT_TRUE(parseCpuList("3-1").empty());
    EXPECT_TRUE(parseCpuList("0-x").empty());
}
