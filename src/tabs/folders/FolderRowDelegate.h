#pragma once

#include <QColor>
#include <QStyledItemDelegate>

namespace Dunmorra {

class FolderListView;

// Paints one row of the folder list: the kind's symbol and the name (with
// the file count of a sized folder below it), the size bar against the
// largest child, and the size. Every row has the same height, so a list of
// tens of thousands of rows lays out at once and a folder that gets its
// count line does not push the rows below it.
class FolderRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int kNameWidth = 190;
    static constexpr int kTotalWidth = 80;
    static constexpr int kSpacing = 10;
    static constexpr int kBarHeight = 12;
    static constexpr int kDividerIndent = 26;
    static constexpr int kPadV = 9; // above and below a row's content
    static constexpr int kPadH = 4; // before and after it

    explicit FolderRowDelegate(FolderListView& view);

    // The fill of a size bar `width` wide: the share of the width below a
    // fraction of 1, all of it from 1 on, and never less than 4 units.
    static double barFillWidth(double fraction, double width);
    // Red from 0.65 of the largest, orange from 0.35, else the accent.
    static QColor barColor(double fraction);
    // The text of the size cell: the size, "…" while unknown.
    static QString sizeText(const QVariant& sizeBytes, bool unreadable);

    int rowHeight() const;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

private:
    FolderListView& m_view;
};

} // namespace Dunmorra
