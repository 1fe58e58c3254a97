#include "folders/FolderFigures.h"

#include "folders/FolderPath.h"

#include <QHash>

#include <algorithm>
#include <limits>

namespace Dunmorra {

namespace {

quint64 saturatingAdd(quint64 a, quint64 b)
{
    return b > std::numeric_limits<quint64>::max() - a ? std::numeric_limits<quint64>::max() : a + b;
}

} // namespace

FolderFigures FolderFigures::of(const QList<FolderItem>& items)
{
    FolderFigures f;
    quint64 largest = 0;
    for (const FolderItem& item : items) {
        if (item.sizeBytes) {
            largest = std::max(largest, *item.sizeBytes);
            f.totalSize = saturatingAdd(f.totalSize, *item.sizeBytes);
        }
        if (item.isDirectory) {
            ++f.folderCount;
            if (item.sizeBytes)
                ++f.sizedFolderCount;
            if (!item.sizeBytes || item.isUnreadable || item.isIncomplete)
                f.totalIsPartial = true;
        } else {
            ++f.fileCount;
        }
    }
    f.maxItemSize = largest == 0 ? 1 : largest;
    return f;
}

double FolderFigures::fraction(const FolderItem& item) const
{
    if (!item.sizeBytes)
        return 0;
    return static_cast<double>(*item.sizeBytes) / static_cast<double>(maxItemSize);
}

QString fileTypeOf(const QByteArray& name)
{
    const qsizetype dot = name.lastIndexOf('.');
    if (dot <= 0 || dot == name.size() - 1)
        return QStringLiteral("—");
    return FolderPath::displayName(name.mid(dot + 1)).toUpper();
}

std::vector<FileTypeShare> fileTypeBreakdown(const QList<FolderItem>& items)
{
    QHash<QString, quint64> bytes;
    for (const FolderItem& item : items) {
        if (item.isDirectory || !item.sizeBytes || *item.sizeBytes == 0)
            continue;
        quint64& sum = bytes[fileTypeOf(FolderPath::lastComponent(item.path))];
        sum = saturatingAdd(sum, *item.sizeBytes);
    }
    std::vector<FileTypeShare> shares;
    shares.reserve(static_cast<std::size_t>(bytes.size()));
    for (auto it = bytes.cbegin(); it != bytes.cend(); ++it)
        shares.push_back({it.key(), it.value()});
    std::sort(shares.begin(), shares.end(), [](const FileTypeShare& a, const FileTypeShare& b) {
        return a.size != b.size ? a.size > b.size : a.ext < b.ext;
    });
    if (shares.size() > 5)
        shares.resize(5);
    return shares;
}

} // namespace Dunmorra
