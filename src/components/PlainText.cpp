#include "components/PlainText.h"

namespace Dunmorra {

QString plainToolTip(const QString& text)
{
    if (text.isEmpty())
        return {};
    return QStringLiteral("<p style='white-space:pre'>%1</p>").arg(oneLine(text).toHtmlEscaped());
}

} // namespace Dunmorra
