#pragma once

#include <QByteArray>

namespace Dunmorra::FolderPath {

// Path arithmetic on raw path bytes (never decoded, so names that are not
// valid UTF-8 survive). Paths are absolute and cleaned.

// Collapses repeated slashes, "." and ".." components and a trailing slash.
// A relative path is taken from the root.
QByteArray clean(const QByteArray& path);

// The path with its last component removed; the root's parent is the root.
QByteArray parent(const QByteArray& path);

// The last component; "/" for the root.
QByteArray lastComponent(const QByteArray& path);

QByteArray child(const QByteArray& folder, const QByteArray& name);

} // namespace Dunmorra::FolderPath
