#include "app/TrayIconTheme.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Dunmorra;

// Icon names are ASCII whatever digits the locale writes the figure in.
TEST(TrayIconTheme, NamesTheFigureInAsciiDigits)
{
    struct Case {
        std::optional<QString> digits;
        TrayInk ink;
        const char* name;
    };
    const Case cases[] = {
        {QStringLiteral("7"), TrayInk::dark, "halvorin-cpu-7-dark-symbolic"},
        {QStringLiteral("100"), TrayInk::light, "halvorin-cpu-100-light-symbolic"},
        {QStringLiteral("\u0663\u0667"), TrayInk::dark, "halvorin-cpu-37-dark-symbolic"}, // Arabic-Indic
        {QStringLiteral("\u0967\u0966"), TrayInk::dark, "halvorin-cpu-10-dark-symbolic"}, // Devanagari
        {std::nullopt, TrayInk::light, "halvorin-cpu-light-symbolic"},                    // the glyph
    };
    for (const Case& c : cases)
        EXPECT_EQ(TrayIconTheme::nameFor(c.digits, c.ink), QString::fromLatin1(c.name)) << c.name;
}

// The file a host loads: where GTK and Plasma look, one path filling the
// square, so that the host's colour is the figure's; a host that draws the
// file as it stands sees the figure in the pictures' ink.
TEST(TrayIconTheme, WritesASymbolicIconThatFillsTheSquareInTheInk)
{
    for (const TrayInk ink : {TrayInk::dark, TrayInk::light}) {
        QTemporaryDir root;
        TrayIconTheme theme(root.path());
        const QString name = theme.iconName(QStringLiteral("37"), ink);
        ASSERT_EQ(name, TrayIconTheme::nameFor(QStringLiteral("37"), ink));
        const QString flat = root.path() + QLatin1Char('/') + name + QStringLiteral(".svg");
        EXPECT_TRUE(QFile::exists(root.path() + QStringLiteral("/hicolor/scalable/status/") + name + QStringLiteral(".svg")));

        QFile file(flat);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray svg = file.readAll();
        EXPECT_EQ(svg.count("<path"), 1);
        EXPECT_TRUE(svg.contains("fill=\"currentColor\""));

        QSvgRenderer renderer(svg);
        ASSERT_TRUE(renderer.isValid());
        QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            renderer.render(&painter);
        }
        int top = 32, bottom = -1;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                if (qAlpha(image.pixel(x, y)) > 128) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
                if (qAlpha(image.pixel(x, y)) == 255) {
                    EXPECT_EQ(QColor(image.pixel(x, y)), TrayIconPainter::inkColor(ink)) << x << "," << y;
                }
            }
        }
        EXPECT_GE(bottom - top + 1, 28) << "the figure stands the square's height";
    }
}

// Where the folder cannot be written the item offers no name, and hosts
// take its pictures instead of looking for a file that is not there.
TEST(TrayIconTheme, NoNameWhereTheFolderCannotBeWritten)
{
    QTemporaryDir root;
    QFile blocker(root.path() + QStringLiteral("/icons"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    TrayIconTheme theme(root.path() + QStringLiteral("/icons"));
    EXPECT_TRUE(theme.iconName(QStringLiteral("37"), TrayInk::dark).isEmpty());
}
