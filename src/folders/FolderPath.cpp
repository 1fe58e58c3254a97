#include "folders/FolderPath.h"

#include "model/OneLine.h"

#include <QFile>
#include <QList>

namespace Dunmorra::FolderPath {

QByteArray clean(const QByteArray& path)
{
    QList<QByteArray> parts;
    for (const QByteArray& part : path.split('/')) {
        if (part.isEmpty() || part == ".")
            continue;
        if (part == "..") {
            if (!parts.isEmpty())
                parts.removeLast();
            continue;
        }
        parts.append(part);
    }
    QByteArray out;
    for (const QByteArray& part : parts) {
        out += '/';
        out += part;
    }
    return out.isEmpty() ? QByteArray("/") : out;
}

QByteArray parent(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash <= 0)
        return QByteArray("/");
    return path.left(slash);
}

QByteArray lastComponent(const QByteArray& path)
{
    if (path == "/")
        return path;
    return path.mid(path.lastIndexOf('/') + 1);
}

QByteArray child(const QByteArray& folder, const QByteArray& name)
{
    if (folder.endsWith('/'))
        return folder + name;
    return folder + '/' + name;
}

QString displayName(const QByteArray& path)
{
    return oneLine(QFile::decodeName(lastComponent(path)));
}

QByteArray fileUri(const QByteArray& path)
{
    return QByteArrayLiteral("file://") + path.toPercentEncoding("/");
}

} // namespace Dunmorra::FolderPath
