#pragma once

#include "folders/FolderFigures.h"
#include "folders/FolderItem.h"

#include <QAbstractListModel>
#include <QByteArray>

namespace Dunmorra {

class FolderProvider;

// The folder model's children as rows of an item model, in the model's
// order, for a list view that paints each row itself. A new listing resets
// the rows; a size arriving only moves them (a layout change), so whatever
// a view keeps by index (the current row, the row under the pointer) stays
// with its item as the list re-sorts.
class FolderListModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role {
        PathRole = Qt::UserRole + 1,  // QByteArray, the item's identity
        IsDirectoryRole,              // bool
        SizeBytesRole,                // quint64; invalid while unknown
        ChildCountRole,               // qint64; invalid while unknown
        FractionRole,                 // double, the share of the size bar
        IsUnreadableRole,             // bool
        IsIncompleteRole,             // bool
    };

    explicit FolderListModel(FolderProvider& folders, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    const FolderItem& item(int row) const;
    // The figures of the rows now shown.
    const FolderFigures& figures() const { return m_figures; }

Q_SIGNALS:
    // After every change of the rows or their sizes.
    void figuresChanged();

private:
    void itemsChanged();

    FolderProvider& m_folders;
    // Identities of the rows in the order the view last saw them.
    QList<QByteArray> m_rowIds;
    quint64 m_generation = 0;
    FolderFigures m_figures;
};

} // namespace Dunmorra
