#pragma once

#include "components/Typography.h"

namespace Dunmorra {

// A plain-text label that breaks between words onto further lines when its
// width does not hold the text, instead of cutting the end off. It asks for
// one line's width and may be squeezed to its longest word; its height
// follows the width it is given. It does not report a height-for-width to
// the layouts: grids then size spanning neighbours by their minimum sizes
// alone, and the label asks again for its height whenever a new width needs
// another number of lines.
class WrappingLabel : public TextLabel {
    Q_OBJECT
public:
    explicit WrappingLabel(const QString& text, const QFont& font, Tone tone = Tone::Primary, QWidget* parent = nullptr);

    // Lines the text takes at the label's current width.
    int lineCount() const;

    bool hasHeightForWidth() const override { return false; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int heightAt(int width) const;
    int m_heightAsked = -1;
};

} // namespace Dunmorra
