#include "app/SidebarIcons.h"

#include "components/Palette.h"
#include "components/Symbols.h"

namespace Dunmorra {

QIcon sidebarIcon(MainTab tab)
{
    // The tab's symbol from the shared table (the desktop's theme where it
    // has a fitting icon, our own drawing otherwise), in the text colour so
    // it reads on light and dark themes alike.
    QIcon icon;
    for (const qreal ratio : {1.0, 2.0})
        icon.addPixmap(symbolPixmap(symbol(tab), 16, palettePrimary(), ratio));
    return icon;
}

} // namespace Dunmorra
