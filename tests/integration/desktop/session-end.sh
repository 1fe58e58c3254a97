#!/bin/sh
# The end of an X session: the X server goes away under a running Halvorin,
# the platform ends the process from inside its event loop, and the minute
# recorded since the start (no periodic save yet) must still reach today's
# day file. Takes a little over a minute: the first minute is recorded 60 s
# after the start.
set -eu
APP="$1"
HERE="$(dirname "$0")"
. "$HERE/session.sh"

DAY_FILE="$XDG_DATA_HOME/Halvorin/history/$(date +%Y-%m-%d).json"
STARTED=$(date +%s)
"$APP" >"$TMP/app.log" 2>&1 &
APP_PID=$!
wait_for 'xdotool search --onlyvisible --classname halvorin' || fail "Halvorin showed no window"
# The first minute is recorded 60 s after the start, on the application's
# own timer; nothing outside shows it, so the X server goes a good while
# later, and the check below allows for every minute that could have passed.
LEFT=$((STARTED + 80 - $(date +%s)))
[ "$LEFT" -gt 0 ] && sleep "$LEFT"
kill -0 "$APP_PID" 2>/dev/null || fail "the application went away before the session ended"
[ -f "$DAY_FILE" ] && fail "the day file was written before the session ended; the test proves nothing"

kill -KILL "$X_PID"
ELAPSED=$(($(date +%s) - STARTED))
X_PID=""
wait_for '! kill -0 "$APP_PID"' || fail "the application kept running without its display"
wait "$APP_PID" || true # the platform ends it with a failure status
APP_PID=""

[ -f "$DAY_FILE" ] || fail "the recorded minute was lost: no day file after the X server went away"
/usr/bin/python3 -c '
import json, sys
d = json.load(open(sys.argv[1]))
minutes = sum(h["cpu"]["count"] for h in d["hours"])
most = int(sys.argv[2]) // 60
sys.exit(0 if 1 <= minutes <= most else "%d minutes in the day file, 1 to %d recorded" % (minutes, most))' "$DAY_FILE" "$ELAPSED" \
    || fail "the day file does not hold the recorded minute"
echo "session end: the minute recorded before the X server went away is in the day file"
