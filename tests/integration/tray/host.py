#!/usr/bin/python3
"""What a StatusNotifierItem host asks of a tray item, from the command line,
calling what each host's menu library calls.

  host.py item                 the registered item's bus name (waits for one)
  host.py props NAME           IconName, IconThemePath, XAyatanaLabel, XAyatanaLabelGuide, Menu
  host.py layout NAME [HOST]   the menu's rows as HOST reads them: id, label
  host.py event NAME ID [HOST] HOST's "clicked" event on a row
  host.py contrast PNG         the contrast of the figure against the panel in a picture
  host.py changed A B X Y W H  the box (x y w h) of what differs between two
                               pictures inside that region; fails when nothing does
  host.py rows PNG X Y W H     the middle (x y) of each line of text in that
                               region of a picture (a drawn menu's rows), top down

HOST is how a panel's menu library speaks com.canonical.dbusmenu:
  xfce   libdbusmenu (Xfce's status tray, Ayatana): AboutToShowGroup, GetLayout
         asking for every property, EventGroup (the default)
  kde    KDE's importer: AboutToShow, GetLayout with the properties it draws, Event
  gnome  GNOME's indicator extension: GetLayout with the properties it draws, Event
"""
import subprocess
import sys
import time

ITEM = "org.kde.StatusNotifierItem"
MENU = "com.canonical.dbusmenu"


def bus():
    import dbus
    return dbus.SessionBus()


def split(registered):
    # Watchers list "name/path" or a bare name.
    name, _, path = registered.partition("/")
    return name, "/" + path if path else "/StatusNotifierItem"


def item():
    import dbus
    deadline = time.time() + 10
    while time.time() < deadline:
        try:
            watcher = bus().get_object("org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher")
            items = watcher.Get("org.kde.StatusNotifierWatcher", "RegisteredStatusNotifierItems",
                                dbus_interface="org.freedesktop.DBus.Properties")
            if items:
                print(str(items[0]))
                return 0
        except dbus.DBusException:
            pass
        time.sleep(0.2)
    print("no item registered with the watcher", file=sys.stderr)
    return 1


def props(registered):
    name, path = split(registered)
    obj = bus().get_object(name, path)
    for prop in ("IconName", "IconThemePath", "XAyatanaLabel", "XAyatanaLabelGuide", "Menu"):
        print("%s=%s" % (prop, obj.Get(ITEM, prop, dbus_interface="org.freedesktop.DBus.Properties")))
    return 0


def menu_object(registered):
    name, path = split(registered)
    b = bus()
    menu_path = b.get_object(name, path).Get(ITEM, "Menu", dbus_interface="org.freedesktop.DBus.Properties")
    return b.get_object(name, menu_path)


# The properties each host asks GetLayout for; libdbusmenu asks for all.
LAYOUT_PROPERTIES = {
    "xfce": [],
    "kde": ["type", "label", "visible", "enabled", "icon-name", "icon-data", "shortcut", "toggle-type",
            "toggle-state", "children-display"],
    "gnome": ["type", "children-display", "label", "enabled", "visible", "icon-name", "icon-data",
              "toggle-type", "toggle-state"],
}


def layout(registered, host="xfce"):
    import dbus
    menu = menu_object(registered)
    if host == "xfce":
        menu.AboutToShowGroup(dbus.Array([dbus.Int32(0)], signature="i"), dbus_interface=MENU)
    elif host == "kde":
        menu.AboutToShow(dbus.Int32(0), dbus_interface=MENU)
    revision, root = menu.GetLayout(0, -1, dbus.Array(LAYOUT_PROPERTIES[host], signature="s"), dbus_interface=MENU)
    for child in root[2]:
        row_id, properties = int(child[0]), child[1]
        if properties.get("type") == "separator":
            print("%d\t-" % row_id)
        else:
            print("%d\t%s" % (row_id, properties.get("label", "")))
    return 0


def event(registered, row_id, host="xfce"):
    import dbus
    menu = menu_object(registered)
    data = dbus.Int32(0, variant_level=1)
    if host == "xfce":
        unknown = menu.EventGroup(dbus.Array([(dbus.Int32(int(row_id)), "clicked", data, dbus.UInt32(0))],
                                             signature="(isvu)"), dbus_interface=MENU)
        if unknown:
            print("the item knows no row %s" % row_id, file=sys.stderr)
            return 1
    else:
        menu.Event(dbus.Int32(int(row_id)), "clicked", data, dbus.UInt32(0), dbus_interface=MENU)
    return 0


