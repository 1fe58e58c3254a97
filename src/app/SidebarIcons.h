#pragma once

#include "app/MainTab.h"

#include <QIcon>

namespace Dunmorra {

// The sidebar's icon for a tab: its symbol in the text colour.
QIcon sidebarIcon(MainTab tab);

} // namespace Dunmorra
