#!/usr/bin/python3
"""What a StatusNotifierItem host asks of a tray item, from the command line.

  host.py item                 the registered item's bus name (waits for one)
  host.py props NAME           IconName, IconThemePath, XAyatanaLabel, XAyatanaLabelGuide, Menu
  host.py layout NAME          the menu's rows as the host reads them (GetLayout): id, label
  host.py event NAME ID        the host's "clicked" event on a row
  host.py contrast PNG         the contrast of the figure against the panel in a picture
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


def layout(registered):
    revision, root = menu_object(registered).GetLayout(0, -1, [], dbus_interface=MENU)
    for child in root[2]:
        row_id, properties = int(child[0]), child[1]
        if properties.get("type") == "separator":
            print("%d\t-" % row_id)
        else:
            print("%d\t%s" % (row_id, properties.get("label", "")))
    return 0


def event(registered, row_id):
    import dbus
    menu_object(registered).Event(dbus.Int32(int(row_id)), "clicked", dbus.String("", variant_level=1),
                                  dbus.UInt32(0), dbus_interface=MENU)
    return 0


def luminance(rgb):
    def channel(c):
        c = c / 255.0
        return c / 12.92 if c <= 0.03928 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (channel(c) for c in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(png):
    # The panel is the picture's commonest colour; the figure the colour of
    # at least a few pixels that stands out most from it.
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
    colours.sort(reverse=True)
    panel = colours[0][1]
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
    return {"item": item, "props": props, "layout": layout, "event": event, "contrast": contrast}[command](*args)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
