#include "folders/FolderItem.h"

#include "folders/FolderPath.h"

#include <QFile>

namespace Dunmorra {

QString FolderItem::pathText() const
{
    return QFile::decodeName(path);
}

QString FolderItem::name() const
{
    return FolderPath::displayName(path);
}

} // namespace Dunmorra
