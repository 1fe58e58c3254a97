#include "tabs/DiskTab.h"

#include "components/OverlaidSparklineView.h"
#include "components/Palette.h"
#include "components/SparklineView.h"
#include "components/Symbols.h"
#include "components/ThinBar.h"
#include "components/Typography.h"
#include "model/DiskProvider.h"
#include "support/ManualClock.h"

#include <QImage>
#include <QLabel>

#include <gtest/gtest.h>

using namespace Dunmorra;

namespace {

constexpr std::uint64_t GiB = 1ULL << 30;

// A disk whose counters grow by the given bytes a pass, on a volume of the
// given size.
struct DiskRig {
    Dunmorra::Test::ManualClock clock;
    Platform::DiskCounters totals{"nvme0n1"};
    std::uint64_t readStep = 0, writeStep = 0;
    Platform::FileSystemSpace space{500 * GiB, static_cast<std::uint64_t>(120.5 * GiB)};
    DiskProvider provider{{
                              [this] {
                                  totals.readBytes += readStep;
                                  totals.writeBytes += writeStep;
                                  return std::optional(std::vector<Platform::DiskCounters>{totals});
                              },
                              [this] { return std::optional(space); },
                              [] { return std::optional<std::string>("nvme0n1p2"); },
                          },
                          clock};
    void passes(int n)
    {
        for (int i = 0; i < n; ++i) {
            clock.advance(1.0);
            provider.sample();
        }
    }
};

QString textOf(const QWidget& root, const char* name)
{
    auto* label = root.findChild<QLabel*>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("<missing %1>").arg(QLatin1String(name));
}

} // namespace

TEST(DiskTab, ShowsRatesVolumeAndTitles)
{
    DiskRig rig;
    rig.readStep = 1536;
    rig.writeStep = 3 * (1ULL << 20);
    DiskTab tab(rig.provider);
    // Before the first pass: the initial snapshot, and charts with no points.
    EXPECT_EQ(textOf(tab, "readRate"), QStringLiteral("2.0 MB/s"));
    EXPECT_EQ(textOf(tab, "volumeName"), QStringLiteral("System Disk"));
    for (auto* line : tab.findChildren<SparklineView*>()) {
        EXPECT_TRUE(line->values().empty());
        EXPECT_EQ(line->accessibleName(), QStringLiteral("Metric trend"));
    }
    auto* chart = tab.findChild<OverlaidSparklineView*>(QStringLiteral("ioChart"));
    ASSERT_TRUE(chart);
    EXPECT_TRUE(chart->lower().empty());
    EXPECT_EQ(chart->accessibleName(), QStringLiteral("Metric trend"));

    rig.passes(3);
    EXPECT_EQ(textOf(tab, "readRate"), QStringLiteral("1.5 KB/s"));
    EXPECT_EQ(textOf(tab, "writeRate"), QStringLiteral("3.0 MB/s"));
    EXPECT_EQ(textOf(tab, "volumeName"), QStringLiteral("nvme0n1p2"));
    EXPECT_EQ(textOf(tab, "volumeFree"), QStringLiteral("120.5 GB free"));
    EXPECT_EQ(textOf(tab, "volumeUsed"), QStringLiteral("379.5 GB used"));
    EXPECT_EQ(textOf(tab, "volumeTotal"), QStringLiteral("500.0 GB total"));
    EXPECT_NEAR(tab.findChild<ThinBar*>(QStringLiteral("volumeBar"))->fraction(), 379.5 / 500, 1e-12);

    QStringList titles;
    for (auto* title : tab.findChildren<IconLabel*>(QStringLiteral("cardTitle")))
        titles << title->label()->text();
    EXPECT_EQ(titles, (QStringList{"Read", "Write", "I/O history  (last 60 s)"}));

    // Every chart shows the whole ring; only the card's write curve is orange.
    ASSERT_EQ(chart->lower().size(), 3u);
    EXPECT_EQ(chart->lower().back(), 1536);
    EXPECT_EQ(chart->upper().back(), 3.0 * (1 << 20));
    EXPECT_EQ(chart->lowerColor(), accentColor());
    EXPECT_NE(chart->upperColor(), chart->lowerColor());
}

