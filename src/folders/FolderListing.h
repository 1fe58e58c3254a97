#pragma once

#include "folders/FolderItem.h"

#include <QHash>
#include <QList>

#include <vector>

namespace Dunmorra {

// The children of one listed folder in display order: by size, largest first,
// a folder not yet sized counting as 0.
//
// Sizes arrive one folder at a time and each one re-sorts the list stably.
// Several sizes can be applied before one sort() and the order comes out as
// if the list had been re-sorted after each of them, in their order of
// arrival. That holds because sizes only ever rise from "none" (0): a folder
// that gets a size leaves the zero-sized tail and lands behind every item
// that already had that size, so among equal sizes the order is files (in
// listing order) before folders (in order of arrival), and among zero sizes
// it is the listing order. The sort key says exactly that.
class FolderListing {
public:
    struct Size {
        quint64 totalBytes = 0;
        qint64 fileCount = 0;
        bool unreadable = false;
        bool incomplete = false;
    };

    FolderListing() = default;
    // `items` in the order the folder listed them; sorted here.
    explicit FolderListing(QList<FolderItem> items);

    const QList<FolderItem>& items() const { return m_items; }

    // Sets the folder's size and file count; sort() places it. False when no
    // item has that path.
    bool applySize(const QByteArray& path, const Size& size);
    void sort();

private:
    struct Rank {
        int listed = 0;       // position in the folder's own listing
        quint64 arrival = 0;  // 0 for files; the n-th size applied gets n
    };

    QList<FolderItem> m_items;
    std::vector<Rank> m_ranks;    // parallel to m_items
    QHash<QByteArray, int> m_listedIndex;
    std::vector<int> m_rowOfListed;
    quint64 m_arrivals = 0;
};

} // namespace Dunmorra
