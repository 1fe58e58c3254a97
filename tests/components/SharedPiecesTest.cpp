#include "components/Card.h"
#include "components/Divider.h"
#include "components/KeyedRows.h"
#include "components/Palette.h"
#include "components/AdaptiveGridLayout.h"
#include "components/Symbols.h"
#include "support/FillPoolWatch.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace Dunmorra;

TEST(Card, AddsFourteenOfPaddingOnEverySide)
{
    auto* content = new QWidget;
    content->setFixedSize(100, 40);
    Card card(content, nullptr);
    EXPECT_EQ(card.sizeHint(), QSize(128, 68));
}

// A card painted whole (shown, or resized by a list that gained a row) and
// its shadow: a tall rounded shape filled at once would go to Qt's fill
// pool and wake all of its threads.
TEST(Card, ATallCardAndItsShadowArePaintedOnThePaintingThread)
{
    if (!Dunmorra::Test::FillPoolWatch::fillsGoToAPool())
        GTEST_SKIP() << "this Qt fills on the painting thread alone";
    QWidget host;
    auto* layout = new QVBoxLayout(&host);
    layout->setContentsMargins(20, 20, 20, 20);
    auto* card = new Dunmorra::Card(new QLabel(QStringLiteral("Figures")));
    card->setMinimumSize(800, 400);
    layout->addWidget(card);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));

    const Dunmorra::Test::FillPoolWatch watch;
    host.grab();
    EXPECT_EQ(watch.wakeups(), 0) << watch.woken();
}

// A tall divider beside figures that changed repaints with them: one fill
// of its height would go to Qt's fill pool.
TEST(Card, ATallDividerIsPaintedOnThePaintingThread)
{
    if (!Dunmorra::Test::FillPoolWatch::fillsGoToAPool())
        GTEST_SKIP() << "this Qt fills on the painting thread alone";
    auto* content = new QWidget;
    auto* row = new QHBoxLayout(content);
    auto* divider = Divider::vertical(400, 0.5);
    row->addWidget(divider);
    Card card(content, nullptr);
    card.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&card));

    const Dunmorra::Test::FillPoolWatch watch;
    divider->grab();
    EXPECT_EQ(watch.wakeups(), 0) << watch.woken();
}

TEST(Symbols, EveryKnownSymbolResolvesToAnIcon)
{
    for (const QString& symbol : knownSymbols()) {
        const QIcon icon = symbolIcon(symbol);
        EXPECT_FALSE(icon.isNull()) << symbol.toStdString() << " from " << symbolSource(symbol).toStdString();
        const QImage image = symbolPixmap(symbol, 16, Qt::red).toImage();
        bool inked = false;
        for (int y = 0; y < image.height() && !inked; ++y)
            for (int x = 0; x < image.width() && !inked; ++x)
                inked = qAlpha(image.pixel(x, y)) > 0;
        EXPECT_TRUE(inked) << symbol.toStdString() << " draws nothing";
    }
    EXPECT_TRUE(symbolIcon(QStringLiteral("no.such.symbol")).isNull());
}

TEST(AdaptiveGridLayout, ColumnsFitTheMinimumWidthWithGaps)
{
    struct Case {
        int width, columns;
    };
    for (const Case c : {Case{0, 1}, Case{179, 1}, Case{369, 1}, Case{370, 2}, Case{1020, 5}}) {
        EXPECT_EQ(AdaptiveGridLayout::columnsFor(c.width, 180, 10), c.columns) << c.width;
    }
}

TEST(KeyedRows, KeepsRowsByIdentityAcrossRefreshes)
{
    QWidget host;
    auto* layout = new QVBoxLayout(&host);
    KeyedRows<int, QLabel> rows(layout);
    int made = 0;
    auto sync = [&](std::vector<int> ids) {
        rows.sync(
            ids, [](int id) { return id; },
            [&](int) { ++made; return new QLabel; },
            [](QLabel& row, int id, int index) { row.setText(QString::number(id)); row.setProperty("index", index); });
    };
    sync({1, 2, 3});
    QLabel* two = rows.row(2);
    QPointer<QLabel> three = rows.row(3);
    sync({2, 1, 4});
    EXPECT_EQ(made, 4);
    EXPECT_EQ(rows.row(2), two);             // same widget, moved
    EXPECT_EQ(layout->indexOf(two), 0);
    EXPECT_EQ(two->property("index").toInt(), 0);
    EXPECT_TRUE(three.isNull());             // gone key, row deleted
    EXPECT_EQ(layout->count(), 3);
}

// The faintest caption still reads on a card, in a light and in a dark theme.
TEST(Palette, TertiaryCaptionsKeepThreeToOneOnTheCard)
{
    const QPalette original = QGuiApplication::palette();
    QPalette dark = original;
    dark.setColor(QPalette::Window, QColor(30, 30, 30));
    dark.setColor(QPalette::Base, QColor(42, 42, 42));
    dark.setColor(QPalette::WindowText, QColor(236, 236, 236));
    QPalette light = original;
    light.setColor(QPalette::Window, QColor(239, 239, 239));
    light.setColor(QPalette::Base, QColor(255, 255, 255));
    light.setColor(QPalette::WindowText, QColor(0, 0, 0));
    for (const QPalette& theme : {light, dark, original}) {
        QGuiApplication::setPalette(theme);
        const QColor card = controlBackground();
        EXPECT_GE(contrastRatio(compositeOver(tertiaryText(), card), card), 3.0) << card.name().toStdString();
        // Still fainter than the secondary tone.
        EXPECT_LT(tertiaryText().alphaF(), secondaryText().alphaF());
    }
    QGuiApplication::setPalette(original);
}
