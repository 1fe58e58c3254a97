#include "components/FittingPair.h"

#include <QLabel>

#include <gtest/gtest.h>


using namespace Dunmorra;

namespace {

QWidget* box(int width, int height)
{
    auto* w = new QWidget;
    w->setFixedSize(width, height);
    return w;
}

} // namespace

TEST(FittingPair, SideBySideWhileBothFitElseStacked)
{
    QWidget* first = box(100, 100);
    QWidget* second = box(120, 60);
    FittingPair pair(first, second, 16, 10);
    EXPECT_EQ(pair.sizeHint(), QSize(236, 100));
    EXPECT_EQ(pair.minimumSizeHint().width(), 120);
    EXPECT_EQ(pair.heightForWidth(236), 100);
    EXPECT_EQ(pair.heightForWidth(235), 170);

    pair.show();
    pair.resize(300, 100);
    EXPECT_TRUE(pair.isWide());
    EXPECT_EQ(first->geometry(), QRect(0, 0, 100, 100));
    EXPECT_EQ(second->geometry().topLeft(), QPoint(116, 0));

    pair.resize(200, 170);
    EXPECT_FALSE(pair.isWide());
    EXPECT_EQ(first->geometry(), QRect(0, 0, 100, 100));
    EXPECT_EQ(second->geometry().topLeft(), QPoint(0, 110));
}

TEST(FittingPair, TheJoinerStandsBetweenOnlySideBySideAndCountsTowardsTheFit)
{
    auto* name = new QLabel(QStringLiteral("Home network"));
    auto* joiner = new QLabel(QStringLiteral(" \u00B7 "));
    auto* address = new QLabel(QStringLiteral("192.168.1.20"));
    FittingPair pair(name, address, 0, 1, joiner);
    const int wide = name->sizeHint().width() + joiner->sizeHint().width() + address->sizeHint().width();
    EXPECT_EQ(pair.sizeHint().width(), wide);
    pair.show();

    pair.resize(wide, pair.heightForWidth(wide));
    EXPECT_TRUE(pair.isWide());
    EXPECT_TRUE(joiner->isVisible());
    pair.resize(wide - 1, pair.heightForWidth(wide - 1));
    EXPECT_FALSE(pair.isWide());
    EXPECT_FALSE(joiner->isVisible());
    EXPECT_EQ(address->geometry().left(), 0);
    // Without an address the name stands alone, with no joiner to count.
    address->hide();
    pair.refit();
    EXPECT_EQ(pair.sizeHint().width(), name->sizeHint().width());
    EXPECT_FALSE(joiner->isVisible());
}
