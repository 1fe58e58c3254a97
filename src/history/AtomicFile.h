#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace Dunmorra {

// Replaces the file at path with bytes through a temporary file in the same
// folder, renamed over it only once every byte is written: a failure (a
// read-only folder, a full disk) leaves the previous file, or none, and no
// partial file. Returns the error's description on failure. The folder must
// exist.
std::optional<QString> writeFileAtomically(const QString& path, QByteArrayView bytes);

} // namespace Dunmorra
