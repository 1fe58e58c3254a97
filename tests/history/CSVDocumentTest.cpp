#include "history/CSVDocument.h"

#include "CompiledLocales.h"
#include "HistoryTestData.h"
#include "ScopedFileSizeLimit.h"
#include "ScopedTimeZone.h"
#include "history/StatsHistory.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <clocale>

namespace Dunmorra {
namespace {

const QDate kToday(2026, 3, 10);

// The fixture days 03-07 and 03-09 (tests/fixtures/history/stats) hold
// process names a spreadsheet would misread: commas, quotes, line breaks and
// formula starts. Today is the recorder's empty summary.
StatsHistory fixtureWeek()
{
    return StatsHistory::load(kToday, 7, Dunmorra::Test::fixturePath(QStringLiteral("history/stats")),
                              DailySummary::emptyFor(kToday), kToday);
}

const QByteArray kFixtureWeekCSV =
    "Date,Avg CPU %,Peak CPU %,Avg Memory GB,Peak Memory GB,Network Up MB,Network Down MB,Disk Read MB,Disk Write MB\n"
    "2026-03-07,25.0,40.0,8.00,9.50,1.0,5.0,3.0,0.0\n"
    "2026-03-09,20.0,50.0,4.50,6.00,0.0,1.5,0.0,0.0\n"
    "2026-03-10,0.0,0.0,0.00,0.00,0.0,0.0,0.0,0.0\n"
    "\n"
    "Top Processes\n"
    "Date,Process,Avg CPU %,Avg Memory\n"
    "2026-03-07,'=cmd,20.0,0 KB\n"              // 512 bytes: the half rounds to even
    "2026-03-07,\"a,b\",10.0,1.0 GB\n"
    "2026-03-07,\"say \"\"hi\"\"\",5.0,1 MB\n"
    "2026-03-07,\"two\nlines\",4.0,1024 KB\n"   // 1,048,575 bytes is still below 1 MB
    "2026-03-07,'+SUM(A1),3.0,0 KB\n"           // the sixth process, "plain", is left out
    "2026-03-09,'@user,5.0,2 KB\n"
    "2026-03-09,'-rf,4.0,1.4 GB\n"              // 3,000,000,000 / 2 bytes
    "2026-03-09,'\tindent,3.0,0 KB\n"
    "2026-03-09,\"'\rcr\",2.0,1 KB\n"
    "2026-03-09,idle,0.0,0 KB";                 // never counted: 0.0 and 0 KB

class CSVDocumentTest : public ::testing::Test {
protected:
    Dunmorra::Test::ScopedTimeZone zone{"Europe/Berlin"};
};

TEST_F(CSVDocumentTest, FixtureWeekGivesExactBytesInAnyLocale)
{
    const StatsHistory week = fixtureWeek();
    EXPECT_EQ(CSVDocument(week.stats, week.summaries).bytes(), kFixtureWeekCSV);

    // A comma as decimal separator and a localised date must change nothing.
    QTemporaryDir locales;
    Dunmorra::Test::buildLocales({"de_DE.UTF-8"}, locales.path());
    ASSERT_TRUE(std::setlocale(LC_ALL, "de_DE.UTF-8")) << "localedef could not build de_DE";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QByteArray german = CSVDocument(week.stats, week.summaries).bytes();
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(german, kFixtureWeekCSV);
    EXPECT_FALSE(german.startsWith("\xEF\xBB\xBF"));
}

TEST_F(CSVDocumentTest, OneDayWithoutProcessesIsFiveLines)
{
    const DailySummary day = DailySummary::emptyFor(kToday);
    const QString text = CSVDocument::csvContent({DayStats::from(day)}, {day});
    EXPECT_EQ(text.split(QLatin1Char('\n')).size(), 5);
    EXPECT_TRUE(text.endsWith(QStringLiteral("\nDate,Process,Avg CPU %,Avg Memory")));
}

TEST_F(CSVDocumentTest, TextFieldsAreGuardedAndOrdinaryNamesKept)
{
    struct Case {
        const char* name;
        const char* field;
    } cases[] = {
        {"Google Chrome Helper (Renderer)", "Google Chrome Helper (Renderer)"},
        {"kworker/0:1-events", "kworker/0:1-events"},
        {"x=1", "x=1"},
        {"", ""},
        {"=HYPERLINK(\"http://x\")", "\"'=HYPERLINK(\"\"http://x\"\")\""},
        {"-", "'-"},
        {"\r", "\"'\r\""},
        {"a\r\nb", "\"a\r\nb\""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CSVDocument::textField(QString::fromUtf8(c.name)), QString::fromUtf8(c.field)) << c.name;
    EXPECT_EQ(CSVDocument::textField(QStringLiteral("Größe ✓")), QStringLiteral("Größe ✓"));
}

TEST_F(CSVDocumentTest, ProposedNamesFollowTheRange)
{
    EXPECT_EQ(CSVDocument::proposedFileName(StatsRange::week), QStringLiteral("Halvorin-7-days"));
    EXPECT_EQ(CSVDocument::proposedFileName(StatsRange::month), QStringLiteral("Halvorin-30-days"));
    EXPECT_EQ(CSVDocument::proposedFileName(StatsRange::quarter), QStringLiteral("Halvorin-90-days"));
}

TEST_F(CSVDocumentTest, WriteReplacesTheFileOrFailsLeavingNothingPartial)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath(QStringLiteral("Halvorin-7-days.csv"));
    const CSVDocument document(QString::fromUtf8(kFixtureWeekCSV));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    EXPECT_EQ(document.write(path), std::nullopt);
    EXPECT_EQ(Dunmorra::Test::readText(path), kFixtureWeekCSV.toStdString());

    {
        // A full disk: the write stops short; the previous file stays whole.
        Dunmorra::Test::ScopedFileSizeLimit full(64);
        ASSERT_TRUE(full.active());
        const std::optional<QString> error = CSVDocument(QStringLiteral("x").repeated(4096)).write(path);
        ASSERT_TRUE(error);
        EXPECT_FALSE(error->isEmpty());
    }
    EXPECT_EQ(Dunmorra::Test::readText(path), kFixtureWeekCSV.toStdString());
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files), QStringList{QStringLiteral("Halvorin-7-days.csv")});

    // Folders no one can write to, root included.
    ASSERT_TRUE(QFile(tmp.filePath(QStringLiteral("file"))).open(QIODevice::WriteOnly));
    for (const QString& unwritable : {tmp.filePath(QStringLiteral("file/x.csv")),
                                      tmp.filePath(QStringLiteral("missing/x.csv")),
                                      QStringLiteral("/proc/halvorin-test.csv")}) {
        SCOPED_TRACE(unwritable.toStdString());
        const std::optional<QString> error = document.write(unwritable);
        ASSERT_TRUE(error);
        EXPECT_FALSE(error->isEmpty());
        EXPECT_FALSE(QFile::exists(unwritable));
    }
}

} // namespace
} // namespace Dunmorra
