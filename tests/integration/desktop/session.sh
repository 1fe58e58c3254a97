# Sourced by the desktop tests: a private X server and a private session bus
# in a temporary folder, with the user's folders pointed there, and the
# helpers the tests share. Whatever the test started (APP_PID, TRAY_PID) is
# stopped on exit, also when a test fails.
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

# Nothing of the user's: settings, day files and the instance lock all live here.
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
