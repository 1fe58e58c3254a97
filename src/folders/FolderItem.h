#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QString>

#include <optional>

namespace Dunmorra {

// One direct child of the listed folder.
struct FolderItem {
    // The child's path as the file system spells it. It is the identity of
    // the item, and stays raw bytes because a name need not be valid UTF-8:
    // a decoded text would not lead back to the file.
    QByteArray path;
    // A file: its size from the listing. A folder: none until sized, then the
    // total of the non-empty regular files below it.
    std::optional<quint64> sizeBytes;
    // A file: 0. A folder: none until sized, then how many files were counted.
    std::optional<qint64> childCount;
    bool isDirectory = false;
    // A sized folder that could not be read at all: its 0 is not a size.
    bool isUnreadable = false;
    // A sized folder of which some part could not be read: its total is a
    // lower bound.
    bool isIncomplete = false;

    const QByteArray& id() const { return path; }
    // For display: the path, and the last path component on one line ("/"
    // for the root).
    QString pathText() const;
    QString name() const;

    bool operator==(const FolderItem&) const = default;
};

} // namespace Dunmorra

Q_DECLARE_METATYPE(Dunmorra::FolderItem)
