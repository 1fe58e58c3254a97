#!/bin/sh
# The tray item on real panels, each on a private X server and a private
# session bus that activates nothing:
#   - Xfce's panel with its status tray (a StatusNotifierItem host), dark and
#     light: the item registers, the host reads its menu (GetLayout), the
#     label and the symbolic icon name are on the bus, the figure stands out
#     from the panel by at least 4.5:1 in a screenshot, a right click opens
#     the host's menu, and the menu's events open the main window and quit;
#   - gtk-sni-tray-standalone with status-notifier-watcher: the same menu;
#   - trayer (XEmbed) at 22, 32 and 48 px: the icon takes the whole square.
# With HALVORIN_SHOTS set to a folder, the screenshots are kept there.
set -eu
APP="$1"
HERE="$(cd "$(dirname "$0")" && pwd)"
. "$HERE/../private-bus.sh"
HOST="/usr/bin/python3 $HERE/host.py"
TMP="$(mktemp -d)"
SHOTS="${HALVORIN_SHOTS:-$TMP/shots}"
mkdir -p "$SHOTS"
PEERS=""
APP_PID=""
X_PID=""
BUS_PID=""

stop_peers() {
    for pid in $APP_PID $PEERS; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in $APP_PID $PEERS; do
        wait "$pid" 2>/dev/null || true
    done
    APP_PID=""
    PEERS=""
}
stop_all() {
    stop_peers
    for pid in $X_PID $BUS_PID; do
        kill "$pid" 2>/dev/null || true
    done
    X_PID=""
    BUS_PID=""
}
cleanup() {
    stop_all
    rm -rf "$TMP"
}
trap cleanup EXIT INT TERM

fail() {
    echo "FAIL: $*" >&2
    [ -f "$RUN/app.log" ] && sed 's/^/  app: /' "$RUN/app.log" >&2
    exit 1
}

# Polls a command until it holds, for up to a minute: on a busy machine a
# program may take many seconds to start or a window to map. A test waits
# on what it needs this way, never for a fixed time.
wait_for() {
    deadline=$(($(date +%s) + 60))
    until eval "$1" >/dev/null 2>&1; do
        [ "$(date +%s)" -ge "$deadline" ] && return 1
        sleep 0.1
    done
}

for tool in Xvfb xfce4-panel gtk-sni-tray-standalone status-notifier-watcher trayer xdotool import dbus-monitor; do
    command -v "$tool" >/dev/null 2>&1 || fail "$tool is missing (scripts/packages.txt installs it)"
done
XFCONFD="$(ls /usr/lib/*/xfce4/xfconf/xfconfd 2>/dev/null | head -1)"
[ -x "$XFCONFD" ] || fail "xfconfd is missing"

# A fresh X server, session bus and user folders for each panel.
start_session() {
    RUN="$TMP/$1"
    mkdir -p "$RUN/config" "$RUN/data" "$RUN/cache" "$RUN/runtime"
    chmod 700 "$RUN/runtime"
    export HOME="$RUN" XDG_CONFIG_HOME="$RUN/config" XDG_DATA_HOME="$RUN/data" XDG_CACHE_HOME="$RUN/cache" \
        XDG_RUNTIME_DIR="$RUN/runtime"
    unset WAYLAND_DISPLAY || true
    export QT_QPA_PLATFORM=xcb
    Xvfb -displayfd 3 -screen 0 1024x600x24 -nolisten tcp 3>"$RUN/display" >/dev/null 2>&1 &
    X_PID=$!
    wait_for '[ -s "$RUN/display" ]' || fail "Xvfb did not start"
    DISPLAY=":$(cat "$RUN/display")"
    export DISPLAY
    wait_for 'xdpyinfo' || fail "the X server does not answer"
    start_private_bus "$RUN" || fail "dbus-daemon could not start a session bus"
    # Every menu call any host makes, to see that the host itself read the menu.
    dbus-monitor --session "type='method_call',interface='com.canonical.dbusmenu'" >"$RUN/menu-calls.log" 2>&1 &
    PEERS="$PEERS $!"
}

host_up() {
    dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
        org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher \
        string:IsStatusNotifierHostRegistered | grep -q "boolean true"
}

watcher_up() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.kde.StatusNotifierWatcher | grep -q "boolean true"
}

start_app() {
    "$APP" >"$RUN/app.log" 2>&1 &
    APP_PID=$!
    ITEM="$($HOST item)" || fail "$1: the item did not register with the watcher"
}

