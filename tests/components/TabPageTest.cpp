#include "components/TabPage.h"
#include "support/FillPoolWatch.h"
#include "support/LayoutSettle.h"

#include <QApplication>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace Dunmorra;

namespace {
// Would like 900 rows, makes do with 300.
class Shrinkable : public QWidget {
public:
    Shrinkable() { setMinimumHeight(300); }
    QSize sizeHint() const override { return {200, 900}; }
};
} // namespace

// A page whose content can shrink is given its minimum by the scroll area,
// not what it would like: the page lays its content out within that, and
// none of it lies past the end of the scrolled area.
TEST(TabPage, ContentThatCanShrinkStaysWithinThePage)
{
    TabPage page;
    auto* content = new Shrinkable;
    page.stack()->addWidget(content);
    page.resize(500, 400);
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    QCoreApplication::processEvents();
    QWidget* body = page.widget();
    EXPECT_LE(content->geometry().bottom(), body->height());
    EXPECT_GE(content->height(), 300);
}

namespace {
struct BarState {
    int height, value;
};

void setUp(QScrollBar& bar, BarState state)
{
    bar.setRange(0, 1000);
    bar.setPageStep(state.height);
    bar.setValue(state.value);
    bar.resize(bar.sizeHint().width(), state.height);
}
} // namespace

// The page's scroll bar is drawn in strips: the pixels are the style's own,
// wherever the handle stands and whatever the height (a last strip shorter
// than the rest included).
TEST(TabPage, ItsScrollBarLooksAsTheStyleDrawsIt)
{
    TabPage page;
    QScrollBar& bar = *page.verticalScrollBar();
    QStyle* paged = bar.style();
    ASSERT_NE(paged, QApplication::style());
    for (const BarState state : {BarState{40, 0}, BarState{300, 500}, BarState{561, 1000}, BarState{777, 250}}) {
        setUp(bar, state);
        bar.setStyle(paged);
        const QImage inStrips = bar.grab().toImage();
        bar.setStyle(nullptr);
        EXPECT_EQ(inStrips, bar.grab().toImage()) << state.height << " at " << state.value;
    }
}

TEST(TabPage, ItsScrollBarIsPaintedOnThePaintingThread)
{
    if (!Dunmorra::Test::FillPoolWatch::fillsGoToAPool())
        GTEST_SKIP() << "this Qt fills on the painting thread alone";
    TabPage page;
    QScrollBar plain(Qt::Vertical);
    QScrollBar& paged = *page.verticalScrollBar();
    setUp(plain, {700, 300});
    setUp(paged, {700, 300});

    const Dunmorra::Test::FillPoolWatch plainWatch;
    plain.grab();
    ASSERT_GT(plainWatch.wakeups(), 0) << "a page-tall scroll bar no longer leaves the painting thread";
    const Dunmorra::Test::FillPoolWatch pagedWatch;
    paged.grab();
    EXPECT_EQ(pagedWatch.wakeups(), 0) << pagedWatch.woken();
}

// At its narrowest, a page taller than its window keeps the whole width of
// its content beside the scroll bar: no card's right edge slides under it.
TEST(TabPage, AtItsNarrowestTheContentEndsBeforeTheScrollBar)
{
    TabPage page;
    auto* content = new QWidget;
    content->setMinimumSize(300, 2000);
    page.stack()->addWidget(content);
    page.resize(page.minimumSizeHint().width(), 400);
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    ASSERT_TRUE(Dunmorra::Test::settleLayout(page));

    ASSERT_TRUE(page.verticalScrollBar()->isVisible()) << "the page does not scroll; the test proves nothing";
    const int right = content->mapTo(page.viewport(), QPoint(content->width(), 0)).x();
    EXPECT_LE(right + 20, page.viewport()->width()) << "the content's right edge and its padding";
    EXPECT_LE(page.widget()->width(), page.viewport()->width());
}
