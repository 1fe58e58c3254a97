#!/bin/sh
# Runs a test binary (the notification tests, the D-Bus tray tests) on a
# private session bus that can activate nothing, so a missing server is
# reported at once instead of the bus trying to launch an installed one. The
# tests start and stop their simulated peers themselves.
set -eu
BIN="$1"
. "$(cd "$(dirname "$0")/.." && pwd)/private-bus.sh"
TMP="$(mktemp -d)"
BUS_PID=""
cleanup() {
    [ -n "$BUS_PID" ] && kill "$BUS_PID" 2>/dev/null || true
    rm -rf "$TMP"
}
trap cleanup EXIT INT TERM

if ! start_private_bus "$TMP"; then
    echo "FAIL: dbus-daemon could not start a session bus" >&2
    exit 1
fi
"$BIN"