# The bounding box of what is drawn on the panel's row (from the left),
# as X Y W H of its centre's box.
panel_content() {
    import -window root -crop "${1}x${2}+0+0" +repage "$RUN/row.png"
    convert "$RUN/row.png" -fuzz 8% -trim -format "%w %h %X %Y" info: | tr -d '+'
}

# The host's right-click menu: something new drawn below the panel.
right_click_menu() {
    name="$1"
    panel_h="$2"
    set -- $(panel_content 200 "$panel_h")
    cx=$(($3 + $1 / 2))
    cy=$(($4 + $2 / 2))
    import -window root -crop 300x150+0+"$panel_h" +repage "$RUN/below-before.png"
    xdotool mousemove "$cx" "$cy" click 3
    wait_for 'menu_shown "$panel_h"' || fail "$name: a right click on the item opened no menu ($changed pixels changed)"
    # Onto the menu's separator, so that no tooltip of the item covers it.
    xdotool mousemove_relative 40 62
    wait_for 'menu_shown "$panel_h"' || fail "$name: the menu closed under the pointer"
    import -window root "$SHOTS/$name-menu.png"
    xdotool key Escape
    wait_for '! menu_shown "$panel_h"' || fail "$name: Escape did not close the menu"
}

# Whether a menu covers the place below the panel (against below-before.png).
menu_shown() {
    import -window root -crop 300x150+0+"$1" +repage "$RUN/below-after.png"
    changed="$(compare -metric AE "$RUN/below-before.png" "$RUN/below-after.png" null: 2>&1 || true)"
    [ "${changed%%.*}" -gt 2000 ]
}

# The host's own GetLayout on our menu, and the rows it got.
check_menu_read() {
    grep -q "path=/MenuBar; interface=com.canonical.dbusmenu; member=GetLayout" "$RUN/menu-calls.log" \
        || fail "$1: the host never read the menu (GetLayout)"
    $HOST layout "$ITEM" >"$RUN/rows.txt" || fail "$1: GetLayout failed"
    cut -f2 "$RUN/rows.txt" | tr '\n' '|' >"$RUN/rows.line"
    [ "$(cat "$RUN/rows.line")" = "Open main window|Settings…|-|Quit Halvorin|" ] \
        || fail "$1: the menu's rows are $(cat "$RUN/rows.line")"
}

row_id() { grep -P "\t$1\$" "$RUN/rows.txt" | cut -f1; }

xfce_panel() {
    mode="$1"
    dark="$2"
    start_session "xfce-$mode"
    mkdir -p "$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml"
    cat >"$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml/xfce4-panel.xml" <<XML
<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-panel" version="1.0">
  <property name="configver" type="int" value="2"/>
  <property name="panels" type="array">
    <value type="int" value="1"/>
    <property name="dark-mode" type="bool" value="$dark"/>
    <property name="panel-1" type="empty">
      <property name="position" type="string" value="p=6;x=0;y=0"/>
      <property name="length" type="uint" value="100"/>
      <property name="position-locked" type="bool" value="true"/>
      <property name="size" type="uint" value="32"/>
      <property name="plugin-ids" type="array"><value type="int" value="1"/></property>
    </property>
  </property>
  <property name="plugins" type="empty">
    <property name="plugin-1" type="string" value="systray"/>
  </property>
</channel>
XML
    "$XFCONFD" >"$RUN/xfconfd.log" 2>&1 &
    PEERS="$PEERS $!"
    xfce4-panel --disable-wm-check >"$RUN/panel.log" 2>&1 &
    PEERS="$PEERS $!"
    wait_for watcher_up || fail "xfce-$mode: the panel's status tray took no watcher name"
    start_app "xfce-$mode"

    $HOST props "$ITEM" >"$RUN/props.txt" || fail "xfce-$mode: the item's properties do not read"
    grep -Eq '^IconName=halvorin-cpu(-[0-9]+)?-symbolic$' "$RUN/props.txt" || fail "xfce-$mode: no symbolic icon name"
    grep -q '^XAyatanaLabelGuide=100%$' "$RUN/props.txt" || fail "xfce-$mode: no label guide"
    wait_for '$HOST props "$ITEM" | grep -Eq "^XAyatanaLabel=[0-9]+%\$"' || fail "xfce-$mode: no percent label"
    check_menu_read "xfce-$mode"

    # The panel draws the measured figure once it has read it: until then
    # it may show the glyph, or nothing yet.
    figure_drawn() {
        import -window root -crop 200x32+0+0 +repage "$SHOTS/xfce-$mode.png"
        set -- $(panel_content 200 32)
        [ "$1" -gt 4 ] && [ "$1" -lt 60 ] || return 1
        convert "$SHOTS/xfce-$mode.png" -crop "$(($1 + 4))x32+$(($3 > 2 ? $3 - 2 : 0))+0" +repage "$RUN/figure.png"
        CONTRAST="$($HOST contrast "$RUN/figure.png")"
        /usr/bin/python3 -c 'import sys; sys.exit(float(sys.argv[1]) < 4.5)' "${CONTRAST%% *}"
    }
    CONTRAST="none"
    wait_for figure_drawn || fail "xfce-$mode: no figure on the panel that stands out from it (contrast $CONTRAST)"
    echo "xfce-$mode: figure against the panel $CONTRAST"
    right_click_menu "xfce-$mode" 32

    # The menu's rows, chosen through the host's event.
    $HOST event "$ITEM" "$(row_id 'Open main window')" || fail "xfce-$mode: the Open event failed"
    wait_for 'xdotool search --onlyvisible --name "^Overview — Halvorin\$"' \
        || fail "xfce-$mode: Open main window in the host's menu opened no window"
    $HOST event "$ITEM" "$(row_id 'Quit Halvorin')" || fail "xfce-$mode: the Quit event failed"
    wait_for '! kill -0 "$APP_PID"' || fail "xfce-$mode: Quit Halvorin in the host's menu did not quit"
    wait "$APP_PID" || fail "xfce-$mode: the application exited with $? after Quit"
    APP_PID=""
    stop_all
}