// Both curves reach the screen: the read curve under the write curve, each
// on its own scale.
TEST(DiskTab, HistoryCardDrawsTheReadCurveUnderTheWriteCurve)
{
    DiskRig rig;
    DiskTab tab(rig.provider);
    tab.resize(820, 639);
    tab.show();
    // Read: 0, then the peak, then a plateau whose line's centre falls on a
    // pixel row's centre (61/120 of 60 px is 30.5 px up), so that row is the
    // accent colour itself. Write: a ramp, far above that plateau.
    HistoryRing<DiskSnapshot> ring(60);
    for (int i = 0; i < 60; ++i) {
        DiskSnapshot s;
        s.readBytesPerSec = i < 20 ? 0 : i < 40 ? 120 : 61;
        s.writeBytesPerSec = 1000.0 * i;
        ring.append(i, s);
    }
    auto* chart = tab.findChild<OverlaidSparklineView*>(QStringLiteral("ioChart"));
    ASSERT_TRUE(chart);
    chart->setValues(DiskTab::readSeries(ring), DiskTab::writeSeries(ring));
    ASSERT_EQ(chart->height(), 60);
    const QImage image = chart->grab().toImage();
    const qreal dpr = image.devicePixelRatio();
    auto near = [](QRgb pixel, const QColor& colour) {
        return std::abs(qRed(pixel) - colour.red()) <= 8 && std::abs(qGreen(pixel) - colour.green()) <= 8
            && std::abs(qBlue(pixel) - colour.blue()) <= 8;
    };
    const QColor accent = accentColor();
    const int row = static_cast<int>(29 * dpr);
    const int from = static_cast<int>(0.72 * image.width()), to = static_cast<int>(0.97 * image.width());
    int readPixels = 0;
    for (int x = from; x < to; ++x)
        readPixels += near(image.pixel(x, row), accent);
    EXPECT_GE(readPixels, (to - from) * 9 / 10) << "the read plateau's row";

    const QColor writeOnCard = compositeOver(chart->upperColor(), controlBackground());
    int writePixels = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            writePixels += near(image.pixel(x, y), writeOnCard);
    EXPECT_GT(writePixels, image.width() / 4) << "the write ramp";
}

TEST(DiskTab, VolumeFractionGuardsAnEmptyTotal)
{
    struct Case {
        std::uint64_t total, used;
        double fraction, filled;
    };
    const Case cases[] = {
        {0, 0, 0, 0},
        {0, 5, 0, 0},
        {1000, 250, 0.25, 0.25},
        {1000, 1200, 1.2, 1.0},   // above the total draws a full bar
    };
    for (const Case& c : cases) {
        DiskSnapshot s;
        s.volumeTotalBytes = c.total;
        s.volumeUsedBytes = c.used;
        EXPECT_DOUBLE_EQ(DiskTab::volumeFraction(s), c.fraction) << c.total << "/" << c.used;
        EXPECT_DOUBLE_EQ(ThinBar::fillFraction(DiskTab::volumeFraction(s)), c.filled);
    }
}

TEST(DiskTab, SeriesAreTheRingsRatesOldestFirst)
{
    HistoryRing<DiskSnapshot> ring(60);
    for (int i = 0; i < 70; ++i) {
        DiskSnapshot s;
        s.readBytesPerSec = i;
        s.writeBytesPerSec = 2.0 * i;
        ring.append(i, s);
    }
    const auto reads = DiskTab::readSeries(ring);
    const auto writes = DiskTab::writeSeries(ring);
    ASSERT_EQ(reads.size(), 60u);
    EXPECT_EQ(reads.front(), 10);
    EXPECT_EQ(reads.back(), 69);
    EXPECT_EQ(writes.back(), 138);
}
