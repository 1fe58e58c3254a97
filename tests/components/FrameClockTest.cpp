#include "components/Card.h"
#include "components/DonutRing.h"
#include "components/FrameClock.h"
#include "components/ThinBar.h"
#include "model/Clock.h"
#include "support/ManualClock.h"
#include "support/PaintLog.h"

#include <QCoreApplication>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <vector>

using namespace Dunmorra;

namespace {

// A shown window of eight cards with one bar each, as the per-core grid lays
// them out, whose frames step only when the test says so.
struct BarWindow {
    Dunmorra::Test::ManualClock clock;
    QWidget window;
    FrameClock* frames = nullptr;
    std::vector<Card*> cards;
    std::vector<ThinBar*> bars;

    explicit BarWindow(int count = 8)
    {
        auto* layout = new QVBoxLayout(&window);
        for (int i = 0; i < count; ++i) {
            auto* content = new QWidget;
            auto* bar = new ThinBar(Qt::blue, content);
            (new QVBoxLayout(content))->addWidget(bar);
            auto* card = new Card(content, nullptr);
            layout->addWidget(card);
            cards.push_back(card);
            bars.push_back(bar);
            bar->setFraction(0.1 * i);
        }
        frames = FrameClock::installManual(&window, clock);
        window.resize(300, 60 * count);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents(); // the first paint of everything
    }
    // One frame, and the repaint it asks for.
    void frame()
    {
        clock.advance(FrameClock::kFrameInterval / 1000.0);
        frames->tick();
        QCoreApplication::processEvents();
    }
};

} // namespace

TEST(FrameClock, OneSamplesChangeOfEightBarsIsOneRepaintPassAFrame)
{
    BarWindow w;
    Dunmorra::Test::PaintLog log(&w.window);
    for (std::size_t i = 0; i < w.bars.size(); ++i)
        w.bars[i]->setFraction(0.9 - 0.1 * static_cast<double>(i));
    QCoreApplication::processEvents();
    EXPECT_EQ(w.frames->runningCount(), 8);
    EXPECT_EQ(log.passes(), 1) << "the first frame of all eight moves, in the pass that started them";

    int frames = 0;
    while (w.frames->runningCount() > 0 && frames < 100) {
        log.clear();
        w.frame();
        ++frames;
        EXPECT_EQ(log.passes(), 1) << "frame " << frames;
        int barPaints = 0;
        for (ThinBar* bar : w.bars) {
            EXPECT_LE(log.paints(bar), 1) << "frame " << frames;
            barPaints += log.paints(bar);
        }
        EXPECT_GE(barPaints, 1) << "frame " << frames;
        // Each bar repaints its own rectangle: nothing under it.
        EXPECT_EQ(log.allPaints(), barPaints) << "frame " << frames;
    }
    // 0.4 s at 15 frames a second: the first frame came with the start, the
    // clock's fifth reaches the end.
    EXPECT_EQ(frames, 5);
    for (std::size_t i = 0; i < w.bars.size(); ++i)
        EXPECT_DOUBLE_EQ(w.bars[i]->displayedFillFraction(), 0.9 - 0.1 * static_cast<double>(i));

    log.clear();
    w.frame();
    EXPECT_EQ(log.passes(), 0) << "nothing moves, nothing repaints";
}

TEST(FrameClock, EachBarEasesInAndOutAcrossTheSharedFrames)
{
    BarWindow w(1);
    ThinBar* bar = w.bars[0];
    bar->setFraction(1.0); // from 0 to 1 over 0.4 s
    const double started = bar->displayedFillFraction(); // the first frame, 67 ms in
    EXPECT_GT(started, 0.0);
    EXPECT_LT(started, 0.1);
    std::vector<double> shown;
    while (bar->isAnimating())
        w.frame(), shown.push_back(bar->displayedFillFraction());
    ASSERT_EQ(shown.size(), 5u);
    // Slow at both ends, fastest in the middle, half way at half time.
    EXPECT_LT(shown[0], 0.3);            // 134 ms of 400
    EXPECT_NEAR(shown[1], 0.5, 0.01);    // 201 ms
    EXPECT_GT(shown[1] - shown[0], shown[0] - started);
    EXPECT_GT(shown[2] - shown[1], shown[4] - shown[3]);
    EXPECT_EQ(shown.back(), 1.0);
}

TEST(FrameClock, AReadingThatDrawsTheSameFillStartsNoMove)
{
    BarWindow w(3);
    Dunmorra::Test::PaintLog log(&w.window);
    w.bars[0]->setFraction(0.0);          // unchanged
    w.bars[1]->setFraction(0.1 + 1e-6);   // far below a quarter pixel
    w.bars[2]->setFraction(0.6);          // a real change
    EXPECT_FALSE(w.bars[0]->isAnimating());
    EXPECT_FALSE(w.bars[1]->isAnimating());
    EXPECT_TRUE(w.bars[2]->isAnimating());
    while (w.frames->runningCount() > 0)
        w.frame();
    EXPECT_EQ(log.paints(w.bars[0]), 0);
    EXPECT_EQ(log.paints(w.bars[1]), 0);
    EXPECT_GT(log.paints(w.bars[2]), 0);

    // The same target again while it runs leaves the running move alone.
    w.bars[2]->setFraction(0.2);
    w.frame();
    const double midway = w.bars[2]->displayedFillFraction();
    w.bars[2]->setFraction(0.2);
    EXPECT_TRUE(w.bars[2]->isAnimating());
    w.frame();
    EXPECT_LT(w.bars[2]->displayedFillFraction(), midway);
}

