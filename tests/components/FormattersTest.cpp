#include "components/Formatters.h"

#include <QTemporaryDir>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

#include <gtest/gtest.h>

using namespace Dunmorra;

namespace {

void expectByteTexts()
{
    const struct {
        std::uint64_t bytes;
        const char* text;
    } counts[] = {
        {0, "0 KB"},
        {512, "0 KB"}, // printf rounds the tie to even
        {1023, "1 KB"},
        {1048575, "1024 KB"},
        {1048576, "1 MB"},
        {2621440, "2 MB"}, // 2.5 MiB, a tie
        {1073741823, "1024 MB"},
        {1073741824, "1.0 GB"},
        {1610612736, "1.5 GB"},
        {UINT64_MAX, "17179869184.0 GB"},
    };
    for (const auto& c : counts)
        EXPECT_EQ(formatBytes(c.bytes), c.text) << c.bytes;

    const struct {
        double rate;
        const char* text;
    } rates[] = {
        {-5, "0 B/s"},
        {std::nan(""), "0 B/s"},
        {1023.4, "1023 B/s"},
        {1024, "1.0 KB/s"},
        {1536, "1.5 KB/s"},
        {1048575, "1024.0 KB/s"},
        {1048576, "1.0 MB/s"},
        {1073741824, "1.00 GB/s"},
        {std::numeric_limits<double>::infinity(), "inf GB/s"},
    };
    for (const auto& r : rates)
        EXPECT_EQ(formatBytesPerSecond(r.rate), r.text) << r.rate;
}

} // namespace

TEST(Formatters, FollowTheUnitTablesAndPrintfRounding)
{
    expectByteTexts();
}

// The application runs with the user's C locale (Qt sets it at start); a
// German one must not turn the points into commas.
TEST(Formatters, IgnoreADecimalCommaLocale)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string locales = dir.path().toStdString();
    const std::string build = "localedef -i de_DE -f UTF-8 '" + locales + "/de_DE.utf8' >/dev/null 2>&1";
    ASSERT_EQ(std::system(build.c_str()), 0) << "localedef cannot build de_DE (Debian package: locales)";
    const char* previousPath = std::getenv("LOCPATH");
    const std::string savedPath = previousPath ? previousPath : "";
    const std::string savedLocale = std::setlocale(LC_ALL, nullptr);
    setenv("LOCPATH", locales.c_str(), 1);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);

    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    EXPECT_STREQ(probe, "1,5") << "the locale did not take effect";
    expectByteTexts();

    std::setlocale(LC_ALL, savedLocale.c_str());
    if (previousPath)
        setenv("LOCPATH", savedPath.c_str(), 1);
    else
        unsetenv("LOCPATH");
}
