#!/bin/sh
# The tray item on real panels, each on a private X server (with no window
# manager: no panel's strut reaches the work area) and a private session bus
# that activates nothing, driven with the pointer as a user does:
#   - Xfce's panel with its status tray (libdbusmenu), dark and light: the
#     item registers, the host reads its menu, the label and the symbolic
#     icon name are on the bus, the figure stands out from the panel by at
#     least 4.5:1 in a screenshot, and in the panel's own menu (right click)
#     "Open main window" maps the window and "Quit Halvorin" ends the process;
#   - LXQt's panel, which draws the named icon without recolouring it, light
#     and dark: the figure's contrast, the same two rows of its menu, and the
#     popup (left click) on a top and a bottom panel, never over the point
#     clicked;
#   - gtk-sni-tray-standalone with status-notifier-watcher: the menu;
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

SCREEN_W=1280
SCREEN_H=1024

for tool in Xvfb xfce4-panel lxqt-panel gtk-sni-tray-standalone status-notifier-watcher trayer xdotool import dbus-monitor; do
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
    Xvfb -displayfd 3 -screen 0 ${SCREEN_W}x${SCREEN_H}x24 -nolisten tcp 3>"$RUN/display" >/dev/null 2>&1 &
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

# Starts the application once the panel is drawn; waits for its item to
# register and to be drawn. PANEL_Y and PANEL_H: the panel's row.
start_app() {
    import -window root "$RUN/no-item.png"
    "$APP" >"$RUN/app.log" 2>&1 &
    APP_PID=$!
    ITEM="$($HOST item)" || fail "$1: the item did not register with the watcher"
    wait_for item_drawn || fail "$1: the panel drew no item"
}

# The item's box: what the application added to the panel's row. Sets IX,
# IY (its middle) and IW, IH.
item_drawn() {
    import -window root "$RUN/now.png" || return 1
    box="$($HOST changed "$RUN/no-item.png" "$RUN/now.png" 0 "$PANEL_Y" "$SCREEN_W" "$PANEL_H")" || return 1
    set -- $box
    IW=$3
    IH=$4
    IX=$(($1 + $3 / 2))
    IY=$(($2 + $4 / 2))
}

# A press and a release, as a hand gives them: menus ignore a release that
# comes with the press.
press() {
    xdotool mousemove "$1" "$2"
    sleep 0.2
    xdotool mousedown "$3"
    sleep 0.1
    xdotool mouseup "$3"
}

# The panel's own menu, opened with a right click on the item: the box of
# what appeared off the panel and the middle of each of its rows of text.
menu_shown() {
    import -window root "$RUN/menu-open.png" || return 1
    box="$($HOST changed "$RUN/menu-closed.png" "$RUN/menu-open.png" 0 "$AWAY_Y" "$SCREEN_W" "$AWAY_H")" || return 1
    set -- $box
    [ "$3" -lt 600 ] && [ "$4" -lt 400 ] || return 1 # a menu, not a window
    $HOST rows "$RUN/menu-open.png" $box >"$RUN/menu-rows" || return 1
    [ "$(wc -l <"$RUN/menu-rows")" -eq 3 ]
}

open_menu() {
    xdotool mousemove 1 "$((SCREEN_H / 2))" # no tooltip over the menu
    import -window root "$RUN/menu-closed.png"
    press "$IX" "$IY" 3
    # Off the item, so that no tooltip of its covers the menu, and along the
    # panel, off the menu.
    xdotool mousemove "$((SCREEN_W - 4))" "$IY"
    if ! wait_for menu_shown; then
        cp "$RUN/menu-open.png" "$SHOTS/$1-no-menu.png" 2>/dev/null || true
        fail "$1: a right click on the item at $IX,$IY opened no menu of three rows ($(tr '\n' ' ' <"$RUN/menu-rows" 2>/dev/null))"
    fi
    cp "$RUN/menu-open.png" "$SHOTS/$1-menu.png"
}

# Chooses a row of the item's menu in the panel's own menu: "first" (Open
# main window) or "last" (Quit Halvorin); the rows of text are "Open main
# window", "Settings…" and "Quit Halvorin", in the exported order.
choose() {
    name="$1"
    which="$2"
    open_menu "$name"
    if [ "$which" = first ]; then row="$(sed -n 1p "$RUN/menu-rows")"; else row="$(sed -n 3p "$RUN/menu-rows")"; fi
    set -- $row
    press "$1" "$2" 1
}

main_window() { xdotool search --onlyvisible --name '^Overview — Halvorin$'; }

