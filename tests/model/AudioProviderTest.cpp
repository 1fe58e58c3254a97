#include "model/AudioProvider.h"
#include "model/WorkerPool.h"
#include "support/EventLoop.h"
#include "support/ManualClock.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>

using namespace Dunmorra;
using namespace std::chrono_literals;

namespace {

// A reader the test releases by hand, to hold a reading in flight.
struct GatedReader {
    std::mutex mutex;
    std::condition_variable cv;
    int released = 0;
    std::atomic<int> calls{0};
    std::optional<Platform::AudioServerState> result;

    AudioProvider::Reader reader()
    {
        return [this] {
            ++calls;
            std::unique_lock lock(mutex);
            cv.wait(lock, [&] { return released > 0; });
            --released;
            return result;
        };
    }
    // Opens the gate for good and waits for every reading to end, so no
    // worker outlives the gate.
    ~GatedReader()
    {
        {
            std::lock_guard lock(mutex);
            released = 1 << 20;
            cv.notify_all();
        }
        drainSamplingPool();
    }

    void release()
    {
        std::lock_guard lock(mutex);
        ++released;
        cv.notify_all();
    }
};

Platform::AudioServerState oneSink()
{
    Platform::AudioServerState s;
    s.defaultSinkName = "speakers";
    Platform::AudioDeviceRecord d;
    d.index = 5;
    d.name = "speakers";
    d.description = "Speakers";
    s.sinks = {d};
    return s;
}

AudioNameLookup noNames() { return {}; }

} // namespace

TEST(AudioProvider, PassStoresReadingAndOneReadingAtATime)
{
    GatedReader gate;
    gate.result = oneSink();
    Dunmorra::Test::ManualClock clock(1000.0);
    AudioProvider provider(gate.reader(), noNames(), clock);
    QSignalSpy changed(&provider, &AudioProvider::currentChanged);

    EXPECT_EQ(provider.current(), AudioSnapshot::empty());
    provider.sample();
    provider.sample();   // in flight: no second reading
    ASSERT_TRUE(QTest::qWaitFor([&] { return gate.calls.load() == 1; }, 30'000));
    EXPECT_TRUE(provider.isReading());
    EXPECT_EQ(changed.count(), 0);

    gate.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !provider.isReading(); }, 30'000));
    EXPECT_EQ(gate.calls.load(), 1);
    EXPECT_EQ(changed.count(), 1);
    ASSERT_TRUE(provider.current().defaultOutput);
    EXPECT_EQ(provider.current().defaultOutput->name, QStringLiteral("Speakers"));
    ASSERT_EQ(provider.history().size(), 1);
    EXPECT_DOUBLE_EQ(provider.history().orderedSamples()[0].date, 1000.0);

    // No server: an empty snapshot replaces the old one.
    gate.result.reset();
    provider.sample();
    gate.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !provider.isReading(); }, 30'000));
    EXPECT_EQ(provider.current(), AudioSnapshot::empty());
    EXPECT_EQ(provider.history().size(), 2);
}

TEST(AudioProvider, LoopSleepsOnlyAfterTheReadingReturns)
{
    GatedReader gate;
    gate.result = oneSink();
    AudioProvider provider(gate.reader(), noNames());
    QSignalSpy changed(&provider, &AudioProvider::currentChanged);

    provider.start(20ms);
    ASSERT_TRUE(QTest::qWaitFor([&] { return gate.calls.load() == 1; }, 30'000)) << "the pass comes first";
    // Many intervals pass while the reading hangs: no pass piles up behind it.
    ASSERT_TRUE(Dunmorra::Test::waitIntervals(20ms, 5));
    EXPECT_EQ(gate.calls.load(), 1);

    gate.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return gate.calls.load() == 2; }, 30'000)) << "the loop goes on afterwards";
    EXPECT_EQ(changed.count(), 1);

    provider.setPaused(true);
    gate.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return changed.count() == 2; }, 30'000));
    ASSERT_TRUE(Dunmorra::Test::waitIntervals(20ms, 5)); // five intervals, each one a pass that must not read
    EXPECT_EQ(gate.calls.load(), 2) << "paused passes read nothing";

    provider.setPaused(false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return gate.calls.load() == 3; }, 30'000));
    gate.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return changed.count() == 3; }, 30'000));
}

TEST(AudioProvider, RestartWhileReadingKeepsOneLoopAndOneReading)
{
    GatedReader gate;
    gate.result = oneSink();
    AudioProvider provider(gate.reader(), noNames());
    provider.start(20ms);
    ASSERT_TRUE(QTest::qWaitFor([&] { return gate.calls.load() == 1; }, 30'000));
    provider.start(20ms);
    // Three intervals of the new loop, which must wait for the hung reading.
    ASSERT_TRUE(Dunmorra::Test::waitIntervals(20ms, 3));
    EXPECT_EQ(gate.calls.load(), 1);
    gate.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return gate.calls.load() == 2; }, 30'000)) << "the new loop carries on";
    // Three intervals: time for a second loop, had the old one survived, to read.
    ASSERT_TRUE(Dunmorra::Test::waitIntervals(20ms, 3));
    EXPECT_EQ(gate.calls.load(), 2);
    gate.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return gate.calls.load() == 3; }, 30'000));
}

TEST(AudioProvider, ProviderGoneMidReadingDropsTheResult)
{
    GatedReader gate;
    gate.result = oneSink();
    auto provider = std::make_unique<AudioProvider>(gate.reader(), noNames());
    provider->sample();
    ASSERT_TRUE(QTest::qWaitFor([&] { return gate.calls.load() == 1; }, 30'000));
    provider.reset();
    gate.release();
    drainSamplingPool();
    QCoreApplication::processEvents();   // the queued hand-back finds no provider
    SUCCEED();
}
