#include "platform/FullDiskAccess.h"

namespace Dunmorra::Platform {

bool hasFullDiskAccess()
{
    return true;
}

} // namespace Dunmorra::Platform
