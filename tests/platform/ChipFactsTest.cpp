#include "platform/ChipFacts.h"

#include <gtest/gtest.h>

using namespace Dunmorra::Platform;

TEST(ChipFacts, ReadsBrandAndCoreKindsOfEachMachine)
{
    struct Case {
        const char* root;
        const char* brand;
        int physical, perf, eff;
    };
    const Case cases[] = {
        // 4 threads on 2 cores, one kind of core
        {"plain", "Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz", 2, 0, 0},
        // Intel numbering: performance threads first, so the E-first labels
        // cannot line up with the loads
        {"hybrid-perf-first", "12th Gen Intel(R) Core(TM) i7-1260P", 6, 0, 0},
        {"hybrid-eff-first", "Hybrid Test CPU", 6, 2, 4},
        // no model name: the device-tree model; little cores by capacity
        {"arm", "Raspberry Pi 4 Model B Rev 1.4", 4, 2, 2},
        {"dmi", "ThinkPad X1 Carbon Gen 9", 0, 0, 0},
        {"no-such-machine", "", 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.root);
        const ChipFacts facts = readChipFacts(std::string(HALVORIN_FIXTURES "/chip/") + c.root);
        EXPECT_EQ(facts.brand, c.brand);
        EXPECT_EQ(facts.physicalCores, c.physical);
        EXPECT_EQ(facts.perfCores, c.perf);
        EXPECT_EQ(facts.effCores, c.eff);
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