def pixels(png, x, y, w, h):
    """The region's pixels as rows of (r, g, b)."""
    data = subprocess.run(["convert", png, "-crop", "%sx%s+%s+%s" % (w, h, x, y), "+repage", "-depth", "8",
                           "rgb:-"], check=True, capture_output=True).stdout
    w, h = int(w), int(h)
    return [[tuple(data[(r * w + c) * 3:(r * w + c) * 3 + 3]) for c in range(w)] for r in range(h)]


def differs(a, b, by=48):
    return sum(abs(p - q) for p, q in zip(a, b)) > by


def changed(before, after, x, y, w, h):
    region = "%sx%s+%s+%s" % (w, h, x, y)
    # ImageMagick's difference, thresholded, trimmed to what is left.
    box = subprocess.run(["convert", "(", before, "-crop", region, "+repage", ")",
                          "(", after, "-crop", region, "+repage", ")",
                          "-compose", "difference", "-composite", "-colorspace", "gray", "-threshold", "12%",
                          "-format", "%@", "info:"], check=True, capture_output=True, text=True).stdout.strip()
    # "WxH+X+Y"; a picture with nothing left trims to 1x1 (or 0x0).
    size, _, offset = box.partition("+")
    bw, bh = (int(v) for v in size.split("x"))
    bx, by = (int(v) for v in offset.split("+"))
    if bw <= 1 and bh <= 1:
        return 1
    print("%d %d %d %d" % (int(x) + bx, int(y) + by, bw, bh))
    return 0


def rows(png, x, y, w, h):
    # Text is a band of lines that hold ink: a few pixels off the menu's
    # commonest colour. A separator or a border is a line or two, not text;
    # the borders down the sides are left out.
    region = [line[4:-4] for line in pixels(png, x, y, w, h)]
    counts = {}
    for line in region:
        for p in line:
            counts[p] = counts.get(p, 0) + 1
    background = max(counts, key=counts.get)
    inked = [sum(1 for p in line if differs(p, background, 150)) >= 2 for line in region]
    inked.append(False)
    start = None
    for r, ink in enumerate(inked):
        if ink and start is None:
            start = r
        elif not ink and start is not None:
            if r - start >= 5:
                print("%d %d" % (int(x) + int(w) // 2, int(y) + (start + r - 1) // 2))
            start = None
    return 0


def luminance(rgb):
    def channel(c):
        c = c / 255.0
        return c / 12.92 if c <= 0.03928 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (channel(c) for c in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(png):
    # The panel is the commonest colour of the lines above and below the
    # figure (a panel may be a gradient); the figure the colour of at least a
    # few pixels that stands out most from it.
    height = int(subprocess.run(["identify", "-format", "%h", png], check=True, capture_output=True,
                                text=True).stdout)
    edges = {}
    for row in (height // 10, height - 1 - height // 10):
        width = int(subprocess.run(["identify", "-format", "%w", png], check=True, capture_output=True,
                                   text=True).stdout)
        for p in pixels(png, 0, row, width, 1)[0]:
            edges[p] = edges.get(p, 0) + 1
    panel = max(edges, key=edges.get)
    text = subprocess.run(["convert", png, "-format", "%c", "histogram:info:-"], check=True,
                          capture_output=True, text=True).stdout
    colours = []
    for line in text.splitlines():
        count, _, rest = line.strip().partition(":")
        rgb = rest.strip().split(")")[0].strip("( ").split(",")[:3]
        try:
            colours.append((int(count), tuple(int(float(c)) for c in rgb)))
        except ValueError:
            continue
    if colours and len(colours[0][1]) < 3:
        colours = [(n, (c[0],) * 3) for n, c in colours]
    lp = luminance(panel)
    best, ink = 1.0, panel
    for count, rgb in colours:
        if count < 4:
            continue
        la = luminance(rgb)
        ratio = (max(la, lp) + 0.05) / (min(la, lp) + 0.05)
        if ratio > best:
            best, ink = ratio, rgb
    print("%.2f panel=#%02x%02x%02x figure=#%02x%02x%02x" % ((best,) + panel + ink))
    return 0


def main(argv):
    if len(argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    command, args = argv[1], argv[2:]
    return {"item": item, "props": props, "layout": layout, "event": event, "contrast": contrast,
            "changed": changed, "rows": rows}[command](*args)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
