#!/bin/sh
# Starts Halvorin on a private X server and a private session bus, then drives
# it as a user would. At first there is no tray: the main window opens, and
# the tray icon docks once a real XEmbed tray starts 4 s later (the panel of a
# login often comes after the applications). The window then closes without
# quitting; a click on the icon opens the popup under the panel, a second
# launch raises the main window and steps back, the Overview steps back to
# yesterday's day file, Ctrl+2 shows the CPU tab,
# Ctrl+3 the Memory tab, Ctrl+5 the Network tab, Ctrl+6 the Power tab, Ctrl+8
# the Folders tab from a home folder of its own and Ctrl+9 the Stats tab over a recorded day and a corrupt one, and SIGTERM
# quits leaving today's day file. A relaunch for a new language opens on
# Settings. Last, with no tray at all, closing the main window quits and
# saves the day.
set -eu
APP="$1"
HERE="$(dirname "$0")"
. "$HERE/session.sh"

# The Folders tab browses from here.
mkdir -p "$TMP/home/Documents" "$TMP/home/Music"
printf 'notes\n' >"$TMP/home/Documents/notes.txt"
export HOME="$TMP/home"

# Two past days for the Stats tab and the Overview: one recorded, one cut short.
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

# No tray yet: the main window is the way in, named after the tab and the application.
wait_for 'xdotool search --onlyvisible --name "^Overview — Halvorin\$"' || fail "without a tray the main window did not open"

# The tray icon: a small Halvorin window inside the panel. (The geometry's
# shell form sets WINDOW, X, Y, WIDTH and HEIGHT.)
tray_icon() {
    for w in $(xdotool search --onlyvisible --classname halvorin); do
        eval "$(xdotool getwindowgeometry --shell "$w")"
        if [ "$WIDTH" -le 64 ] && [ "$HEIGHT" -le 64 ] && [ "$Y" -lt 32 ]; then
            echo "$w"
            return 0
        fi
    done
    return 1
}
tray_icon >/dev/null && fail "an icon docked before there was a tray"

sleep 4
trayer --edge top --align right --widthtype request --height 32 >/dev/null 2>&1 &
TRAY_PID=$!
wait_for 'xwininfo -root -tree | grep -q "\"panel\": (\"panel\" \"trayer\")"' || fail "trayer did not map its panel"
wait_for 'tray_icon' || fail "the icon did not dock in a tray that started after the application"
ICON="$(tray_icon)"
# trayer gives the icon its requested width beside the panel's height; the
# application widens it to the square once it has seen the tray (it looks
# every 2 s), and only then does it stay when its window closes.
icon_square() {
    eval "$(xdotool getwindowgeometry --shell "$ICON")"
    [ "$WIDTH" -eq "$HEIGHT" ]
}
wait_for icon_square || fail "the application did not take the tray's square"
eval "$(xdotool getwindowgeometry --shell "$ICON")"
ICON_X=$((X + WIDTH / 2))
ICON_Y=$((Y + HEIGHT / 2))

# With a tray there, closing the start-up window leaves the application running.
WINDOW="$(xdotool search --onlyvisible --name '^Overview — Halvorin$' | head -1)"
/usr/bin/python3 "$HERE/close_window.py" "$WINDOW" || fail "could not ask the main window to close"
wait_for '! xdotool search --onlyvisible --name "^Overview — Halvorin\$"' || fail "the main window did not close"

visible_count() { xdotool search --onlyvisible --classname halvorin | wc -l; }

# The popup answering a click is also the proof that the application stayed.
xdotool mousemove "$ICON_X" "$ICON_Y" click 1
if ! wait_for '[ "$(visible_count)" -ge 2 ]'; then
    kill -0 "$APP_PID" 2>/dev/null || fail "closing the window quit although a tray shows the icon"
    fail "a click on the tray icon showed no popup"
fi
POPUP="$(xdotool search --onlyvisible --classname halvorin | grep -v "^$ICON\$" | head -1)"
eval "$(xdotool getwindowgeometry --shell "$POPUP")"
[ "$Y" -ge 30 ] && [ "$Y" -le 60 ] || fail "the popup is not under the panel (at $X,$Y)"
xdotool key Escape
wait_for '[ "$(visible_count)" -eq 1 ]' || fail "Escape did not close the popup"

