#pragma once

#include "components/Typography.h"

namespace Dunmorra {

// A one-line plain-text label that asks for its text's width but may be
// squeezed to nothing, ending a text that does not fit with an ellipsis
// instead of widening its row. Line breaks in the text show as spaces.
class ElidedLabel : public TextLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(const QString& text, const QFont& font, Tone tone = Tone::Primary, QWidget* parent = nullptr);

    // Keeps the text's full width, up to `pixels`, before any ellipsis: a
    // figure stays whole while an absurd one is still cut short. 0 (the
    // default) lets the label be squeezed to nothing.
    void setKeptWidth(int pixels);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_keptWidth = 0;
};

} // namespace Dunmorra