# Open main window and Quit Halvorin from the panel's own menu.
menu_acts() {
    name="$1"
    choose "$name" first
    wait_for main_window || fail "$name: Open main window in the panel's menu opened no window"
    # No window manager: the window would cover the panel. Out of its way.
    w="$(main_window | head -1)"
    xdotool windowmove "$w" 60 "$((PANEL_Y == 0 ? PANEL_H + 20 : 20))"
    sleep 0.5
    import -window root "$SHOTS/$name-opened.png"
    # Off the screen, so that its live figures do not count as the menu.
    xdotool windowmove "$w" "$SCREEN_W" 0
    choose "$name" last
    wait_for '! kill -0 "$APP_PID"' || fail "$name: Quit Halvorin in the panel's menu did not quit"
    wait "$APP_PID" || fail "$name: the application exited with $? after Quit"
    APP_PID=""
}

# The figure against the panel around it, from a screenshot.
contrast_at_least() {
    name="$1"
    # The item with as much panel again on each side.
    left=$((IX - IW / 2 - IW))
    [ "$left" -lt 0 ] && left=0
    import -window root -crop "$((IW * 3))x${PANEL_H}+$left+$PANEL_Y" +repage "$SHOTS/$name.png"
    CONTRAST="$($HOST contrast "$SHOTS/$name.png")"
    echo "$name: figure against the panel $CONTRAST"
    /usr/bin/python3 -c 'import sys; sys.exit(float(sys.argv[1]) < 4.5)' "${CONTRAST%% *}" \
        || fail "$name: the figure stands out only $CONTRAST from the panel"
}

# The host's own GetLayout on our menu, and the rows it got.
check_menu_read() {
    grep -q "path=/MenuBar; interface=com.canonical.dbusmenu; member=GetLayout" "$RUN/menu-calls.log" \
        || fail "$1: the host never read the menu (GetLayout)"
    $HOST layout "$ITEM" "$2" >"$RUN/rows.txt" || fail "$1: GetLayout failed"
    cut -f2 "$RUN/rows.txt" | tr '\n' '|' >"$RUN/rows.line"
    [ "$(cat "$RUN/rows.line")" = "Open main window|Settings…|-|Quit Halvorin|" ] \
        || fail "$1: the menu's rows are $(cat "$RUN/rows.line")"
}

# The figure's first measured value, in place of the glyph.
first_figure() { $HOST props "$ITEM" | grep -Eq '^XAyatanaLabel=[0-9]+%$'; }

xfce_panel() {
    mode="$1"
    dark="$2"
    start_session "xfce-$mode"
    PANEL_Y=0
    PANEL_H=32
    AWAY_Y=$PANEL_H
    AWAY_H=$((SCREEN_H - PANEL_H))
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
    wait_for 'import -window root -crop 64x32+0+0 +repage "$RUN/p.png" && [ "$(convert "$RUN/p.png" -format "%k" info:)" -gt 0 ]' \
        || fail "xfce-$mode: the panel is not drawn"
    start_app "xfce-$mode"

    $HOST props "$ITEM" >"$RUN/props.txt" || fail "xfce-$mode: the item's properties do not read"
    grep -Eq '^IconName=halvorin-cpu(-[0-9]+)?-(light|dark)-symbolic$' "$RUN/props.txt" \
        || fail "xfce-$mode: no symbolic icon name"
    grep -q '^XAyatanaLabelGuide=100%$' "$RUN/props.txt" || fail "xfce-$mode: no label guide"
    wait_for first_figure || fail "xfce-$mode: no percent label"
    check_menu_read "xfce-$mode" xfce
    wait_for item_drawn || fail "xfce-$mode: the figure is not drawn"
    contrast_at_least "xfce-$mode"
    menu_acts "xfce-$mode"
    grep -q "member=EventGroup" "$RUN/menu-calls.log" || fail "xfce-$mode: the panel's menu sent no EventGroup"
    stop_all
}

