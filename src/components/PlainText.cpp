#include "components/PlainText.h"

namespace Dunmorra {

QString oneLine(const QString& text)
{
    QString out = text;
    for (QChar& c : out) {
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Separator_Line
            || category == QChar::Separator_Paragraph)
            c = QLatin1Char(' ');
    }
    return out;
}

QString plainToolTip(const QString& text)
{
    if (text.isEmpty())
        return text;
    return QStringLiteral("<p style=\"white-space:pre\">") + text.toHtmlEscaped() + QStringLiteral("</p>");
}

} // namespace Dunmorra
