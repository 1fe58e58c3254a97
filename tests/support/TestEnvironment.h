#pragma once

#include <QString>

namespace Dunmorra::Test {

// Points XDG_DATA_HOME, XDG_CONFIG_HOME, XDG_RUNTIME_DIR and HOME-relative
// settings at a temporary folder for the whole test process, so no test
// touches the user's real files. Call before the Q*Application exists.
void isolateUserFolders();

// The temporary root chosen by isolateUserFolders().
QString isolatedRoot();

// Path of a file under tests/fixtures.
QString fixturePath(const QString& relative);

} // namespace Dunmorra::Test
