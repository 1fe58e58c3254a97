#pragma once

namespace Dunmorra::Platform {

// Whether the process may read every user's protected data. Linux has no
// such grant to ask for: folders that cannot be read show as unreadable
// one by one instead, so this always answers true.
bool hasFullDiskAccess();

} // namespace Dunmorra::Platform
