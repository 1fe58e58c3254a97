#pragma once

#include "app/MainTab.h"

#include <QIcon>

namespace Dunmorra {

// The sidebar's icon for a tab, from the desktop's icon theme.
QIcon sidebarIcon(MainTab tab);

} // namespace Dunmorra
