#include "app/MenuBarLabel.h"

#include <QImage>
#include <QLocale>
#include <QMenu>

#include <gtest/gtest.h>

using namespace Dunmorra;

TEST(MenuBarLabel, PercentIsAWholeNumberRoundedHalfToEven)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(MenuBarLabel::percentText(7.4), QStringLiteral("7%"));
    EXPECT_EQ(MenuBarLabel::percentText(99.6), QStringLiteral("100%"));
    EXPECT_EQ(MenuBarLabel::percentText(12.5), QStringLiteral("12%"));
    EXPECT_EQ(MenuBarLabel::percentText(0), QStringLiteral("0%"));
}

TEST(MenuBarLabel, RedrawsOnlyWhenTheShownFigureChanges)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    MenuBarLabel label;
    label.setUsagePercent(7.4);
    EXPECT_EQ(label.renderCount(), 1);
    EXPECT_TRUE(label.toolTip().contains(QStringLiteral("7%")));
    label.setUsagePercent(7.2);
    EXPECT_EQ(label.renderCount(), 1);
    label.setUsagePercent(8.0);
    EXPECT_EQ(label.renderCount(), 2);
    EXPECT_TRUE(label.toolTip().contains(QStringLiteral("8%")));
    EXPECT_FALSE(label.icon().isNull());
}

TEST(MenuBarLabel, IconHasLightInkWithADarkRim)
{
    // Readable on a light and on a dark panel alike: both tones are present.
    for (double percent : {0.0, 7.0, 100.0}) {
        const QImage image = MenuBarLabel::renderImage(percent, 22);
        int light = 0, dark = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.alpha() > 200 && c.lightness() > 220)
                    ++light;
                if (c.alpha() > 150 && c.lightness() < 60)
                    ++dark;
            }
        EXPECT_GT(light, 20) << percent;
        EXPECT_GT(dark, 20) << percent;
    }
}

TEST(MenuBarLabel, MenuOffersTheFooterActions)
{
    MenuBarLabel label;
    QStringList texts;
    for (QAction* a : label.menu()->actions())
        if (!a->isSeparator())
            texts << a->text();
    EXPECT_EQ(texts, (QStringList{QStringLiteral("Open main window"), QString::fromUtf8("Settings\u2026"),
                         QStringLiteral("Quit Halvorin")}));
}
