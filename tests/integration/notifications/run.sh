#!/bin/sh
# Runs a test binary (the notification tests, the D-Bus tray tests) on a
# private session bus that can activate nothing, so a missing server is
# reported at once instead of the bus trying to launch an installed one. The
# tests start and stop their simulated peers themselves.
set -eu
BIN="$1"
TMP="$(mktemp -d)"
BUS_PID=""
cleanup() {
    [ -n "$BUS_PID" ] && kill "$BUS_PID" 2>/dev/null || true
    rm -rf "$TMP"
}
trap cleanup EXIT INT TERM

cat >"$TMP/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=$TMP</listen>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF

if ! OUT="$(dbus-daemon --config-file="$TMP/bus.conf" --fork --print-address=1 --print-pid=1)"; then
    echo "FAIL: dbus-daemon could not start a session bus" >&2
    exit 1
fi
DBUS_SESSION_BUS_ADDRESS="$(echo "$OUT" | sed -n 1p)"
BUS_PID="$(echo "$OUT" | sed -n 2p)"
export DBUS_SESSION_BUS_ADDRESS
"$BIN"
