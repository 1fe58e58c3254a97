#include "tabs/folders/FolderListView.h"

#include "components/Easing.h"
#include "folders/FolderListModel.h"
#include "tabs/folders/FolderRowDelegate.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace Dunmorra {

namespace {
constexpr double kResponse = 0.55;
constexpr double kDamping = 0.75;
} // namespace

FolderListView::FolderListView(FolderListModel& model, QWidget* parent)
    : QListView(parent)
    , m_model(model)
    , m_delegate(new FolderRowDelegate(*this))
{
    setObjectName(QStringLiteral("folderList"));
    setModel(&m_model);
    setItemDelegate(m_delegate);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setMouseTracking(true);
    setFrameShape(QFrame::NoFrame);
    // As tall as its rows, up to the card's limit; the page scrolls beyond.
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
    setFocusPolicy(Qt::StrongFocus);

    m_clock.start();
    m_frame.setInterval(16);
    connect(&m_frame, &QTimer::timeout, this, &FolderListView::animationTick);
    // A new listing starts every bar afresh; rows scrolled into sight show
    // their share at once.
    connect(&m_model, &QAbstractItemModel::modelReset, this, [this] { m_motions.clear(); });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        m_motions.clear();
        refreshHover();
    });
    // Rows re-sort under the pointer as sizes arrive.
    connect(&m_model, &QAbstractItemModel::layoutChanged, this, &FolderListView::refreshHover, Qt::QueuedConnection);
}

int FolderListView::contentHeight(int maxHeight) const
{
    const qint64 rows = m_model.rowCount();
    return static_cast<int>(std::min<qint64>(maxHeight, rows * m_delegate->rowHeight()));
}

void FolderListView::setBlocked(bool blocked)
{
    if (blocked == m_blocked)
        return;
    m_blocked = blocked;
    if (blocked)
        setHovered({});
    viewport()->update();
}

double FolderListView::displayedFraction(const QByteArray& path, double target) const
{
    const qint64 now = m_clock.elapsed();
    auto it = m_motions.find(path);
    if (it == m_motions.end()) {
        m_motions.insert(path, Motion{target, target, -1});
        return target;
    }
    Motion& m = *it;
    const auto valueAt = [&](const Motion& motion) {
        if (motion.startMs < 0)
            return motion.to;
        const double t = static_cast<double>(now - motion.startMs) / 1000.0;
        if (t >= springSettleSeconds(kResponse, kDamping))
            return motion.to;
        return motion.from + (motion.to - motion.from) * springProgress(t, kResponse, kDamping);
    };
    if (m.to != target) {
        m = Motion{valueAt(m), target, now};
        m_moving = true;
        if (!m_frame.isActive())
            m_frame.start();
    }
    const double value = valueAt(m);
    if (m.startMs >= 0 && value == m.to)
        m.startMs = -1;
    else if (m.startMs >= 0)
        m_moving = true;
    return value;
}

void FolderListView::animationTick()
{
    if (!m_moving) {
        m_frame.stop();
        return;
    }
    m_moving = false; // set again by the rows still moving as they paint
    viewport()->update();
}

void FolderListView::setHovered(const QByteArray& path)
{
    if (path == m_hovered)
        return;
    m_hovered = path;
    viewport()->update();
    Q_EMIT hoveredItemChanged();
}

QByteArray FolderListView::pathAt(const QPoint& viewportPos) const
{
    const QModelIndex index = indexAt(viewportPos);
    return index.isValid() ? index.data(FolderListModel::PathRole).toByteArray() : QByteArray();
}

void FolderListView::refreshHover()
{
    if (m_blocked || !isVisible())
        return;
    const QPoint pos = viewport()->mapFromGlobal(QCursor::pos());
    const bool inside = viewport()->rect().contains(pos) && window()->isActiveWindow();
    setHovered(inside ? pathAt(pos) : QByteArray());
}

void FolderListView::choose(const QModelIndex& index)
{
    if (!index.isValid() || !index.data(FolderListModel::IsDirectoryRole).toBool())
        return;
    Q_EMIT folderChosen(index.data(FolderListModel::PathRole).toByteArray());
}

void FolderListView::mouseMoveEvent(QMouseEvent* event)
{
    if (m_blocked) {
        event->accept();
        return;
    }
    setHovered(pathAt(event->position().toPoint()));
    QListView::mouseMoveEvent(event);
}

void FolderListView::mousePressEvent(QMouseEvent* event)
{
    if (m_blocked) {
        event->accept();
        return;
    }
    const QModelIndex index = indexAt(event->position().toPoint());
    m_pressed = event->button() == Qt::LeftButton && index.isValid()
                    ? index.data(FolderListModel::PathRole).toByteArray()
                    : QByteArray();
    QListView::mousePressEvent(event);
}

void FolderListView::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_blocked) {
        event->accept();
        return;
    }
    // One click opens a folder, whatever the desktop's activation setting.
    const QModelIndex index = indexAt(event->position().toPoint());
    const bool click = event->button() == Qt::LeftButton && index.isValid() && !m_pressed.isEmpty()
                       && index.data(FolderListModel::PathRole).toByteArray() == m_pressed;
    m_pressed.clear();
    QListView::mouseReleaseEvent(event);
    if (click)
        choose(index);
}

void FolderListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The first click of the two has opened the folder already.
    event->accept();
}

void FolderListView::leaveEvent(QEvent* event)
{
    setHovered({});
    QListView::leaveEvent(event);
}

void FolderListView::wheelEvent(QWheelEvent* event)
{
    if (m_blocked) {
        event->ignore();
        return;
    }
    QListView::wheelEvent(event);
}

void FolderListView::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
    if (m_blocked)
        return;
    const QModelIndex index = indexAt(event->pos());
    if (index.isValid())
        Q_EMIT contextMenuWanted(index, event->globalPos());
}

void FolderListView::keyPressEvent(QKeyEvent* event)
{
    if (!m_blocked && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        choose(currentIndex());
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

bool FolderListView::viewportEvent(QEvent* event)
{
    if (m_blocked && event->type() == QEvent::ToolTip)
        return true;
    return QListView::viewportEvent(event);
}

} // namespace Dunmorra
