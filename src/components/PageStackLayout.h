#pragma once

#include <QVBoxLayout>

namespace Dunmorra {

// The vertical stack of a scrolling page. It never squeezes its items into
// less height than they need: the page scrolls instead. When content grows,
// Qt lays the page out once at its old height before the scroll area grows
// it; a plain box layout would shrink and move every item above the change
// for that moment, and each of them would repaint twice.
class PageStackLayout : public QVBoxLayout {
public:
    explicit PageStackLayout(QWidget* parent = nullptr);

    void setGeometry(const QRect& rect) override;
};

} // namespace Dunmorra
