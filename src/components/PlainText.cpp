#include "components/PlainText.h"

namespace Dunmorra {

namespace {

bool needsPicture(char16_t c)
{
    return c < 0x20 || (c >= 0x7f && c < 0xa0) || c == 0x2028 || c == 0x2029;
}

QChar pictureOf(char16_t c)
{
    if (c < 0x20)
        return QChar(static_cast<char16_t>(0x2400 + c)); // the control pictures block
    if (c == 0x7f)
        return QChar(static_cast<char16_t>(0x2421));
    return QChar(static_cast<char16_t>(0xfffd));
}

} // namespace

QString oneLine(const QString& text)
{
    qsizetype first = 0;
    while (first < text.size() && !needsPicture(text[first].unicode()))
        ++first;
    if (first == text.size())
        return text;
    QString out = text;
    for (qsizetype i = first; i < out.size(); ++i) {
        if (needsPicture(out[i].unicode()))
            out[i] = pictureOf(out[i].unicode());
    }
    return out;
}

QString plainToolTip(const QString& text)
{
    if (text.isEmpty())
        return {};
    return QStringLiteral("<p style='white-space:pre'>%1</p>").arg(oneLine(text).toHtmlEscaped());
}

} // namespace Dunmorra
