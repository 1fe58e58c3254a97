#include "model/HistoryRing.h"

#include <gtest/gtest.h>

using Dunmorra::HistoryRing;

namespace {

std::vector<int> expectedLast(int appended, int capacity)
{
    std::vector<int> out;
    for (int i = std::max(0, appended - capacity); i < appended; ++i)
        out.push_back(i);
    return out;
}

} // namespace

TEST(HistoryRing, ReadsBackTheNewestSamplesOldestFirst)
{
    struct Case { int appends; int head; };
    const Case cases[] = {{0, 0}, {59, 0}, {60, 0}, {61, 1}, {60 * 3 + 17, 17}, {120, 0}};
    for (const auto& c : cases) {
        HistoryRing<int> ring(60);
        for (int i = 0; i < c.appends; ++i)
            ring.append(i, i);
        SCOPED_TRACE(c.appends);
        EXPECT_EQ(ring.head(), c.head);
        EXPECT_EQ(ring.values(), expectedLast(c.appends, 60));
        const auto samples = ring.orderedSamples();
        ASSERT_EQ(samples.size(), ring.values().size());
        for (std::size_t i = 0; i < samples.size(); ++i)
            EXPECT_EQ(samples[i].date, samples[i].value);
    }
}

TEST(HistoryRing, CapacityBelowOneHoldsOnlyTheLatest)
{
    for (int capacity : {1, 0, -5}) {
        HistoryRing<double> ring(capacity);
        EXPECT_EQ(ring.capacity(), 1);
        for (int i = 0; i < 5; ++i)
            ring.append(i, i * 1.5);
        EXPECT_EQ(ring.values(), std::vector<double>{6.0});
    }
}

TEST(HistoryRing, LastValuesTakesTheNewestWithoutWrapErrors)
{
    HistoryRing<int> ring(5);
    for (int i = 0; i < 8; ++i)
        ring.append(i, i);
    EXPECT_EQ(ring.lastValues(3), (std::vector<int>{5, 6, 7}));
    EXPECT_EQ(ring.lastValues(99), (std::vector<int>{3, 4, 5, 6, 7}));
    EXPECT_TRUE(ring.lastValues(0).empty());
    EXPECT_EQ(ring.latest()->value, 7);
}
