#pragma once

#include <QScrollArea>

class QHBoxLayout;
class QVBoxLayout;

namespace Dunmorra {

// The frame every tab page shares: a vertical scroll view over a leading
// stack with spacing 20 and padding 20.
class TabPage : public QScrollArea {
    Q_OBJECT
public:
    explicit TabPage(QWidget* parent = nullptr);

    QWidget* body() const { return m_body; }
    QVBoxLayout* stack() const { return m_stack; }

    // Side-by-side cards: spacing 16, equal shares of the width.
    static QHBoxLayout* cardRow();
    // Lets a card take an equal share of its row whatever its text's length.
    static void shareRowWidth(QWidget* card);

    // A page never scrolls sideways: it asks for its content's narrowest
    // width beside the vertical scroll bar, and the window makes room for it
    // (the sidebar gives up its ideal width first) rather than cut it off.
    QSize minimumSizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_body;
    QVBoxLayout* m_stack;
};

} // namespace Dunmorra
