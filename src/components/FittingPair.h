#pragma once

#include <QPointer>
#include <QWidget>

namespace Dunmorra {

// Two views in the first arrangement that fits: side by side when the width
// holds both at their preferred widths, otherwise the first above the
// second, both at the top and leading edge. An optional joiner (a separator
// text) stands between them in the side-by-side arrangement only. In the
// side-by-side arrangement the second view takes the width that is left; in
// the stacked one each view takes the full width.
class FittingPair : public QWidget {
    Q_OBJECT
public:
    FittingPair(QWidget* first, QWidget* second, int wideSpacing, int narrowSpacing, QWidget* joiner = nullptr,
                QWidget* parent = nullptr);

    // Whether a width holds the side-by-side arrangement.
    bool fits(int width) const { return width >= wideWidth(); }
    bool isWide() const { return m_wide; }
    // Measures again, after a view was shown or hidden.
    void refit();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool hasJoiner() const;
    int wideWidth() const;
    int wideHeight() const;
    int narrowHeight() const;
    void arrange();

    QPointer<QWidget> m_first;
    QPointer<QWidget> m_second;
    QPointer<QWidget> m_joiner;
    int m_wideSpacing;
    int m_narrowSpacing;
    bool m_wide = true;
};

} // namespace Dunmorra
