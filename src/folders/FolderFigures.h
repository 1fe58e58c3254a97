#pragma once

#include "folders/FolderItem.h"

#include <QList>
#include <QString>

#include <vector>

namespace Dunmorra {

// What the Folders tab derives from one listing: the scale of the size
// bars, the header's totals and the sizing progress. Worked out from the
// items whenever they change; nothing here is remembered between listings.
struct FolderFigures {
    // The largest known size; 1 when none is known or the largest is 0, so
    // it always divides.
    quint64 maxItemSize = 1;
    // The known sizes added up, stopping at the largest value.
    quint64 totalSize = 0;
    int folderCount = 0;
    // Folders whose sizing has finished (an unreadable one included).
    int sizedFolderCount = 0;
    int fileCount = 0;
    // The total leaves something out: a folder not sized, or one that could
    // not be read, or not in full.
    bool totalIsPartial = false;

    static FolderFigures of(const QList<FolderItem>& items);

    // The bar share of one item: its size over maxItemSize, 0 while unknown.
    double fraction(const FolderItem& item) const;

    bool operator==(const FolderFigures&) const = default;
};

// The bytes of the direct child files of one file type.
struct FileTypeShare {
    QString ext;
    quint64 size = 0;
    bool operator==(const FileTypeShare&) const = default;
};

// The direct child files with a size above 0, summed per file type, largest
// first (equal sizes by type, so the order is always the same), at most five.
std::vector<FileTypeShare> fileTypeBreakdown(const QList<FolderItem>& items);

// The file type of a name: its extension in upper case, "—" when it has
// none. The extension follows the last dot that is neither the name's first
// character nor its last, so ".bashrc" and "notes." have none.
QString fileTypeOf(const QByteArray& name);

} // namespace Dunmorra
