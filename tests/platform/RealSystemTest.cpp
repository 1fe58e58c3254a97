#include "platform/BootTime.h"
#include "platform/ChipFacts.h"
#include "platform/CpuTicks.h"
#include "platform/ProcessTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <unistd.h>

using namespace Dunmorra::Platform;

// Against this machine's own /proc and /sys: plausible, not exact.
TEST(RealSystem, ReadsThisMachine)
{
    const auto cores = CpuTicksReader().read();
    ASSERT_TRUE(cores);
    EXPECT_GE(cores->size(), 1u);
    EXPECT_GT((*cores)[0].total(), 0u);

    const auto boot = readBootTime();
    ASSERT_TRUE(boot);
    EXPECT_GT(*boot, 946684800); // after 2000
    EXPECT_LE(*boot, std::time(nullptr));

    const ChipFacts chip = readChipFacts();
    EXPECT_GE(chip.physicalCores, 0);
    EXPECT_LE(chip.effCores, chip.physicalCores);

    const auto table = ProcessTable().read();
    const auto self = std::find_if(table.begin(), table.end(),
                                   [](const ProcessRecord& r) { return r.pid == ::getpid(); });
    ASSERT_NE(self, table.end());
    EXPECT_FALSE(self->name.empty());
    EXPECT_GT(self->residentBytes, 0u);
    EXPECT_FALSE(self->executablePath.empty());
}
