#include "model/DaySelection.h"

#include "history/ScopedTimeZone.h"
#include "support/ManualClock.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace Dunmorra;

namespace {

double secondsAt(QDate day, QTime time)
{
    return static_cast<double>(QDateTime(day, time).toSecsSinceEpoch());
}

} // namespace

TEST(DaySelection, WaitsOutEachDayToItsEndIncludingDaysOf23And25Hours)
{
    Dunmorra::Test::ScopedTimeZone zone("Europe/Madrid");
    struct Case {
        QDate day;
        QTime at;
        qint64 expectedMs;
    };
    const Case cases[] = {
        {{2026, 6, 10}, {23, 59, 59, 500}, 500},
        {{2026, 6, 10}, {0, 0}, 24 * 3600'000LL},
        {{2026, 3, 29}, {0, 30}, 22 * 3600'000LL + 30 * 60'000LL},   // spring forward: 23 hours
        {{2026, 10, 25}, {0, 30}, 24 * 3600'000LL + 30 * 60'000LL},  // fall back: 25 hours
    };
    for (const Case& c : cases)
        EXPECT_EQ(DaySelection::msUntilNextDay(QDateTime(c.day, c.at)), c.expectedMs) << c.day.toString().toStdString();

    // A day whose midnight does not exist starts at 01:00, an hour after 23:00.
    Dunmorra::Test::ScopedTimeZone santiago("America/Santiago");
    EXPECT_EQ(DaySelection::msUntilNextDay(QDateTime(QDate(2022, 9, 10), QTime(23, 0))), 3600'000LL);
}

TEST(DaySelection, TheDayTimerAnnouncesANewDayOnlyWhenTheDayChanged)
{
    Dunmorra::Test::ScopedTimeZone zone("Europe/Madrid");
    const QDate day(2026, 12, 10);
    Dunmorra::Test::ManualClock clock(secondsAt(day, QTime(23, 59, 30)));
    DaySelection days(clock);
    QSignalSpy turned(&days, &DaySelection::todayChanged);
    QSignalSpy selected(&days, &DaySelection::selectedDateChanged);
    ASSERT_TRUE(days.dayTimer().isActive());
    EXPECT_NEAR(days.dayTimer().interval(), 30'000, 100);

    days.checkToday();   // woken early: the same day
    EXPECT_EQ(turned.count(), 0);

    days.shiftSelectedDate(-1);
    EXPECT_EQ(days.selectedDate(), day.addDays(-1));
    clock.advance(60);
    days.checkToday();
    EXPECT_EQ(turned.count(), 1);
    EXPECT_EQ(days.today(), day.addDays(1));
    // A chosen day stays chosen; live would now mean the new day.
    EXPECT_EQ(days.selectedDate(), day.addDays(-1));
    EXPECT_EQ(selected.count(), 1);
    EXPECT_TRUE(days.dayTimer().isActive());
    // Re-armed, but never longer than an hour, so a suspend or a clock set
    // by hand is noticed.
    EXPECT_EQ(days.dayTimer().interval(), 3'600'000);

    days.setSelectedDate(QDate());
    days.shiftSelectedDate(-1);
    EXPECT_EQ(days.selectedDate(), day);
    EXPECT_EQ(days.shownDay(), day);
}
