#include "app/MenuBarLabel.h"
#include "app/TrayIconPainter.h"
#include "components/Palette.h"
#include "support/FillPoolWatch.h"

#include <QImage>
#include <QLocale>
#include <QMenu>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <vector>

using namespace Dunmorra;

namespace {

// The rows that hold the figures' own ink (not the rim around them), and
// the figures' colour on the panel.
struct Ink {
    int height = 0;
    QColor colour;
};

Ink inkOf(const QImage& icon, const QColor& panel, TrayInk tone)
{
    QImage onPanel(icon.size(), QImage::Format_ARGB32_Premultiplied);
    onPanel.fill(panel);
    {
        QPainter p(&onPanel);
        p.drawImage(0, 0, icon);
    }
    const QColor ink = tone == TrayInk::light ? QColor(250, 250, 250) : QColor(24, 24, 24);
    int top = icon.height(), bottom = -1;
    for (int y = 0; y < icon.height(); ++y) {
        for (int x = 0; x < icon.width(); ++x) {
            const QColor c = onPanel.pixelColor(x, y);
            const int d = std::abs(c.red() - ink.red()) + std::abs(c.green() - ink.green()) + std::abs(c.blue() - ink.blue());
            if (d < 60) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    Ink out;
    out.height = bottom >= top ? bottom - top + 1 : 0;
    out.colour = ink;
    return out;
}

} // namespace

TEST(MenuBarLabel, PercentIsAWholeNumberRoundedHalfToEven)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(MenuBarLabel::percentText(7.4), QStringLiteral("7%"));
    EXPECT_EQ(MenuBarLabel::percentText(99.6), QStringLiteral("100%"));
    EXPECT_EQ(MenuBarLabel::percentText(12.5), QStringLiteral("12%"));
    EXPECT_EQ(MenuBarLabel::percentText(0), QStringLiteral("0%"));
    // The icon carries the same figure without its sign, also where the
    // locale puts a space or the sign first.
    EXPECT_EQ(MenuBarLabel::digitsText(99.6), QStringLiteral("100"));
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    EXPECT_EQ(MenuBarLabel::digitsText(37.2), QStringLiteral("37"));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

// A tray gives its icons a square of the panel's height: the figure must
// fill it, on light and on dark panels alike.
TEST(MenuBarLabel, TheFigureFillsTheSquareOnLightAndDarkPanels)
{
    const QColor panels[] = {QColor(240, 240, 240), QColor(32, 32, 32), QColor(46, 52, 64), QColor(200, 210, 225)};
    for (const QColor& panel : panels) {
        const TrayInk tone = TrayIconPainter::inkFor(panel);
        for (int size : {16, 22, 24, 32}) {
            for (double percent : {7.0, 37.0, 88.0}) {
                SCOPED_TRACE(QStringLiteral("%1 px, %2 %, panel %3").arg(size).arg(percent).arg(panel.name()).toStdString());
                const QImage icon = MenuBarLabel::renderImage(percent, size, 1.0, tone);
                ASSERT_EQ(icon.size(), QSize(size, size));
                const Ink ink = inkOf(icon, panel, tone);
                EXPECT_GE(ink.height, std::ceil(0.6 * size));
                EXPECT_GE(contrastRatio(ink.colour, panel), 7.0);
            }
        }
    }
    // A tray that gives a taller box than wide (trayer: 22 × 30) gets
    // taller figures, not a 22-px square in the middle of it.
    for (const char* digits : {"7", "37"}) {
        const QImage tall = TrayIconPainter::render(QString::fromLatin1(digits), QSize(22, 30), 1.0, TrayInk::light);
        ASSERT_EQ(tall.size(), QSize(22, 30));
        EXPECT_GE(inkOf(tall, QColor(32, 32, 32), TrayInk::light).height, 20) << digits;
    }
    // Three digits still fit inside the square.
    const QImage full = MenuBarLabel::renderImage(100.0, 22);
    EXPECT_GT(inkOf(full, QColor(32, 32, 32), TrayInk::light).height, 8);
}

// Drawn, the figures are fills for Qt's thread pool even at 16 px: a figure
// the tray showed before is handed over as it was drawn, not drawn again.
TEST(MenuBarLabel, AFigureShownBeforeIsNotDrawnAgain)
{
    if (!Dunmorra::Test::FillPoolWatch::fillsGoToAPool())
        GTEST_SKIP() << "this Qt fills on the painting thread alone";
    struct Shown {
        std::optional<QString> digits;
        QSize size;
        qreal ratio;
        TrayInk ink;
        QImage image;
    };
    std::vector<Shown> shown;
    for (const QSize size : {QSize(22, 22), QSize(22, 30), QSize(48, 48)})
        for (qreal ratio : {1.0, 2.0})
            for (const std::optional<QString>& digits : {std::optional<QString>(), std::optional(QStringLiteral("48"))})
                for (TrayInk ink : {TrayInk::light, TrayInk::dark})
                    shown.push_back({digits, size, ratio, ink, TrayIconPainter::render(digits, size, ratio, ink)});
    const Dunmorra::Test::FillPoolWatch watch;
    for (const Shown& s : shown)
        EXPECT_EQ(TrayIconPainter::render(s.digits, s.size, s.ratio, s.ink), s.image);
    EXPECT_EQ(watch.wakeups(), 0) << watch.woken();
    // Each of them was drawn for its own size, ratio and ink.
    for (std::size_t i = 0; i < shown.size(); ++i)
        for (std::size_t j = i + 1; j < shown.size(); ++j)
            EXPECT_NE(shown[i].image, shown[j].image) << i << " and " << j;
}

TEST(MenuBarLabel, LightInkOnDarkPanelsAndDarkInkOnLightOnes)
{
    EXPECT_EQ(TrayIconPainter::inkFor(QColor(0, 0, 0)), TrayInk::light);
    EXPECT_EQ(TrayIconPainter::inkFor(QColor(60, 60, 60)), TrayInk::light);
    EXPECT_EQ(TrayIconPainter::inkFor(QColor(230, 230, 230)), TrayInk::dark);
    EXPECT_EQ(TrayIconPainter::inkFor(QColor(255, 255, 255)), TrayInk::dark);
}

TEST(MenuBarLabel, DrawnAtTheSizeTheTrayPaints)
{
    // The engine draws for the very size asked, not a scaled neighbour.
    const QIcon icon = MenuBarLabel::renderIcon(37.0);
    for (int size : {16, 22, 26, 30}) {
        const QImage drawn = icon.pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        EXPECT_EQ(drawn, MenuBarLabel::renderImage(37.0, size)) << size;
    }
}

TEST(MenuBarLabel, ShowsTheGlyphUntilTheFirstMeasuredValueAndRedrawsOnlyOnChange)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    MenuBarLabel label;
    const auto shown = [&](int size) {
        return label.icon().pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    };
    const int first = label.renderCount();
    // The start's placeholder (34 %) is not a reading: the glyph alone.
    label.setUsage(34.0, false);
    EXPECT_EQ(shown(22), MenuBarLabel::renderImage(std::nullopt, 22, 1.0, label.ink()));
    EXPECT_NE(shown(22), MenuBarLabel::renderImage(34.0, 22, 1.0, label.ink()));
    label.setUsage(7.4, true);
    EXPECT_EQ(shown(22), MenuBarLabel::renderImage(7.0, 22, 1.0, label.ink()));
    EXPECT_TRUE(label.toolTip().contains(QStringLiteral("CPU 7%")));
    const int afterSeven = label.renderCount();
    EXPECT_EQ(afterSeven, first + 2);
    label.setUsagePercent(7.2);
    EXPECT_EQ(label.renderCount(), afterSeven);
    label.setUsagePercent(8.0);
    EXPECT_EQ(label.renderCount(), afterSeven + 1);
    EXPECT_TRUE(label.toolTip().contains(QStringLiteral("8%")));
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

// Offscreen there is neither a D-Bus nor an XEmbed tray.
TEST(MenuBarLabel, WithoutATrayItIsNotDocked)
{
    MenuBarLabel label;
    label.show();
    EXPECT_TRUE(label.isSettled());
    EXPECT_FALSE(label.isDocked());
    EXPECT_EQ(label.tray(), MenuBarLabel::Tray::none);
}
