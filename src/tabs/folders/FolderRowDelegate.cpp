#include "tabs/folders/FolderRowDelegate.h"

#include "components/Divider.h"
#include "components/Formatters.h"
#include "components/Palette.h"
#include "components/Symbols.h"
#include "components/Typography.h"
#include "folders/FolderListModel.h"
#include "tabs/folders/FolderListView.h"

#include <QHelpEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

#include <algorithm>
#include <climits>

namespace Dunmorra {

namespace {

constexpr int kSymbolWidth = 16;
constexpr int kSymbolSize = 14;
constexpr int kMarkSize = 11;

QFont nameFont()
{
    return figureFont(14, QFont::Medium);
}

QFont countFont()
{
    return Fonts::caption();
}

// A tooltip from data: shown as the text it is, never read as markup.
QString plainToolTip(const QString& text)
{
    return QStringLiteral("<p style='white-space:pre'>%1</p>").arg(text.toHtmlEscaped());
}

QString countText(const QModelIndex& index)
{
    if (!index.data(FolderListModel::IsDirectoryRole).toBool() || index.data(FolderListModel::IsUnreadableRole).toBool())
        return {};
    const QVariant count = index.data(FolderListModel::ChildCountRole);
    if (!count.isValid())
        return {};
    // Plural forms from the catalogue: "1 file", "2 files".
    return FolderRowDelegate::tr("%n files", nullptr, static_cast<int>(std::min<qlonglong>(count.toLongLong(), INT_MAX)));
}

struct Cells {
    QRect name;
    QRect bar;
    QRect total;
};

Cells cellsOf(const QRect& row)
{
    constexpr int h = FolderRowDelegate::kPadH;
    constexpr int v = FolderRowDelegate::kPadV;
    const QRect inner = row.adjusted(h, v, -h, -v);
    Cells c;
    c.name = QRect(inner.left(), inner.top(), FolderRowDelegate::kNameWidth, inner.height());
    c.total = QRect(inner.right() + 1 - FolderRowDelegate::kTotalWidth, inner.top(), FolderRowDelegate::kTotalWidth,
                    inner.height());
    const int barLeft = c.name.right() + 1 + FolderRowDelegate::kSpacing;
    const int barRight = c.total.left() - FolderRowDelegate::kSpacing;
    c.bar = QRect(barLeft, inner.center().y() - FolderRowDelegate::kBarHeight / 2 + 1, std::max(0, barRight - barLeft),
                  FolderRowDelegate::kBarHeight);
    return c;
}

} // namespace

FolderRowDelegate::FolderRowDelegate(FolderListView& view)
    : QStyledItemDelegate(&view)
    , m_view(view)
{
}

double FolderRowDelegate::barFillWidth(double fraction, double width)
{
    // Written as the rule reads, so that NaN (fails "< 1") fills the bar.
    const double fill = fraction < 1 ? fraction * width : width;
    return std::max(4.0, fill);
}

QColor FolderRowDelegate::barColor(double fraction)
{
    QColor color = fraction >= 0.65 ? paletteRed() : fraction >= 0.35 ? paletteOrange() : accentColor();
    return withAlpha(color, 0.85);
}

QString FolderRowDelegate::sizeText(const QVariant& sizeBytes, bool unreadable)
{
    if (unreadable)
        return tr("Unreadable");
    if (!sizeBytes.isValid())
        return QStringLiteral("…");
    return QString::fromStdString(formatBytes(sizeBytes.toULongLong()));
}

int FolderRowDelegate::rowHeight() const
{
    const int text = QFontMetrics(nameFont()).height() + 1 + QFontMetrics(countFont()).height();
    return kPadV + std::max(kSymbolWidth, text) + kPadV;
}

QSize FolderRowDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const
{
    return {kNameWidth + kTotalWidth + 2 * kSpacing + 2 * kPadH + 40, rowHeight()};
}

void FolderRowDelegate::paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    p->save();
    p->setRenderHint(QPainter::Antialiasing);
    const QRect row = option.rect;
    const QByteArray path = index.data(FolderListModel::PathRole).toByteArray();
    const bool isDirectory = index.data(FolderListModel::IsDirectoryRole).toBool();
    const bool unreadable = index.data(FolderListModel::IsUnreadableRole).toBool();
    const bool incomplete = index.data(FolderListModel::IsIncompleteRole).toBool();
    const QVariant size = index.data(FolderListModel::SizeBytesRole);

    if (!m_view.isBlocked() && !path.isEmpty() && path == m_view.hoveredItem()) {
        p->setPen(Qt::NoPen);
        p->setBrush(withAlpha(palettePrimary(), 0.05));
        p->drawRoundedRect(QRectF(row), 6, 6);
    }

