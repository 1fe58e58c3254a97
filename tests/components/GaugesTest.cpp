#include "components/Card.h"
#include "components/DonutRing.h"
#include "components/FrameClock.h"
#include "components/RangeSeries.h"
#include "components/ThinBar.h"
#include "support/LayoutSettle.h"
#include "support/ManualClock.h"

#include <QCoreApplication>

#include <QTest>
#include <QVBoxLayout>

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

using namespace Dunmorra;

namespace {
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
}

TEST(ThinBar, FillWidthClampsToTheBar)
{
    struct Case {
        double fraction, width;
    };
    const Case cases[] = {{-0.3, 0}, {0, 0}, {0.25, 50}, {1, 200}, {1.7, 200}, {NaN, 200}};
    for (const Case c : cases)
        EXPECT_EQ(ThinBar::fillWidth(c.fraction, 200), c.width) << c.fraction;
}

TEST(DonutRing, ArcEndClampsAndNaNIsEmpty)
{
    struct Case {
        double fraction, end;
    };
    const Case cases[] = {{-0.5, 0}, {0, 0}, {0.25, 0.25}, {1, 1}, {2, 1}, {NaN, 0}};
    for (const Case c : cases)
        EXPECT_EQ(DonutRing::arcEnd(c.fraction), c.end) << c.fraction;
}

TEST(ThinBar, FirstValueIsImmediateLaterChangesAnimate)
{
    Dunmorra::Test::ManualClock clock;
    QWidget window;
    FrameClock* frames = FrameClock::installManual(&window, clock);
    auto* layout = new QVBoxLayout(&window);
    auto* bar = new ThinBar(Qt::blue);
    auto* ring = new DonutRing(8, Qt::blue);
    layout->addWidget(bar);
    layout->addWidget(ring);
    window.resize(200, 100);
    window.show();
    const auto settle = [&] {
        for (int i = 0; i < 100 && frames->runningCount() > 0; ++i) {
            clock.advance(FrameClock::kFrameInterval / 1000.0);
            frames->tick();
        }
    };

    bar->setFraction(0.2);
    EXPECT_EQ(bar->displayedFillFraction(), 0.2);
    EXPECT_FALSE(bar->isAnimating());

    bar->setFraction(0.8);
    EXPECT_TRUE(bar->isAnimating());
    EXPECT_LT(bar->displayedFillFraction(), 0.8);
    settle();
    EXPECT_DOUBLE_EQ(bar->displayedFillFraction(), 0.8);

    bar->setFraction(5); // clamped target 1
    clock.advance(0.1);
    frames->tick();
    const double midway = bar->displayedFillFraction();
    bar->setFraction(1.5); // same drawn target: the running move is left alone
    EXPECT_EQ(bar->displayedFillFraction(), midway);
    settle();
    EXPECT_DOUBLE_EQ(bar->displayedFillFraction(), 1.0);

    ring->setFraction(0.2);
    EXPECT_FALSE(ring->isAnimating());
    ring->setFraction(0.8);
    EXPECT_TRUE(ring->isAnimating());
}

TEST(DonutRing, AChangeTooSmallToSeeTakesNoAnimation)
{
    DonutRing ring(14, Qt::blue);
    ring.resize(100, 100);
    ring.setFraction(0.5);
    ring.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&ring));
    QCoreApplication::processEvents(); // painted at 0.5
    // A volume's used share moves by about this much a second.
    ring.setFraction(0.500001);
    EXPECT_FALSE(ring.isAnimating());
    EXPECT_DOUBLE_EQ(ring.displayedArcEnd(), 0.500001);
    ring.setFraction(0.52);
    EXPECT_TRUE(ring.isAnimating());
}

