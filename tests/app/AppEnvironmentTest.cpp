#include "app/AppEnvironment.h"
#include "folders/FolderProvider.h"
#include "history/AlertsMonitor.h"
#include "history/HistoryRecorder.h"
#include "model/AudioProvider.h"
#include "model/BatteryProvider.h"
#include "model/CPUProvider.h"
#include "model/DiskProvider.h"
#include "model/MemoryProvider.h"
#include "model/NetworkProvider.h"

#include "support/EventLoop.h"
#include "support/ManualClock.h"

#include <QDateTime>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace Dunmorra;
using namespace std::chrono_literals;

namespace {

// Lets the first background passes hand back before the providers go.
struct Settled {
    ~Settled() { Dunmorra::Test::settle(); }
};

} // namespace

TEST(AppEnvironment, StartsEveryLoopButTheFolderModelWithTheFirstReadingsInPlace)
{
    Settled settled;
    AppEnvironment env;
    EXPECT_FALSE(env.selectedDate().isValid());

    struct Loop {
        const char* name;
        const PollLoop& loop;
        std::chrono::milliseconds interval;
    };
    const Loop loops[] = {
        {"cpu", env.cpu().loop(), 1s},       {"memory", env.memory().loop(), 2s},
        {"battery", env.battery().loop(), 30s}, {"disk", env.disk().loop(), 1s},
        {"network", env.network().loop(), 1s}, {"audio", env.audio().loop(), 3s},
        {"recorder", env.recorder().loop(), 60s}, {"alerts", env.alerts().loop(), 5s},
    };
    for (const Loop& l : loops) {
        EXPECT_TRUE(l.loop.isRunning()) << l.name;
        EXPECT_EQ(l.loop.interval(), l.interval) << l.name;
        EXPECT_EQ(l.loop.generation(), 1) << l.name << " was started more than once";
    }
    EXPECT_FALSE(env.folders().isScanning());
    EXPECT_EQ(env.recorder().day(), QDate::currentDate());

    // The start's own readings, before any view is built.
    EXPECT_TRUE(env.cpu().prevReady());
    EXPECT_NE(env.memory().current(), MemorySnapshot::initial());
    EXPECT_GT(env.memory().current().totalBytes, 0u);
}

TEST(AppEnvironment, ShiftingTheSelectedDayMovesByCalendarDaysAndReturnsToLive)
{
    Settled settled;
    const QDate today(2026, 12, 10);
    Dunmorra::Test::ManualClock clock(QDateTime(today, QTime(15, 30)).toSecsSinceEpoch());
    AppEnvironment env(clock);
    QSignalSpy changed(&env, &AppEnvironment::selectedDateChanged);

    struct Step {
        int days;
        QDate expected; // invalid: live
    };
    const Step steps[] = {
        {-1, today.addDays(-1)}, {+1, QDate()},   {+3, QDate()},  {0, QDate()},
        {-10, today.addDays(-10)}, {+5, today.addDays(-5)}, {+9, QDate()},
    };
    for (const Step& s : steps) {
        env.shiftSelectedDate(s.days);
        EXPECT_EQ(env.selectedDate(), s.expected) << s.days;
    }
    EXPECT_EQ(changed.count(), 5); // shifts that left live mode as it was notify nothing

    changed.clear();
    env.setSelectedDate(today.addDays(-2));
    env.setSelectedDate(today.addDays(-2));
    EXPECT_EQ(changed.count(), 1);
}
