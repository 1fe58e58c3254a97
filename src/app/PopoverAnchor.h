#pragma once

#include <QMetaType>
#include <QPoint>
#include <QRect>

#include <optional>

namespace Dunmorra {

// What the tray tells of a click on its icon: the icon's place on screen
// (an XEmbed tray), or the point of the click (a StatusNotifierItem host
// that knows it), or neither.
struct PopoverAnchor {
    QRect iconGeometry;
    std::optional<QPoint> point;
};

} // namespace Dunmorra

Q_DECLARE_METATYPE(Dunmorra::PopoverAnchor)