// An ease-in-out's last steps are the smallest: a short move's end draws
// the fill where its frame before left it, and takes no repaint pass.
TEST(FrameClock, AMovesEndTooSmallToSeeTakesNoPass)
{
    BarWindow w(1);
    ThinBar* bar = w.bars[0];
    ASSERT_EQ(bar->displayedFillFraction(), 0.0);
    // From empty to six quarter pixels: 1.5 pixels.
    const double target = 6.0 / (4.0 * bar->width() * bar->devicePixelRatioF());
    Dunmorra::Test::PaintLog log(&w.window);
    bar->setFraction(target);
    std::vector<int> passes;
    while (bar->isAnimating()) {
        log.clear();
        w.frame();
        passes.push_back(log.passes());
    }
    ASSERT_EQ(passes.size(), 5u);
    EXPECT_EQ(passes.front(), 1) << "the move is seen";
    EXPECT_EQ(passes.back(), 0) << "its last hundredth of a pixel is not";
    EXPECT_DOUBLE_EQ(bar->displayedFillFraction(), target);
}

TEST(FrameClock, NothingMovesWhileTheWindowIsHiddenOrMinimised)
{
    BarWindow w(2);

    // Hidden, then minimised: a running move jumps to its end, and new
    // readings take no move.
    struct Away {
        const char* how;
        void (QWidget::*leave)();
        double running, next;
    };
    const Away ways[] = {{"hidden", &QWidget::hide, 0.8, 0.5}, {"minimised", &QWidget::showMinimized, 0.2, 0.9}};
    for (const Away& away : ways) {
        w.window.show();
        w.bars[0]->setFraction(away.running);
        w.frame();
        ASSERT_TRUE(w.bars[0]->isAnimating()) << away.how;
        (w.window.*away.leave)();
        EXPECT_FALSE(w.bars[0]->isAnimating()) << away.how;
        EXPECT_EQ(w.bars[0]->displayedFillFraction(), away.running) << away.how;
        w.bars[1]->setFraction(away.next);
        EXPECT_FALSE(w.bars[1]->isAnimating()) << away.how;
        EXPECT_EQ(w.bars[1]->displayedFillFraction(), away.next) << away.how;
        EXPECT_EQ(w.frames->runningCount(), 0) << away.how;
    }

    // Shown again, changes ease as before.
    w.window.showNormal();
    w.bars[1]->setFraction(0.3);
    EXPECT_TRUE(w.bars[1]->isAnimating());

    // A bar that is hidden itself (its page not shown) takes no move either.
    w.bars[0]->hide();
    w.bars[0]->setFraction(0.7);
    EXPECT_FALSE(w.bars[0]->isAnimating());
    EXPECT_EQ(w.bars[0]->displayedFillFraction(), 0.7);
}

TEST(FrameClock, TheRingStepsOnTheSameFramesAsTheBars)
{
    BarWindow w(2);
    auto* ring = new DonutRing(8, Qt::red);
    w.window.layout()->addWidget(ring);
    ring->setFixedSize(80, 80);
    ring->setFraction(0.1);
    QCoreApplication::processEvents();
    Dunmorra::Test::PaintLog log(&w.window);

    ring->setFraction(0.9); // 0.5 s
    w.bars[0]->setFraction(0.9); // 0.4 s
    int frames = 0;
    while (w.frames->runningCount() > 0 && frames < 100) {
        log.clear();
        w.frame();
        ++frames;
        EXPECT_EQ(log.passes(), 1) << "frame " << frames;
        EXPECT_LE(log.paints(ring), 1);
    }
    EXPECT_EQ(frames, 7); // 0.5 s at 15 frames a second, the first with the start
    EXPECT_EQ(ring->displayedArcEnd(), 0.9);
}

TEST(FrameClock, TheWindowsOwnClockTicksOnlyWhileSomethingMoves)
{
    QWidget window;
    auto* bar = new ThinBar(Qt::blue, &window);
    bar->resize(200, 5);
    bar->setFraction(0.1);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    bar->setFraction(0.9);
    FrameClock* clock = FrameClock::of(bar);
    EXPECT_EQ(clock, FrameClock::of(&window));
    EXPECT_TRUE(clock->isTicking());
    // The deadline only stops a broken test from hanging.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !bar->isAnimating(); }, 30'000));
    EXPECT_DOUBLE_EQ(bar->displayedFillFraction(), 0.9);
    EXPECT_FALSE(clock->isTicking());
}
