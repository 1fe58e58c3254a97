#include "model/OneLine.h"

namespace Dunmorra {

namespace {

bool breaksTheLine(char16_t c)
{
    return c < 0x20 || (c >= 0x7f && c < 0xa0) || c == 0x2028 || c == 0x2029;
}

} // namespace

QString oneLine(const QString& text)
{
    qsizetype first = 0;
    while (first < text.size() && !breaksTheLine(text[first].unicode()))
        ++first;
    if (first == text.size())
        return text;
    QString out = text;
    for (qsizetype i = first; i < out.size(); ++i) {
        if (breaksTheLine(out[i].unicode()))
            out[i] = QChar::ReplacementCharacter;
    }
    return out;
}

} // namespace Dunmorra
