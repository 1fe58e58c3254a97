#!/bin/sh
# Starts Halvorin on a private X server beside a real XEmbed tray and a
# private session bus, then drives it as a user would: the tray icon is
# embedded, a click opens the popup, a second launch raises the main window
# and steps back, Ctrl+2 shows the CPU tab, Ctrl+3 the Memory tab, Ctrl+5 the
# Network tab, Ctrl+6 the Power tab, Ctrl+8 the Folders tab and Ctrl+9 the
# Stats tab over a recorded day and a corrupt one, and SIGTERM quits leaving
# today's day file.
set -eu
APP="$1"
TMP="$(mktemp -d)"
X_PID=""
TRAY_PID=""
BUS_PID=""
APP_PID=""
cleanup() {
    for pid in "$APP_PID" "$TRAY_PID" "$X_PID" "$BUS_PID"; do
        [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    done
    rm -rf "$TMP"
}
trap cleanup EXIT INT TERM

fail() {
    echo "FAIL: $*" >&2
    [ -f "$TMP/app.log" ] && sed 's/^/  app: /' "$TMP/app.log" >&2
    exit 1
}

# Polls a command for up to ten seconds.
wait_for() {
    tries=0
    until eval "$1" >/dev/null 2>&1; do
        tries=$((tries + 1))
        [ "$tries" -ge 100 ] && return 1
        sleep 0.1
    done
}

# Nothing of the user's: settings, day files and the instance lock all live here.
mkdir -p "$TMP/data" "$TMP/config" "$TMP/cache" "$TMP/runtime"
chmod 700 "$TMP/runtime"
export XDG_DATA_HOME="$TMP/data" XDG_CONFIG_HOME="$TMP/config" XDG_CACHE_HOME="$TMP/cache" XDG_RUNTIME_DIR="$TMP/runtime"
# The Folders tab browses from here.
mkdir -p "$TMP/home/Documents" "$TMP/home/Music"
printf 'notes\n' >"$TMP/home/Documents/notes.txt"
export HOME="$TMP/home"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM || true
export QT_QPA_PLATFORM=xcb

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$TMP/display" >/dev/null 2>&1 &
X_PID=$!
wait_for '[ -s "$TMP/display" ]' || fail "Xvfb did not start"
DISPLAY=":$(cat "$TMP/display")"
export DISPLAY
wait_for 'xdpyinfo' || fail "the X server does not answer"

if ! OUT="$(dbus-daemon --session --fork --print-address=1 --print-pid=1)"; then
    fail "dbus-daemon could not start a session bus"
fi
DBUS_SESSION_BUS_ADDRESS="$(echo "$OUT" | sed -n 1p)"
BUS_PID="$(echo "$OUT" | sed -n 2p)"
export DBUS_SESSION_BUS_ADDRESS

trayer --edge top --align right --widthtype request --height 32 >/dev/null 2>&1 &
TRAY_PID=$!
wait_for 'xwininfo -root -tree | grep -q "\"panel\": (\"panel\" \"trayer\")"' || fail "trayer did not map its panel"

# Two past days for the Stats tab: one recorded, one cut short.
HISTORY="$XDG_DATA_HOME/Halvorin/history"
mkdir -p "$HISTORY"
/usr/bin/python3 - "$HISTORY" <<'PY'
import datetime, json, os, sys
today = datetime.date.today()
def day(back):
    d = today - datetime.timedelta(days=back)
    start = datetime.datetime(d.year, d.month, d.day).timestamp() - 978307200
    stat = {"sum": 60.0, "count": 2, "peak": 40.0, "peakTime": start + 3600}
    return d, {"date": start, "hours": [{"hour": 1, "cpu": stat, "memoryGB": stat, "batteryPercent": stat,
               "networkUpBytes": 1048576, "networkDownBytes": 0, "diskReadBytes": 0, "diskWriteBytes": 0}],
               "processes": {"=cmd": {"name": "=cmd", "cpuSum": 1, "cpuCount": 1, "memorySum": 1}},
               "networkSSIDs": {}, "diskTotalBytes": 0, "diskUsedBytes": 0, "diskFreeBytes": 0,
               "uptimeDays": 0, "uptimeHours": 0, "uptimeMinutes": 0, "batteryHealthPercent": 0}
d, s = day(1)
json.dump(s, open(os.path.join(sys.argv[1], d.isoformat() + ".json"), "w"))
d, s = day(2)
open(os.path.join(sys.argv[1], d.isoformat() + ".json"), "w").write(json.dumps(s)[:50])
PY

"$APP" >"$TMP/app.log" 2>&1 &
APP_PID=$!

# The tray icon: Halvorin's one visible window at first, inside the panel.
wait_for '[ -n "$(xdotool search --onlyvisible --classname halvorin)" ]' || fail "no tray icon was embedded"
ICON="$(xdotool search --onlyvisible --classname halvorin | head -1)"
eval "$(xdotool getwindowgeometry --shell "$ICON")"
[ "$Y" -lt 32 ] || fail "the icon is not in the panel (at $X,$Y)"
ICON_X=$((X + WIDTH / 2))
ICON_Y=$((Y + HEIGHT / 2))

visible_count() { xdotool search --onlyvisible --classname halvorin | wc -l; }

xdotool mousemove "$ICON_X" "$ICON_Y" click 1
wait_for '[ "$(visible_count)" -ge 2 ]' || fail "a click on the tray icon showed no popup"
POPUP="$(xdotool search --onlyvisible --classname halvorin | grep -v "^$ICON\$" | head -1)"
eval "$(xdotool getwindowgeometry --shell "$POPUP")"
[ "$Y" -ge 30 ] && [ "$Y" -le 60 ] || fail "the popup is not under the panel (at $X,$Y)"
xdotool key Escape
wait_for '[ "$(visible_count)" -eq 1 ]' || fail "Escape did not close the popup"

# A second launch hands over to the first and exits at once.
"$APP" >"$TMP/second.log" 2>&1 || fail "the second launch failed"
kill -0 "$APP_PID" 2>/dev/null || fail "the first instance went away"
wait_for 'xdotool search --onlyvisible --name "^Overview\$"' || fail "the second launch did not raise the main window"
WINDOW="$(xdotool search --onlyvisible --name '^Overview$' | head -1)"
eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
[ "$WIDTH" -eq 1100 ] && [ "$HEIGHT" -eq 750 ] || fail "the main window is ${WIDTH}x${HEIGHT}"

xdotool windowfocus --sync "$WINDOW"
xdotool key --window "$WINDOW" ctrl+2
wait_for '[ "$(xdotool getwindowname "$WINDOW")" = CPU ]' || fail "Ctrl+2 did not show the CPU tab"
xdotool key --window "$WINDOW" ctrl+3
wait_for '[ "$(xdotool getwindowname "$WINDOW")" = Memory ]' || fail "Ctrl+3 did not show the Memory tab"
xdotool key --window "$WINDOW" ctrl+5
wait_for '[ "$(xdotool getwindowname "$WINDOW")" = Network ]' || fail "Ctrl+5 did not show the Network tab"
sleep 2 # a couple of samples and a connection resolution with the tab open
kill -0 "$APP_PID" 2>/dev/null || fail "the application went away with the Network tab open"
xdotool key --window "$WINDOW" ctrl+6
wait_for '[ "$(xdotool getwindowname "$WINDOW")" = Power ]' || fail "Ctrl+6 did not show the Power tab"
kill -0 "$APP_PID" 2>/dev/null || fail "the application went away on the Power tab"
xdotool key --window "$WINDOW" ctrl+8
wait_for '[ "$(xdotool getwindowname "$WINDOW")" = Folders ]' || fail "Ctrl+8 did not show the Folders tab"
sleep 0.5
kill -0 "$APP_PID" 2>/dev/null || fail "the application went away on the Folders tab"
xdotool key --window "$WINDOW" ctrl+9
wait_for '[ "$(xdotool getwindowname "$WINDOW")" = Stats ]' || fail "Ctrl+9 did not show the Stats tab"
sleep 1
kill -0 "$APP_PID" 2>/dev/null || fail "the application went away loading the Stats tab"

kill -TERM "$APP_PID"
wait_for '! kill -0 "$APP_PID"' || fail "SIGTERM did not quit"
wait "$APP_PID" || fail "the application exited with $?"
APP_PID=""

# SIGTERM saved the day as it stood: today's file, whole and readable.
DAY_FILE="$XDG_DATA_HOME/Halvorin/history/$(date +%Y-%m-%d).json"
[ -f "$DAY_FILE" ] || fail "no day file at $DAY_FILE after SIGTERM"
/usr/bin/python3 -c 'import json, sys; d = json.load(open(sys.argv[1])); assert "hours" in d and "date" in d' "$DAY_FILE" \
    || fail "the day file does not read back"
echo "desktop: tray, popup, second launch, Go menu, Folders and Stats tabs, SIGTERM and the day file all as expected"
