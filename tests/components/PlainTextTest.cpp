#include "components/ElidedLabel.h"
#include "components/PlainText.h"
#include "components/Typography.h"

#include <QTextDocument>

#include <gtest/gtest.h>

using namespace Dunmorra;

TEST(PlainText, NamesBecomeOneLineAndToolTipsShowThemAsWritten)
{
    EXPECT_EQ(oneLine(QString::fromUtf8("a\nb\tc\r\nd\u2028e\u0007f")), QStringLiteral("a b c  d e f"));
    EXPECT_EQ(oneLine(QStringLiteral("plain name")), QStringLiteral("plain name"));

    for (const QString& name : {QStringLiteral("<b>bold</b>"), QStringLiteral("<h1>big</h1>"),
                                QStringLiteral("a & b <img src=\"x\">"), QStringLiteral("two\nlines")}) {
        const QString tip = plainToolTip(name);
        QTextDocument doc;
        doc.setHtml(tip);
        EXPECT_EQ(doc.toPlainText(), name) << name.toStdString();
    }
    EXPECT_TRUE(plainToolTip(QString()).isEmpty()); // no tooltip at all
}

TEST(PlainText, AnElidedLabelStaysOneLineHigh)
{
    const ElidedLabel plain(QStringLiteral("name"), Fonts::value());
    const ElidedLabel broken(QStringLiteral("first\nsecond\nthird"), Fonts::value());
    EXPECT_EQ(broken.sizeHint().height(), plain.sizeHint().height());
    EXPECT_EQ(broken.minimumSizeHint().height(), plain.sizeHint().height());
}
