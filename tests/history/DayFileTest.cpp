#include "history/DayFile.h"

#include "HistoryTestData.h"
#include "ScopedTimeZone.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>


namespace Dunmorra {
namespace {

using Test::sampleDay;

TEST(DayFile, LivesUnderTheUserDataFolder)
{
    EXPECT_EQ(DayFile::historyDirectory(), qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Halvorin/history"));
    EXPECT_EQ(DayFile::path(QDate(2026, 12, 9), QStringLiteral("/h")), QStringLiteral("/h/2026-12-09.json"));
    EXPECT_TRUE(DayFile::path(QDate(2026, 12, 9), QString()).isEmpty());
}

TEST(DayFile, NameIsTheGregorianDateInAsciiDigitsUnderAnyLocale)
{
    for (const char* locale : {"es_ES", "ar_EG", "th_TH", "fa_IR"}) {
        QLocale::setDefault(QLocale(QString::fromLatin1(locale)));
        EXPECT_EQ(DayFile::fileName(QDate(2026, 12, 9)), QStringLiteral("2026-12-09.json")) << locale;
    }
    QLocale::setDefault(QLocale::c());
}

TEST(DayFile, OneInstantNamesDifferentDaysInDifferentZones)
{
    const double unix = 1796774400 + 12 * 3600;  // 2026-12-09 12:00 UTC
    Dunmorra::Test::ScopedTimeZone east("Pacific/Kiritimati");  // UTC+14
    EXPECT_EQ(localDateTimeFromUnix(unix).date(), QDate(2026, 12, 10));
    Dunmorra::Test::ScopedTimeZone west("Pacific/Pago_Pago");    // UTC-11
    EXPECT_EQ(localDateTimeFromUnix(unix).date(), QDate(2026, 12, 9));
}

TEST(DayFile, DayWithoutMidnightStartsAtItsFirstValidInstant)
{
    Dunmorra::Test::ScopedTimeZone santiago("America/Santiago");  // 2022-09-11 00:00 does not exist
    const double start = dayStartReference(QDate(2022, 9, 11));
    const QDateTime first = localDateTimeFromUnix(unixFromReference(start));
    EXPECT_EQ(first.date(), QDate(2022, 9, 11));
    EXPECT_EQ(first.time(), QTime(1, 0));
}

TEST(DayFile, WriteThenReadGivesTheSameDay)
{
    QTemporaryDir dir;
    const QString path = DayFile::path(QDate(2026, 12, 9), dir.filePath(QStringLiteral("new/history")));
    EXPECT_FALSE(DayFile::write(path, sampleDay()));  // creates the folders
    const auto back = DayFile::read(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, sampleDay());
    EXPECT_FALSE(DayFile::read(dir.filePath(QStringLiteral("missing.json"))));
}

} // namespace
} // namespace Dunmorra
