#!/bin/sh
# Runs the NetworkManager tests twice on a private session bus: once with a
# simulated NetworkManager that has joined a Wi-Fi network, once with none.
set -eu
BIN="$1"
HERE="$(cd "$(dirname "$0")" && pwd)"
TMP="$(mktemp -d)"
MOCK_PID=""
BUS_PID=""
cleanup() {
    [ -n "$MOCK_PID" ] && kill "$MOCK_PID" 2>/dev/null || true
    [ -n "$BUS_PID" ] && kill "$BUS_PID" 2>/dev/null || true
    rm -rf "$TMP"
}
trap cleanup EXIT INT TERM

# Runs the tests the filter selects and fails when it selects none: a suite
# renamed in the code would otherwise pass here without running.
run_selected() {
    count="$("$BIN" --gtest_list_tests --gtest_filter="$1" | grep -c '^  ')" || true
    if [ "$count" -eq 0 ]; then
        echo "FAIL: no test matches $1" >&2
        exit 1
    fi
    "$BIN" --gtest_filter="$1"
}

if ! OUT="$(dbus-daemon --session --fork --print-address=1 --print-pid=1)"; then
    echo "FAIL: dbus-daemon could not start a session bus" >&2
    exit 1
fi
DBUS_SESSION_BUS_ADDRESS="$(echo "$OUT" | sed -n 1p)"
BUS_PID="$(echo "$OUT" | sed -n 2p)"
export DBUS_SESSION_BUS_ADDRESS

/usr/bin/python3 -m dbusmock --session --template networkmanager >"$TMP/mock.log" 2>&1 &
MOCK_PID=$!
if ! /usr/bin/python3 "$HERE/join_wifi.py"; then
    echo "FAIL: the simulated NetworkManager did not come up" >&2
    cat "$TMP/mock.log" >&2
    exit 1
fi
run_selected 'WithNetworkManager.*'

kill "$MOCK_PID"
wait "$MOCK_PID" 2>/dev/null || true
MOCK_PID=""
run_selected 'WithoutNetworkManager.*'
