#!/bin/sh
# The end of an X session: the X server goes away under a running Halvorin,
# the platform ends the process from inside its event loop, and the minute
# recorded since the start (no periodic save yet) must still reach today's
# day file. Takes a little over a minute: the first minute is recorded 60 s
# after the start.
set -eu
APP="$1"
TMP="$(mktemp -d)"
X_PID=""
BUS_PID=""
APP_PID=""
cleanup() {
    for pid in "$APP_PID" "$X_PID" "$BUS_PID"; do
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

wait_for() {
    tries=0
    until eval "$1" >/dev/null 2>&1; do
        tries=$((tries + 1))
        [ "$tries" -ge 100 ] && return 1
        sleep 0.1
    done
}

mkdir -p "$TMP/data" "$TMP/config" "$TMP/cache" "$TMP/runtime"
chmod 700 "$TMP/runtime"
export XDG_DATA_HOME="$TMP/data" XDG_CONFIG_HOME="$TMP/config" XDG_CACHE_HOME="$TMP/cache" XDG_RUNTIME_DIR="$TMP/runtime"
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

DAY_FILE="$XDG_DATA_HOME/Halvorin/history/$(date +%Y-%m-%d).json"
"$APP" >"$TMP/app.log" 2>&1 &
APP_PID=$!
wait_for 'xdotool search --onlyvisible --classname halvorin' || fail "Halvorin showed no window"
sleep 64
kill -0 "$APP_PID" 2>/dev/null || fail "the application went away before the session ended"
[ -f "$DAY_FILE" ] && fail "the day file was written before the session ended; the test proves nothing"

kill -KILL "$X_PID"
X_PID=""
tries=0
while kill -0 "$APP_PID" 2>/dev/null; do
    tries=$((tries + 1))
    [ "$tries" -ge 100 ] && fail "the application kept running without its display"
    sleep 0.1
done
wait "$APP_PID" || true # the platform ends it with a failure status
APP_PID=""

[ -f "$DAY_FILE" ] || fail "the recorded minute was lost: no day file after the X server went away"
/usr/bin/python3 -c '
import json, sys
d = json.load(open(sys.argv[1]))
minutes = sum(h["cpu"]["count"] for h in d["hours"])
sys.exit(0 if minutes == 1 else "%d minutes in the day file, 1 recorded" % minutes)' "$DAY_FILE" \
    || fail "the day file does not hold the recorded minute"
echo "session end: the minute recorded before the X server went away is in the day file"
