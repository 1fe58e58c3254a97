#include "history/DailySummaryCodec.h"
#include "history/DayFile.h"

#include "CompiledLocales.h"
#include "HistoryTestData.h"

#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <clocale>

namespace Dunmorra {
namespace {

TEST(DayFileLocale, NamesAndNumbersDoNotDependOnTheLocale)
{
    std::setlocale(LC_ALL, "C");
    DailySummary day = Dunmorra::Test::sampleDay();
    day.hours[0].memoryGB.sum = 26.625;
    const std::string expected = encodeDailySummary(day);

    QTemporaryDir locales;
    const auto names = {"es_ES.UTF-8", "ar_EG.UTF-8", "th_TH.UTF-8"};
    Dunmorra::Test::buildLocales(names, locales.path());
    for (const char* name : names) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(std::setlocale(LC_ALL, name)) << "localedef could not build " << name;
        QLocale::setDefault(QLocale(QString::fromLatin1(name).section(QLatin1Char('.'), 0, 0)));
        EXPECT_EQ(DayFile::fileName(QDate(2026, 12, 9)), QStringLiteral("2026-12-09.json"));
        EXPECT_EQ(encodeDailySummary(day), expected);
        EXPECT_EQ(decodeDailySummary(expected), day);
    }
    EXPECT_STREQ(std::localeconv()->decimal_point, ".");  // th_TH, the last one
    std::setlocale(LC_ALL, "es_ES.UTF-8");
    EXPECT_STREQ(std::localeconv()->decimal_point, ",");  // the Spanish case did test a comma
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(QLocale::c());
}

} // namespace
} // namespace Dunmorra
