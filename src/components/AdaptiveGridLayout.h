#pragma once

#include <QLayout>
#include <QList>

namespace Dunmorra {

// Equal-width columns, as many as fit at a minimum width, with fixed gaps;
// the height follows from the width, so it sits in a vertical scroll page.
class AdaptiveGridLayout : public QLayout {
    Q_OBJECT
public:
    AdaptiveGridLayout(int minimumColumnWidth, int gap, QWidget* parent = nullptr);
    ~AdaptiveGridLayout() override;

    // Columns that fit a width: max(1, (W + gap) / (minimum + gap)).
    static int columnsFor(int width, int minimumColumnWidth, int gap);

    void addItem(QLayoutItem* item) override;
    int count() const override { return static_cast<int>(m_items.size()); }
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    void setGeometry(const QRect& rect) override;
    Qt::Orientations expandingDirections() const override { return Qt::Horizontal; }

private:
    int arrange(const QRect& rect, bool apply) const;

    QList<QLayoutItem*> m_items;
    int m_minimumColumnWidth;
    int m_gap;
};

} // namespace Dunmorra