    const Cells cells = cellsOf(row);

    // Name cell: symbol, then the name over the file count.
    const QString symbol = isDirectory ? QStringLiteral("folder.fill") : QStringLiteral("doc.fill");
    const QColor symbolColor = isDirectory ? accentColor() : secondaryText();
    const QPixmap glyph = symbolPixmap(symbol, kSymbolSize, symbolColor, p->device()->devicePixelRatioF());
    const QRect symbolCell(cells.name.left(), cells.name.top(), kSymbolWidth, cells.name.height());
    p->drawPixmap(symbolCell.left() + (kSymbolWidth - kSymbolSize) / 2,
                  symbolCell.center().y() - kSymbolSize / 2 + 1, glyph);

    const QRect textCell = cells.name.adjusted(kSymbolWidth + 6, 0, 0, 0);
    const QString count = countText(index);
    const QFontMetrics nameMetrics(nameFont());
    const QFontMetrics countMetrics(countFont());
    const int blockHeight = nameMetrics.height() + (count.isEmpty() ? 0 : 1 + countMetrics.height());
    int y = textCell.top() + (textCell.height() - blockHeight) / 2;
    p->setFont(nameFont());
    p->setPen(palettePrimary());
    const QString name = nameMetrics.elidedText(index.data(Qt::DisplayRole).toString(), Qt::ElideRight, textCell.width());
    p->drawText(QRect(textCell.left(), y, textCell.width(), nameMetrics.height()),
                Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, name);
    if (!count.isEmpty()) {
        y += nameMetrics.height() + 1;
        p->setFont(countFont());
        p->setPen(tertiaryText());
        p->drawText(QRect(textCell.left(), y, textCell.width(), countMetrics.height()),
                    Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                    countMetrics.elidedText(count, Qt::ElideRight, textCell.width()));
    }

    // Size bar: a track and a fill, both capsules.
    if (cells.bar.width() > 0) {
        const QRectF track(cells.bar);
        const qreal radius = track.height() / 2;
        p->setPen(Qt::NoPen);
        p->setBrush(withAlpha(palettePrimary(), 0.07));
        p->drawRoundedRect(track, radius, radius);
        const double target = index.data(FolderListModel::FractionRole).toDouble();
        const double shown = m_view.displayedFraction(path, target);
        const double width = std::min<double>(track.width(), barFillWidth(shown, track.width()));
        p->setBrush(barColor(target));
        p->drawRoundedRect(QRectF(track.left(), track.top(), width, track.height()), radius, radius);
    }

    // Size cell, with a mark when the figure leaves something out.
    const bool known = size.isValid() && !unreadable;
    p->setFont(known ? nameFont() : (unreadable ? countFont() : nameFont()));
    p->setPen(known ? palettePrimary() : tertiaryText());
    const QString text = sizeText(size, unreadable);
    p->drawText(cells.total, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, text);
    if (unreadable || incomplete) {
        const int textWidth = QFontMetrics(p->font()).horizontalAdvance(text);
        const QPixmap mark = symbolPixmap(QStringLiteral("exclamationmark.triangle.fill"), kMarkSize, paletteOrange(),
                                          p->device()->devicePixelRatioF());
        p->drawPixmap(cells.total.right() + 1 - textWidth - 4 - kMarkSize, cells.total.center().y() - kMarkSize / 2 + 1,
                      mark);
    }

    if (index.row() < index.model()->rowCount() - 1) {
        p->setRenderHint(QPainter::Antialiasing, false);
        p->fillRect(QRect(row.left() + kDividerIndent, row.bottom(), row.width() - kDividerIndent, 1),
                    Divider::colorAt(0.25));
    }
    p->restore();
}

bool FolderRowDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                                  const QModelIndex& index)
{
    if (event->type() != QEvent::ToolTip || !index.isValid() || m_view.isBlocked())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    const Cells cells = cellsOf(option.rect);
    QString tip;
    if (cells.total.contains(event->pos())) {
        if (index.data(FolderListModel::IsUnreadableRole).toBool())
            tip = tr("This folder could not be read");
        else if (index.data(FolderListModel::IsIncompleteRole).toBool())
            tip = tr("Some items could not be read: the size leaves them out");
    }
    if (tip.isEmpty() && cells.name.contains(event->pos())) {
        // The whole name, where the row had to shorten it.
        const QString name = index.data(Qt::DisplayRole).toString();
        if (QFontMetrics(nameFont()).horizontalAdvance(name) > cells.name.width() - kSymbolWidth - 6)
            tip = plainToolTip(name);
    }
    if (tip.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(event->globalPos(), tip, view, option.rect);
    return true;
}

} // namespace Dunmorra