gtk_sni_tray() {
    start_session gtk-sni-tray
    status-notifier-watcher >"$RUN/watcher.log" 2>&1 &
    PEERS="$PEERS $!"
    wait_for watcher_up || fail "gtk-sni-tray: status-notifier-watcher took no name"
    gtk-sni-tray-standalone --top --size 32 >"$RUN/tray.log" 2>&1 &
    PEERS="$PEERS $!"
    wait_for host_up || fail "gtk-sni-tray: the tray did not register as a host"
    start_app gtk-sni-tray
    # The first measured figure in place of the glyph.
    wait_for '$HOST props "$ITEM" | grep -Eq "^IconName=halvorin-cpu-[0-9]+-symbolic\$"' \
        || fail "gtk-sni-tray: no measured figure"
    check_menu_read gtk-sni-tray
    import -window root -crop 200x32+0+0 +repage "$SHOTS/gtk-sni-tray.png"
    right_click_menu gtk-sni-tray 32
    stop_all
}

# The icon window inside trayer: Qt's tray window, of our class.
trayer_icon() {
    for w in $(xdotool search --onlyvisible --classname halvorin); do
        eval "$(xdotool getwindowgeometry --shell "$w")"
        if [ "$WIDTH" -le 64 ] && [ "$HEIGHT" -le 64 ]; then
            echo "$WIDTH $HEIGHT"
            return 0
        fi
    done
    return 1
}

trayer_panel() {
    height="$1"
    start_session "trayer-$height"
    trayer --edge top --align left --widthtype request --height "$height" --tint 0x303030 \
        --transparent true --alpha 0 >/dev/null 2>&1 &
    PEERS="$PEERS $!"
    wait_for 'xwininfo -root -tree | grep -q "\"panel\": (\"panel\" \"trayer\")"' \
        || fail "trayer-$height: trayer did not map its panel"
    "$APP" >"$RUN/app.log" 2>&1 &
    APP_PID=$!
    wait_for trayer_icon || fail "trayer-$height: the icon did not dock"
    # trayer keeps a pixel of border on each side: the square inside is h - 2.
    side=$((height - 2))
    wait_for '[ "$(trayer_icon)" = "$side $side" ]' \
        || fail "trayer-$height: the icon is $(trayer_icon), not the whole $side-px square"
    sleep 3 # the first measured figure in place of the glyph
    import -window root -crop 120x"$height"+0+0 +repage "$SHOTS/trayer-$height.png"
    echo "trayer-$height: icon $(trayer_icon)"
    stop_all
}

xfce_panel dark true
xfce_panel light false
gtk_sni_tray
for h in 22 32 48; do trayer_panel "$h"; done
echo "tray hosts: Xfce dark and light (menu read by the host, events, label, symbolic name, contrast), gtk-sni-tray's menu, trayer's whole square at 22, 32 and 48 px"