# A second launch hands over to the first and exits at once.
"$APP" >"$TMP/second.log" 2>&1 || fail "the second launch failed"
kill -0 "$APP_PID" 2>/dev/null || fail "the first instance went away"
wait_for 'xdotool search --onlyvisible --name "^Overview — Halvorin\$"' || fail "the second launch did not raise the main window"
WINDOW="$(xdotool search --onlyvisible --name '^Overview — Halvorin$' | head -1)"
eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
[ "$WIDTH" -eq 1100 ] && [ "$HEIGHT" -eq 750 ] || fail "the main window is ${WIDTH}x${HEIGHT}"

# The Overview opens live; its first control steps to yesterday, recorded
# above, and the header then offers the green "Live" button.
green_in_header() {
    import -window "$WINDOW" -crop 920x34+180+26 +repage "$TMP/header.png" 2>/dev/null || return 1
    [ "$(convert "$TMP/header.png" -fuzz 12% -fill black +opaque "#2EC257" -fill white -opaque "#2EC257" \
        -format "%[fx:maxima>0]" info:)" = 1 ]
}
green_in_header && fail "the live Overview already shows a Live button"
xdotool mousemove --window "$WINDOW" 211 43 click 1
wait_for green_in_header || fail "the previous-day button did not show yesterday's recorded day"

xdotool windowfocus --sync "$WINDOW"
xdotool key --window "$WINDOW" ctrl+2
wait_for '[ "$(xdotool getwindowname "$WINDOW")" = "CPU — Halvorin" ]' || fail "Ctrl+2 did not show the CPU tab"
xdotool key --window "$WINDOW" ctrl+3
wait_for '[ "$(xdotool getwindowname "$WINDOW")" = "Memory — Halvorin" ]' || fail "Ctrl+3 did not show the Memory tab"
xdotool key --window "$WINDOW" ctrl+5
wait_for '[ "$(xdotool getwindowname "$WINDOW")" = "Network — Halvorin" ]' || fail "Ctrl+5 did not show the Network tab"
sleep 2 # a couple of samples and a connection resolution with the tab open
kill -0 "$APP_PID" 2>/dev/null || fail "the application went away with the Network tab open"
xdotool key --window "$WINDOW" ctrl+6
wait_for '[ "$(xdotool getwindowname "$WINDOW")" = "Power — Halvorin" ]' || fail "Ctrl+6 did not show the Power tab"
kill -0 "$APP_PID" 2>/dev/null || fail "the application went away on the Power tab"
xdotool key --window "$WINDOW" ctrl+8
wait_for '[ "$(xdotool getwindowname "$WINDOW")" = "Folders — Halvorin" ]' || fail "Ctrl+8 did not show the Folders tab"
sleep 0.5
kill -0 "$APP_PID" 2>/dev/null || fail "the application went away on the Folders tab"
xdotool key --window "$WINDOW" ctrl+9
wait_for '[ "$(xdotool getwindowname "$WINDOW")" = "Stats — Halvorin" ]' || fail "Ctrl+9 did not show the Stats tab"
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

# A relaunch for a new language comes back with the window on Settings, also
# where a tray is there (in the tray only, it would look like a crash).
HALVORIN_RELAUNCHED_FROM=settings "$APP" >"$TMP/app.log" 2>&1 &
APP_PID=$!
wait_for 'xdotool search --onlyvisible --name "^Settings — Halvorin\$"' || fail "the relaunched instance did not open on Settings"
kill -TERM "$APP_PID"
wait "$APP_PID" || fail "the application exited with $?"
APP_PID=""

# No tray at all: the window opens at start, and closing it quits after
# saving the day.
kill "$TRAY_PID" 2>/dev/null || true
wait "$TRAY_PID" 2>/dev/null || true
TRAY_PID=""
rm -f "$DAY_FILE"
"$APP" >"$TMP/app.log" 2>&1 &
APP_PID=$!
wait_for 'xdotool search --onlyvisible --name "^Overview — Halvorin\$"' || fail "without a tray the main window did not open"
WINDOW="$(xdotool search --onlyvisible --name '^Overview — Halvorin$' | head -1)"
/usr/bin/python3 "$HERE/close_window.py" "$WINDOW" || fail "could not ask the main window to close"
wait_for '! kill -0 "$APP_PID"' || fail "closing the only window did not quit without a tray"
wait "$APP_PID" || fail "the application exited with $? after its window closed"
APP_PID=""
[ -f "$DAY_FILE" ] || fail "no day file after closing the only window"
echo "desktop: late tray, popup, second launch, a recorded day, Go menu, Folders and Stats tabs, SIGTERM, relaunch on Settings, closing without a tray and the day file all as expected"
