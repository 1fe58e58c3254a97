#include "history/BatteryHealthHistory.h"

#include "HistoryTestData.h"
#include "history/DayFile.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace Dunmorra {
namespace {

const QDate kToday(2026, 3, 15);

void writeHealth(const QString& dir, int daysAgo, std::int64_t health)
{
    DailySummary day = Dunmorra::Test::sampleDay();
    day.batteryHealthPercent = health;
    ASSERT_FALSE(DayFile::write(DayFile::path(kToday.addDays(-daysAgo), dir), day));
}

TEST(BatteryHealthHistory, SixPreviousDaysOldestFirstAndNeverToday)
{
    QTemporaryDir dir;
    const QString d = dir.path();
    writeHealth(d, 7, 60);   // one day too old
    for (int ago = 6; ago >= 1; --ago)
        writeHealth(d, ago, 100 - ago);
    writeHealth(d, 0, 50);   // today's file: the live value stands for today
    EXPECT_EQ(recordedBatteryHealth(kToday, d), (std::vector<std::int64_t>{94, 95, 96, 97, 98, 99}));
}

TEST(BatteryHealthHistory, UnusableDaysAreGapsNotZeros)
{
    QTemporaryDir dir;
    const QString d = dir.path();
    writeHealth(d, 6, 91);
    // 5 days ago: no file at all.
    ASSERT_TRUE(QFile::copy(Dunmorra::Test::fixturePath(QStringLiteral("history/bad/truncated.json")),
                            DayFile::path(kToday.addDays(-4), d)));
    ASSERT_TRUE(QFile::copy(Dunmorra::Test::fixturePath(QStringLiteral("history/bad/missing-key.json")),
                            DayFile::path(kToday.addDays(-3), d)));
    writeHealth(d, 2, 0);    // a day recorded without a battery
    ASSERT_TRUE(QDir(d).mkdir(DayFile::fileName(kToday.addDays(-1))));   // cannot be read as a file
    EXPECT_EQ(recordedBatteryHealth(kToday, d), (std::vector<std::int64_t>{91}));

    EXPECT_TRUE(recordedBatteryHealth(kToday, dir.filePath(QStringLiteral("nowhere"))).empty());
    EXPECT_TRUE(recordedBatteryHealth(kToday, QString()).empty());
    EXPECT_TRUE(recordedBatteryHealth(QDate(), d).empty());
}

} // namespace
} // namespace Dunmorra
