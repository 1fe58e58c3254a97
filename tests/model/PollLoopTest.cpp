#include "model/PollLoop.h"

#include "support/EventLoop.h"

#include <gtest/gtest.h>

using namespace Dunmorra;
using namespace std::chrono_literals;
namespace support = Dunmorra::Test;

TEST(PollLoop, StartingAgainLeavesOnlyTheNewLoopRunning)
{
    PollLoop loop;
    int first = 0, second = 0;
    loop.start(1ms, [&] { ++first; });
    loop.start(1ms, [&] { ++second; });
    ASSERT_TRUE(support::settle([&] { return second >= 3; }));
    EXPECT_EQ(first, 0);
}

TEST(PollLoop, ADeferredPassSleepsOnlyOnceItsWorkIsDone)
{
    PollLoop loop;
    EXPECT_EQ(loop.deferPass(), -1); // outside a pass

    int passes = 0;
    int token = -1;
    loop.start(1ms, [&] {
        ++passes;
        token = loop.deferPass();
    });
    ASSERT_TRUE(support::settle([&] { return passes == 1; }));
    // Thirty intervals, in which a loop that did not wait would pass again.
    ASSERT_TRUE(support::waitIntervals(1ms, 30));
    EXPECT_EQ(passes, 1);

    loop.finishPass(token);
    ASSERT_TRUE(support::settle([&] { return passes == 2; }));

    // A token of a replaced loop does not end the new loop's deferred pass.
    const int stale = token;
    int fresh = 0;
    int freshToken = -1;
    loop.start(1ms, [&] {
        ++fresh;
        freshToken = loop.deferPass();
    });
    ASSERT_TRUE(support::settle([&] { return fresh == 1; }));
    loop.finishPass(stale);
    // Thirty intervals, in which a loop woken by the stale token would pass again.
    ASSERT_TRUE(support::waitIntervals(1ms, 30));
    EXPECT_EQ(fresh, 1);
    loop.finishPass(freshToken);
    ASSERT_TRUE(support::settle([&] { return fresh == 2; }));
    EXPECT_EQ(passes, 2);
}
