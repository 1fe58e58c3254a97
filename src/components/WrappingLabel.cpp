#include "components/WrappingLabel.h"

#include <QEvent>
#include <QFontMetrics>

#include <algorithm>
#include <cmath>

namespace Dunmorra {

WrappingLabel::WrappingLabel(const QString& text, const QFont& font, Tone tone, QWidget* parent)
    : TextLabel(text, font, tone, parent)
{
    setWordWrap(true);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

int WrappingLabel::heightAt(int width) const
{
    const QMargins m = contentsMargins();
    const int inner = std::max(1, width - m.left() - m.right() - 2 * margin());
    const QRect bounds = fontMetrics().boundingRect(QRect(0, 0, inner, 1 << 20),
                                                    static_cast<int>(alignment() | Qt::TextWordWrap), text());
    const int lines = std::max(fontMetrics().height(), bounds.height());
    return lines + m.top() + m.bottom() + 2 * margin();
}

int WrappingLabel::lineCount() const
{
    const QMargins m = contentsMargins();
    return std::max(1, (heightAt(width()) - m.top() - m.bottom() - 2 * margin()) / fontMetrics().height());
}

QSize WrappingLabel::sizeHint() const
{
    const QMargins m = contentsMargins();
    const int oneLine = static_cast<int>(std::ceil(QFontMetricsF(font()).horizontalAdvance(text())))
        + m.left() + m.right() + 2 * margin();
    // As high as the width it has now needs; before any width, one line.
    return {oneLine, heightAt(width() > 1 ? width() : oneLine)};
}

QSize WrappingLabel::minimumSizeHint() const
{
    int longestWord = 0;
    const QFontMetricsF metrics(font());
    for (const QString& word : text().split(QLatin1Char(' '), Qt::SkipEmptyParts))
        longestWord = std::max(longestWord, static_cast<int>(std::ceil(metrics.horizontalAdvance(word))));
    const QMargins m = contentsMargins();
    const int width = longestWord + m.left() + m.right() + 2 * margin();
    return {width, sizeHint().height()};
}

void WrappingLabel::resizeEvent(QResizeEvent* event)
{
    TextLabel::resizeEvent(event);
    const int needed = heightAt(width());
    if (needed != m_heightAsked) {
        m_heightAsked = needed;
        updateGeometry();
    }
}

void WrappingLabel::changeEvent(QEvent* event)
{
    TextLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        m_heightAsked = -1;
}

} // namespace Dunmorra
