#include "components/DualSparklineView.h"
#include "components/Sparkline.h"
#include "components/SparklineView.h"

#include <QImage>

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

using namespace Dunmorra;

namespace {
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

bool anyInk(QWidget& w)
{
    QImage image(w.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    w.render(&image, QPoint(), QRegion(), QWidget::DrawChildren); // no window background
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0)
                return true;
    return false;
}
} // namespace

TEST(Sparkline, NormalisesSeries)
{
    struct Case {
        const char* what;
        std::vector<double> in;
        bool autoScale;
        std::vector<double> out;
    };
    const Case cases[] = {
        {"empty", {}, true, {}},
        {"flat series sits at mid-height", {5, 5, 5}, true, {0.5, 0.5, 0.5}},
        {"auto-scale spans min to max", {2, 4}, true, {0, 1}},
        {"auto-scale from the minimum, not zero", {10, 15, 20}, true, {0, 0.5, 1}},
        {"fractions are clamped, NaN reads 1", {-0.2, 0.5, 1.7, NaN}, false, {0, 0.5, 1, 1}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(normalizeSparklineValues(c.in, c.autoScale), c.out) << c.what;

    // A bad reading under auto-scale neither crashes nor flattens the others.
    const auto mixed = normalizeSparklineValues({0, NaN, 10}, true);
    EXPECT_EQ(mixed[0], 0);
    EXPECT_EQ(mixed[2], 1);
}

TEST(Sparkline, SharedMaximumKeepsBaselineAtZero)
{
    EXPECT_EQ(DualSparklineView::sharedMaximum({0, 50}, {100, 100}), 100);
    EXPECT_EQ(DualSparklineView::sharedMaximum({}, {}), 1);
    EXPECT_EQ(normalizeToSharedMax({0, 50}, 100), (std::vector<double>{0, 0.5}));
    EXPECT_EQ(normalizeToSharedMax({100, 100}, 100), (std::vector<double>{1, 1}));
    // All zero or all negative: the maximum is not above 0, both lie on the bottom.
    EXPECT_EQ(normalizeToSharedMax({-3, -1}, DualSparklineView::sharedMaximum({-3, -1}, {-2})), (std::vector<double>{0, 0}));
    EXPECT_EQ(normalizeToSharedMax({0, 0}, 0), (std::vector<double>{0, 0}));
}

TEST(Sparkline, PathRunsEdgeToEdgeWithOneAtTheTop)
{
    const QPolygonF points = sparklinePoints({0, 1}, 100, 10);
    ASSERT_EQ(points.size(), 2);
    EXPECT_EQ(points[0], QPointF(0, 10));
    EXPECT_EQ(points[1], QPointF(100, 0));
    EXPECT_TRUE(sparklinePoints({0.5}, 100, 10).isEmpty());
    // Series of different lengths each span the whole width.
    const QPolygonF longer = sparklinePoints({0, 0, 0, 0, 0}, 100, 10);
    EXPECT_EQ(longer[4].x(), 100);
}

// A steady rate is one even line: no joint along it is drawn twice, which
// would show as darker dots on its antialiased edge rows.
TEST(SparklineView, SteadyRunIsOneEvenLine)
{
    SparklineView line(QColor(0, 0, 255), false, "Metric trend");
    line.resize(120, 12);
    line.setValues(std::vector<double>(13, 0.5));   // centre at 6: rows 5 and 6 partly covered
    QImage image(line.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    line.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    for (int row : {5, 6}) {
        const int reference = qAlpha(image.pixel(60, row));
        EXPECT_GT(reference, 0) << row;
        for (int x = 4; x < 116; ++x)
            EXPECT_EQ(qAlpha(image.pixel(x, row)), reference) << "row " << row << ", x " << x;
    }
}

TEST(SparklineView, DrawsNothingBelowTwoPointsAndCarriesItsLabel)
{
    SparklineView one(Qt::red, false, "Metric trend");
    one.resize(60, 12);
    one.setValues({0.5});
    EXPECT_FALSE(anyInk(one));
    EXPECT_EQ(one.accessibleName(), "Metric trend");
    one.setValues({0.2, 0.8});
    EXPECT_TRUE(anyInk(one));

    DualSparklineView dual(Qt::blue, Qt::red, "Dual metric trend");
    dual.resize(60, 12);
    dual.setValues({1}, {});
    EXPECT_FALSE(anyInk(dual));
    dual.setValues({1}, {1, 2}); // the other series is still drawn
    EXPECT_TRUE(anyInk(dual));
}
