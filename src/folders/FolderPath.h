#pragma once

#include <QByteArray>
#include <QString>

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

// The last component as one line of text: bytes that are not valid UTF-8
// and characters that would break the line (newlines, other control
// characters, line and paragraph separators) read as U+FFFD.
QString displayName(const QByteArray& path);

// A file: URI that names exactly these bytes: everything but unreserved
// characters and "/" is percent-encoded, so spaces, "#", "?" and names that
// are not valid UTF-8 survive the trip to another program.
QByteArray fileUri(const QByteArray& path);

} // namespace Dunmorra::FolderPath
