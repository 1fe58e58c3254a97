#include "tabs/stats/StatsAxisTicks.h"

#include "components/Formatters.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace Dunmorra {
namespace {

// The bar charts' mark text: megabytes shown through formatBytes.
QString megabyteText(double megabytes)
{
    return QString::fromStdString(formatBytes(static_cast<std::uint64_t>(megabytes * 1048576.0)));
}

QStringList texts(const StatsAxisTicks::Scale& scale)
{
    QStringList out;
    for (const double mark : scale.marks)
        out << megabyteText(mark);
    return out;
}

TEST(StatsAxisTicks, MegabyteMarksNeverRepeatATextOverAWideRangeOfMaxima)
{
    // From half a kilobyte to several terabytes, in small steps, so every
    // change of unit and every round step boundary is crossed.
    for (double largest = 0.0005; largest < 8e6; largest *= 1.013) {
        const StatsAxisTicks::Scale scale = StatsAxisTicks::megabyteScale(largest, megabyteText);
        ASSERT_GE(scale.marks.size(), 2u) << largest;
        EXPECT_EQ(scale.marks.front(), 0.0) << largest;
        EXPECT_GE(scale.top * (1 + 1e-9), largest) << largest;
        EXPECT_NEAR(scale.marks.back(), scale.top, scale.top * 1e-9) << largest;
        const QStringList shown = texts(scale);
        EXPECT_EQ(std::set<QString>(shown.begin(), shown.end()).size(), static_cast<std::size_t>(shown.size()))
            << largest << ": " << shown.join(QLatin1String(", ")).toStdString();
    }
}

TEST(StatsAxisTicks, MegabyteMarksReadExactlyAtTheShownPrecision)
{
    struct Case {
        double largest;
        QStringList marks;
    };
    const std::vector<Case> cases = {
        // Half-megabyte steps would read "0 KB, 512 KB, 1 MB, 2 MB, 2 MB".
        {1.9, {"0 KB", "1 MB", "2 MB"}},
        {0.9, {"0 KB", "250 KB", "500 KB", "750 KB", "1000 KB"}},
        {9.0, {"0 KB", "5 MB", "10 MB"}}, // not 2.5 MB steps, which would read "2 MB"
        {700, {"0 KB", "200 MB", "400 MB", "600 MB", "800 MB"}},
        {1500, {"0 KB", "512 MB", "1.0 GB", "1.5 GB"}},
        {0, {"0 KB", "1 MB"}},
        {-5, {"0 KB", "1 MB"}},
        {std::nan(""), {"0 KB", "1 MB"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(texts(StatsAxisTicks::megabyteScale(c.largest, megabyteText)), c.marks) << c.largest;
}

} // namespace
} // namespace Dunmorra
