#include "platform/BootTime.h"
#include "platform/CpuTicks.h"

#include <gtest/gtest.h>

#include <string>

using namespace Dunmorra::Platform;

namespace {

std::optional<std::vector<CoreTicks>> parse(const std::string& text)
{
    return CpuTicksReader::parse(text.data(), text.data() + text.size());
}

} // namespace

TEST(CpuTicks, ReadsEachCoreOfTheFixture)
{
    const auto cores = CpuTicksReader(HALVORIN_FIXTURES "/cpu/stat-a").read();
    ASSERT_TRUE(cores);
    EXPECT_EQ(*cores, (std::vector<CoreTicks>{{0, 200, 800}, {1, 0, 1000}}));
}

TEST(CpuTicks, BusyAndIdleFollowTheFieldMapping)
{
    struct Case {
        const char* what;
        const char* line;
        std::uint64_t busy, idle;
    };
    // user nice system idle iowait irq softirq steal guest guest_nice
    const Case cases[] = {
        {"iowait counts as idle", "cpu0 100 0 100 750 50 0 0 0 0 0", 200, 800},
        {"guest is already inside user", "cpu0 100 0 100 800 0 0 0 0 40 0", 200, 800},
        {"nice, irq, softirq and steal are busy", "cpu0 1 2 3 100 0 4 5 6 0 0", 21, 100},
        {"old kernels stop after idle", "cpu0 10 0 10 80", 20, 80},
        {"counters beyond 32 bits", "cpu0 5000000000 0 0 9000000000 0 0 0 0 0 0", 5000000000ULL, 9000000000ULL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto cores = parse(std::string(c.line) + "\n");
        ASSERT_TRUE(cores);
        ASSERT_EQ(cores->size(), 1u);
        EXPECT_EQ((*cores)[0].busy, c.busy);
        EXPECT_EQ((*cores)[0].idle, c.idle);
    }
}

TEST(CpuTicks, KeepsTheCpuNumberAndSkipsTheAggregateLine)
{
    // cpu1 is offline: it has no line.
    const auto cores = parse("cpu  9 9 9 9 0 0 0 0 0 0\ncpu0 1 0 0 1 0 0 0 0 0 0\ncpu2 2 0 0 2 0 0 0 0 0 0\n"
                             "cpufreq 1 2 3 4\nintr 5\n");
    ASSERT_TRUE(cores);
    ASSERT_EQ(cores->size(), 2u);
    EXPECT_EQ((*cores)[0].cpu, 0);
    EXPECT_EQ((*cores)[1].cpu, 2);
}

TEST(CpuTicks, NothingReadableIsNoReading)
{
    EXPECT_FALSE(CpuTicksReader(HALVORIN_FIXTURES "/no-such-root").read());
    EXPECT_FALSE(parse("intr 1 2 3\nbtime 5\n"));
    EXPECT_FALSE(parse("cpu0 1 2\n"));
    EXPECT_FALSE(parse(""));
}

TEST(BootTime, ReadsBtime)
{
    EXPECT_EQ(readBootTime(HALVORIN_FIXTURES "/cpu/stat-a"), 1700000000);
    EXPECT_FALSE(readBootTime(HALVORIN_FIXTURES "/no-such-root"));
    EXPECT_FALSE(readBootTime(HALVORIN_FIXTURES "/chip/plain")); // no proc/stat there
}
