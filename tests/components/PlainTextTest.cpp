#include "components/Conversions.h"
#include "components/ElidedLabel.h"
#include "components/PlainText.h"
#include "components/Typography.h"

#include "support/QtPrinters.h"

#include <QTextDocument>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Dunmorra;

TEST(PlainText, OneLineMarksControlCharactersAndLeavesTheRest)
{
    struct Case {
        QString in;
        QString out;
    };
    const Case cases[] = {
        {QStringLiteral("Home"), QStringLiteral("Home")},
        {QStringLiteral("<b>x</b> & \"y\""), QStringLiteral("<b>x</b> & \"y\"")},
        {QString::fromUtf8("Caf\xc3\xa9 \xf0\x9f\x93\xb6"), QString::fromUtf8("Caf\xc3\xa9 \xf0\x9f\x93\xb6")},
        {QStringLiteral("a\nb\tc\rd"), QString::fromUtf8("a\ufffdb\ufffdc\ufffdd")},
        {QString(QChar(0)) + QStringLiteral("x\x1b[31m"), QString::fromUtf8("\ufffdx\ufffd[31m")},
        {QStringLiteral("del\x7f"), QString::fromUtf8("del\ufffd")},
        {QString::fromUtf8("c1\xc2\x85|\u2028|\u2029"), QString::fromUtf8("c1\ufffd|\ufffd|\ufffd")},
        {QString::fromUtf8("bad\xff\xfe"), QString::fromUtf8("bad\ufffd\ufffd")},
        {QString(), QString()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(oneLine(c.in), c.out) << c.in.toStdString();
}

TEST(PlainText, ToolTipReadsBackAsTheTextItself)
{
    for (const QString& text : {QStringLiteral("<b>x</b>"), QStringLiteral("a & b"), QStringLiteral("enp0s31f6")}) {
        const QString tip = plainToolTip(text);
        ASSERT_TRUE(Qt::mightBeRichText(tip));
        QTextDocument doc;
        doc.setHtml(tip);
        EXPECT_EQ(doc.toPlainText(), text);
    }
    EXPECT_TRUE(plainToolTip(QString()).isEmpty());
}

TEST(Conversions, ByteCountsFromDoublesSaturateAndDropTheFraction)
{
    constexpr auto max = std::numeric_limits<std::uint64_t>::max();
    const std::pair<double, std::uint64_t> cases[] = {
        {0, 0},
        {400.9, 400},
        {-1, 0},
        {-0.0, 0},
        {std::nan(""), 0},
        {std::numeric_limits<double>::infinity(), 0},
        {-std::numeric_limits<double>::infinity(), 0},
        {9007199254740993.0, 9007199254740992ULL},
        {18446744073709549568.0, 18446744073709549568ULL}, // the largest double below 2^64
        {18446744073709551616.0, max},
        {1e30, max},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(toUInt64Clamped(in), out) << in;
}

TEST(PlainText, AnElidedLabelStaysOneLineHigh)
{
    const ElidedLabel plain(QStringLiteral("name"), Fonts::value());
    const ElidedLabel broken(QStringLiteral("first\nsecond\nthird"), Fonts::value());
    EXPECT_EQ(broken.sizeHint().height(), plain.sizeHint().height());
    EXPECT_EQ(broken.minimumSizeHint().height(), plain.sizeHint().height());
}