TEST(RangeSeries, TakesNewestValuesAndThinsToExactly120)
{
    auto ringOf = [](int count) {
        HistoryRing<double> ring(86'400);
        for (int i = 0; i < count; ++i)
            ring.append(i, i);
        return ring;
    };
    struct Case {
        int count, samples;
        std::size_t points;
        double first, last;
    };
    const Case cases[] = {
        {1, 60, 0, 0, 0},
        {2, 60, 2, 0, 0.01},
        {120, 300, 120, 0, 1.19},
        {121, 300, 120, 0, 1.20},
        {86'400, 86'400, 120, 0, 863.99},
        {500, 86'400, 120, 0, 4.99},     // range longer than the ring: all of it
        {300, 60, 60, 2.40, 2.99},       // newest 60 only, not thinned
    };
    for (const Case& c : cases) {
        const auto s = rangeSeries(ringOf(c.count), c.samples);
        ASSERT_EQ(s.size(), c.points) << c.count << "/" << c.samples;
        if (s.empty())
            continue;
        EXPECT_DOUBLE_EQ(s.front(), c.first) << c.count;
        EXPECT_DOUBLE_EQ(s.back(), c.last) << c.count;
    }
    // 86,400 values: point i is value (i * 86,399) / 119 in integer arithmetic.
    const auto full = rangeSeries(ringOf(86'400), 86'400);
    for (int i = 0; i < 120; ++i)
        ASSERT_DOUBLE_EQ(full[static_cast<std::size_t>(i)], static_cast<double>((i * 86'399LL) / 119) / 100.0) << i;
}

namespace {
struct PaintCount : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};
} // namespace

// A card holding a plain container holding a bar, as the pages lay them
// out, shown with the bar at `fraction`.
struct BarOnCard {
    Card card;
    QWidget* content = new QWidget;
    ThinBar* bar = new ThinBar(Qt::blue);

    explicit BarOnCard(double fraction, bool animated = true)
    {
        (new QVBoxLayout(content))->addWidget(bar);
        bar->setAnimated(animated);
        card.setContent(content);
        card.resize(300, 80);
        bar->setFraction(fraction);
        card.show();
    }
};

TEST(ThinBar, AnimationFramesOnACardRepaintTheBarAlone)
{
    // The bar's frames must not reach the card or the container.
    BarOnCard shown(0.1);
    Card& card = shown.card;
    QWidget* content = shown.content;
    ThinBar* bar = shown.bar;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&card));
    ASSERT_TRUE(Dunmorra::Test::settlePaints()); // the first paint of everything

    PaintCount onCard, onContent, onBar;
    card.installEventFilter(&onCard);
    content->installEventFilter(&onContent);
    bar->installEventFilter(&onBar);
    bar->setFraction(0.9);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !bar->isAnimating(); }, 30'000));
    ASSERT_TRUE(Dunmorra::Test::settlePaints()); // the last frame's paint
    EXPECT_GT(onBar.paints, 2);
    EXPECT_EQ(onCard.paints, 0);
    EXPECT_EQ(onContent.paints, 0);

    // Outside a card nothing is claimed: what lies behind is not known.
    ThinBar loose(Qt::blue);
    loose.show();
    EXPECT_FALSE(loose.testAttribute(Qt::WA_OpaquePaintEvent));
}

// On a card the track is drawn once and copied at every frame: a new track
// colour or a new width must still show.
TEST(ThinBar, OnACardItsTrackFollowsItsColourAndWidth)
{
    BarOnCard shown(0.25, false);
    Card& card = shown.card;
    ThinBar* bar = shown.bar;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&card));
    ASSERT_TRUE(bar->testAttribute(Qt::WA_OpaquePaintEvent));
    const auto trackPixel = [&] {
        const QImage shown = bar->grab().toImage();
        return shown.pixelColor(shown.width() * 3 / 4, shown.height() / 2);
    };
    bar->setTrackColor(Qt::green);
    EXPECT_EQ(trackPixel(), QColor(Qt::green));
    bar->setTrackColor(Qt::red);
    EXPECT_EQ(trackPixel(), QColor(Qt::red));

    card.resize(500, 80);
    ASSERT_TRUE(Dunmorra::Test::settleLayout(card));
    const QImage wider = bar->grab().toImage();
    EXPECT_EQ(wider.pixelColor(wider.width() - 8, wider.height() / 2), QColor(Qt::red));
}
