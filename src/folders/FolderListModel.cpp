#include "folders/FolderListModel.h"

#include "folders/FolderProvider.h"

#include <QHash>

namespace Dunmorra {

FolderListModel::FolderListModel(FolderProvider& folders, QObject* parent)
    : QAbstractListModel(parent)
    , m_folders(folders)
{
    for (const FolderItem& item : m_folders.items())
        m_rowIds.append(item.path);
    m_generation = m_folders.scanGeneration();
    m_figures = FolderFigures::of(m_folders.items());
    connect(&m_folders, &FolderProvider::itemsChanged, this, &FolderListModel::itemsChanged);
}

int FolderListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rowIds.size());
}

const FolderItem& FolderListModel::item(int row) const
{
    return m_folders.items().at(row);
}

QVariant FolderListModel::data(const QModelIndex& index, int role) const
{
    // The provider's list changes before this model hears of it.
    if (!index.isValid() || index.row() >= rowCount() || index.row() >= m_folders.items().size())
        return {};
    const FolderItem& i = item(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return i.name();
    case PathRole:
        return i.path;
    case IsDirectoryRole:
        return i.isDirectory;
    case SizeBytesRole:
        return i.sizeBytes ? QVariant::fromValue(*i.sizeBytes) : QVariant();
    case ChildCountRole:
        return i.childCount ? QVariant::fromValue(*i.childCount) : QVariant();
    case FractionRole:
        return m_figures.fraction(i);
    case IsUnreadableRole:
        return i.isUnreadable;
    case IsIncompleteRole:
        return i.isIncomplete;
    default:
        return {};
    }
}

QHash<int, QByteArray> FolderListModel::roleNames() const
{
    QHash<int, QByteArray> names = QAbstractListModel::roleNames();
    names.insert(PathRole, "path");
    names.insert(IsDirectoryRole, "isDirectory");
    names.insert(SizeBytesRole, "sizeBytes");
    names.insert(ChildCountRole, "childCount");
    names.insert(FractionRole, "fraction");
    names.insert(IsUnreadableRole, "isUnreadable");
    names.insert(IsIncompleteRole, "isIncomplete");
    return names;
}

void FolderListModel::itemsChanged()
{
    const QList<FolderItem>& items = m_folders.items();
    const bool sameListing = m_folders.scanGeneration() == m_generation && items.size() == m_rowIds.size()
                             && !items.isEmpty();
    if (!sameListing) {
        beginResetModel();
        m_rowIds.clear();
        m_rowIds.reserve(items.size());
        for (const FolderItem& item : items)
            m_rowIds.append(item.path);
        m_generation = m_folders.scanGeneration();
        m_figures = FolderFigures::of(items);
        endResetModel();
        Q_EMIT figuresChanged();
        return;
    }

    // Sizes arrived: the same items, re-sorted. Views keep a handful of
    // indexes at most, so only their items are looked up.
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList kept = persistentIndexList();
    QList<QByteArray> keptIds;
    keptIds.reserve(kept.size());
    QHash<QByteArray, int> newRow;
    for (const QModelIndex& index : kept) {
        keptIds.append(m_rowIds.at(index.row()));
        newRow.insert(keptIds.last(), -1);
    }
    for (int row = 0; row < items.size(); ++row) {
        m_rowIds[row] = items[row].path;
        if (!newRow.isEmpty()) {
            const auto it = newRow.find(items[row].path);
            if (it != newRow.end())
                *it = row;
        }
    }
    QModelIndexList moved;
    moved.reserve(kept.size());
    for (const QByteArray& id : keptIds) {
        const int row = newRow.value(id, -1);
        moved.append(row < 0 ? QModelIndex() : index(row));
    }
    changePersistentIndexList(kept, moved);
    m_figures = FolderFigures::of(items);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    Q_EMIT dataChanged(index(0), index(rowCount() - 1));
    Q_EMIT figuresChanged();
}

} // namespace Dunmorra
