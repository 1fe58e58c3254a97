#include "platform/BootTime.h"
#include "platform/ChipFacts.h"
#include "platform/CpuTicks.h"
#include "platform/FileSystemSpace.h"
#include "platform/ProcessTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
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

// The root file system's figures are df's: the root reserve is neither used
// nor free (on this kind of machine it is most of the "free" blocks).
TEST(RealSystem, RootVolumeSpaceIsWhatDfReports)
{
    FILE* df = ::popen("df -B1 --output=size,used,avail / 2>/dev/null", "r");
    ASSERT_NE(df, nullptr);
    char header[256] = {};
    unsigned long long size = 0, used = 0, avail = 0;
    const bool read = std::fgets(header, sizeof header, df) && std::fscanf(df, "%llu %llu %llu", &size, &used, &avail) == 3;
    ::pclose(df);
    ASSERT_TRUE(read) << "df gave no figures";
    const auto space = fileSystemSpace("/");
    ASSERT_TRUE(space);
    // Other programs write meanwhile: within a GiB.
    const auto near = [](std::uint64_t ours, unsigned long long theirs) {
        const double d = static_cast<double>(ours) - static_cast<double>(theirs);
        return d < 1073741824.0 && d > -1073741824.0;
    };
    EXPECT_EQ(space->totalBytes, size);
    EXPECT_TRUE(near(space->freeBytes, avail)) << space->freeBytes << " vs " << avail;
    const std::uint64_t ourUsed = space->totalBytes - space->freeBytes - space->reservedBytes;
    EXPECT_TRUE(near(ourUsed, used)) << ourUsed << " vs " << used;
}