# LXQt's panel, with the palette its settings give (lxqt-config-appearance
# writes [Palette] beside the theme).
lxqt_session() {
    name="$1"
    theme="$2"
    position="$3"
    start_session "$name"
    PANEL_H=32
    if [ "$position" = Top ]; then PANEL_Y=0; AWAY_Y=$PANEL_H; else PANEL_Y=$((SCREEN_H - PANEL_H)); AWAY_Y=0; fi
    AWAY_H=$((SCREEN_H - PANEL_H))
    mkdir -p "$XDG_CONFIG_HOME/lxqt"
    if [ "$theme" = dark ]; then
        printf '[General]\ntheme=dark\n\n[Palette]\nbase_color=#282828\ntext_color=#b8b8b8\nwindow_color=#232323\nwindow_text_color=#e1e6e6\n' \
            >"$XDG_CONFIG_HOME/lxqt/lxqt.conf"
    else
        printf '[General]\ntheme=light\n' >"$XDG_CONFIG_HOME/lxqt/lxqt.conf"
    fi
    cat >"$XDG_CONFIG_HOME/lxqt/panel.conf" <<CONF
[General]
__userfile__=true

[panel1]
plugins=statusnotifier
position=$position
panelSize=$PANEL_H
iconSize=22
desktop=0

[statusnotifier]
alignment=Left
type=statusnotifier
CONF
    # Without /usr/share among the folders it loads no plugin at all.
    XDG_CONFIG_DIRS=/etc/xdg:/usr/share lxqt-panel >"$RUN/panel.log" 2>&1 &
    PEERS="$PEERS $!"
    wait_for watcher_up || fail "$name: the panel's status notifier took no watcher name"
    wait_for 'xdotool search --onlyvisible --name "^LXQt Panel\$"' || fail "$name: the panel is not drawn"
    start_app "$name"
    wait_for first_figure || fail "$name: no percent label"
    wait_for item_drawn || fail "$name: the figure is not drawn"
}

lxqt_panel() {
    theme="$1"
    lxqt_session "lxqt-$theme" "$theme" Top
    check_menu_read "lxqt-$theme" kde
    contrast_at_least "lxqt-$theme"
    [ "$theme" = light ] && menu_acts "lxqt-$theme"
    stop_all
}

# The popup on a panel that reserves no room: a left click on the item opens
# it beside the panel, never over the point clicked.
popup_no_strut() {
    position="$1"
    name="popup-no-strut-$(echo "$position" | tr 'A-Z' 'a-z')"
    lxqt_session "$name" light "$position"
    xdotool mousemove 1 "$((SCREEN_H / 2))"
    press "$IX" "$IY" 1
    wait_for 'xdotool search --onlyvisible --classname halvorin >"$RUN/popups"' || fail "$name: a left click opened no popup"
    for w in $(cat "$RUN/popups"); do
        eval "$(xdotool getwindowgeometry --shell "$w")"
        echo "$name: clicked $IX,$IY; popup at $X,$Y, $WIDTH x $HEIGHT"
        if [ "$IX" -ge "$X" ] && [ "$IX" -lt $((X + WIDTH)) ] && [ "$IY" -ge "$Y" ] && [ "$IY" -lt $((Y + HEIGHT)) ]; then
            fail "$name: the popup covers the point clicked"
        fi
        if [ "$Y" -lt 0 ] || [ $((Y + HEIGHT)) -gt "$SCREEN_H" ]; then
            fail "$name: the popup leaves the screen"
        fi
    done
    sleep 0.3
    import -window root "$SHOTS/$name.png"
    stop_all
}

gtk_sni_tray() {
    start_session gtk-sni-tray
    status-notifier-watcher >"$RUN/watcher.log" 2>&1 &
    PEERS="$PEERS $!"
    wait_for watcher_up || fail "gtk-sni-tray: status-notifier-watcher took no name"
    gtk-sni-tray-standalone --top --size 32 >"$RUN/tray.log" 2>&1 &
    PEERS="$PEERS $!"
    PANEL_Y=0
    PANEL_H=32
    AWAY_Y=$PANEL_H
    AWAY_H=$((SCREEN_H - PANEL_H))
    wait_for host_up || fail "gtk-sni-tray: the tray registered no host"
    start_app gtk-sni-tray
    wait_for first_figure || fail "gtk-sni-tray: no percent label"
    check_menu_read gtk-sni-tray xfce
    import -window root -crop 200x32+0+0 +repage "$SHOTS/gtk-sni-tray.png"
    open_menu gtk-sni-tray
    xdotool key Escape
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

ONLY="${HALVORIN_TRAY_HOSTS:-xfce lxqt popup gtk trayer}"
case " $ONLY " in *" xfce "*) xfce_panel dark true; xfce_panel light false ;; esac
case " $ONLY " in *" lxqt "*) lxqt_panel light; lxqt_panel dark ;; esac
case " $ONLY " in *" popup "*) popup_no_strut Top; popup_no_strut Bottom ;; esac
case " $ONLY " in *" gtk "*) gtk_sni_tray ;; esac
case " $ONLY " in *" trayer "*) for h in 22 32 48; do trayer_panel "$h"; done ;; esac
echo "tray hosts ($ONLY): Xfce dark and light and LXQt light and dark (menu read by the host, its rows chosen with the pointer, contrast), the popup on panels with no strut, gtk-sni-tray's menu, trayer's whole square at 22, 32 and 48 px"
