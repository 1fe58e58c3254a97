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

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace Dunmorra
