#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QListView>
#include <QTimer>

namespace Dunmorra {

class FolderListModel;
class FolderRowDelegate;

// The rows of the folder list: one painted row per child, so a folder of
// tens of thousands of entries scrolls and re-sorts without a widget per
// row. Remembers the row under the pointer by the item's path, so the
// highlight stays with its item when the list re-sorts. While blocked (the
// sizes are being computed) it takes no pointer input: no highlight, no
// click, no context menu; the wheel scrolls the page around it instead.
class FolderListView : public QListView {
    Q_OBJECT
public:
    explicit FolderListView(FolderListModel& model, QWidget* parent = nullptr);

    // The path of the row under the pointer; empty when none.
    const QByteArray& hoveredItem() const { return m_hovered; }
    bool isBlocked() const { return m_blocked; }
    void setBlocked(bool blocked);

    // Finds the row under the pointer again, after the rows moved under a
    // pointer that did not (a scroll of the list or the page, a re-sort).
    void refreshHover();

    FolderRowDelegate* rowDelegate() const { return m_delegate; }
    // The height the rows need, at most `maxHeight`.
    int contentHeight(int maxHeight) const;

    // The share of the bar a row shows now: a new share eases in with a
    // spring from the one shown before; a row seen for the first time shows
    // its share at once.
    double displayedFraction(const QByteArray& path, double target) const;

Q_SIGNALS:
    void folderChosen(const QByteArray& path);
    void contextMenuWanted(const QModelIndex& index, const QPoint& globalPos);
    void hoveredItemChanged();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    struct Motion {
        double from = 0;
        double to = 0;
        qint64 startMs = -1; // -1: at rest on `to`
    };

    void setHovered(const QByteArray& path);
    QByteArray pathAt(const QPoint& viewportPos) const;
    void choose(const QModelIndex& index);
    void animationTick();

    FolderListModel& m_model;
    FolderRowDelegate* m_delegate;
    QByteArray m_hovered;
    bool m_blocked = false;
    QElapsedTimer m_clock;
    mutable QTimer m_frame;
    QByteArray m_pressed;
    mutable QHash<QByteArray, Motion> m_motions;
    mutable bool m_moving = false;
};

} // namespace Dunmorra
