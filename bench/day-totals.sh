#!/bin/sh
# The day file's byte totals against the kernel's own counters.
#
#   bench/day-totals.sh [build/src/halvorin] [minutes] [burst folder] [burst MiB] [network MiB]
#
# Runs Halvorin on a private X server (without a tray, so its main window
# opens) and session bus, with a fresh history folder, for the given number
# of recorded minutes (11 by default). At second 30 of every wall-clock
# minute it writes one burst of the given size (256 MiB) with dd oflag=direct
# to a file in the burst folder (by default the current directory), which
# must sit on a whole disk that Halvorin counts. With a network size above 0
# (none by default), second 15 of every minute also sends that many MiB of
# UDP to the discard port of a documentation address (198.51.100.1,
# TEST-NET-2, routed nowhere), so the sent bytes come in bursts too. Beside
# it /proc/diskstats and /proc/net/dev are sampled every 0.5 s. Halvorin is
# started at the turn of a minute, so its recorded minutes fall well away
# from every burst; the tenth minute's save gives the recording's phase, and
# the same minutes are then cut out of the kernel's counters: the disks and
# interfaces Halvorin counts (whole disks with a device; links with a device,
# ppp and wwan), summed. Printed: the day file's totals, the kernel's over the
# same minutes (with the range a pass lagging its minute by up to a second
# allows) and the difference.
set -eu
APP="${1:-build/src/halvorin}"
MINUTES="${2:-11}"
BURST_DIR="${3:-.}"
BURST_MIB="${4:-256}"
NET_MIB="${5:-0}"
TMP="$(mktemp -d)"
PIDS=""
BURST_FILE="$(cd "$BURST_DIR" && pwd)/halvorin-day-totals-burst.$$"
cleanup() {
    for pid in $PIDS; do kill "$pid" 2>/dev/null || true; done
    for pid in $PIDS; do wait "$pid" 2>/dev/null || true; done
    if [ -n "${DBUS_PID:-}" ]; then kill "$DBUS_PID" 2>/dev/null || true; fi
    rm -f "$BURST_FILE"
    rm -rf "$TMP"
}
trap cleanup EXIT INT TERM

# The disk under the burst folder, as diskstats names it.
SOURCE="$(findmnt -no SOURCE --target "$BURST_DIR" | head -1)"
DISK="$(basename "$SOURCE")"
if [ -e "/sys/class/block/$DISK/partition" ]; then
    DISK="$(basename "$(dirname "$(readlink -f "/sys/class/block/$DISK")")")"
fi
if [ ! -e "/sys/block/$DISK/device" ] || ! awk -v d="$DISK" '$3 == d { found = 1 } END { exit !found }' /proc/diskstats; then
    echo "the burst folder $BURST_DIR is on $SOURCE, not on a whole disk with a device that Halvorin counts" >&2
    exit 2
fi
echo "bursts of $BURST_MIB MiB at second 30 of each minute to $BURST_FILE (disk $DISK)"

mkdir -p "$TMP/data" "$TMP/config" "$TMP/runtime"
chmod 700 "$TMP/runtime"
export XDG_DATA_HOME="$TMP/data" XDG_CONFIG_HOME="$TMP/config" XDG_RUNTIME_DIR="$TMP/runtime"
export QT_QPA_PLATFORM=xcb
dbus-daemon --session --fork --print-address=1 --print-pid=1 >"$TMP/bus"
DBUS_SESSION_BUS_ADDRESS="$(sed -n 1p "$TMP/bus")"
DBUS_PID="$(sed -n 2p "$TMP/bus")"
export DBUS_SESSION_BUS_ADDRESS
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$TMP/display" >/dev/null 2>&1 &
PIDS="$PIDS $!"
while [ ! -s "$TMP/display" ]; do sleep 0.1; done
export DISPLAY=":$(cat "$TMP/display")"
until xdpyinfo >/dev/null 2>&1; do sleep 0.1; done

# The binary and its libraries in the page cache, so its own start reads
# next to nothing from the disk.
cat "$APP" >/dev/null

# The kernel's counters every 0.5 s, each block stamped with the wall clock.
(
    while :; do
        echo "@ $(date +%s.%N)"
        cat /proc/diskstats /proc/net/dev
        sleep 0.5
    done
) >"$TMP/samples" &
PIDS="$PIDS $!"

# One burst at second 30 of every minute.
(
    while :; do
        now="$(date +%s)"
        sleep $(((90 - now % 60) % 60))
        [ "$(($(date +%s) % 60))" -eq 30 ] || continue
        echo "$(date +%s.%N) burst" >>"$TMP/bursts"
        dd if=/dev/zero of="$BURST_FILE" bs=1M count="$BURST_MIB" oflag=direct status=none
        sleep 1
    done
) &
PIDS="$PIDS $!"

# Datagrams at second 15 of every minute.
if [ "$NET_MIB" -gt 0 ]; then
    (
        while :; do
            now="$(date +%s)"
            sleep $(((75 - now % 60) % 60))
            [ "$(($(date +%s) % 60))" -eq 15 ] || continue
            /usr/bin/python3 -c 'import socket, sys
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
block = bytes(1400)
for _ in range(int(sys.argv[1]) * 1048576 // len(block)):
    s.sendto(block, ("198.51.100.1", 9))' "$NET_MIB" || true
            sleep 1
        done
    ) &
    PIDS="$PIDS $!"
fi

# Start at the turn of a minute: recorded minutes then fall near second 0.
sleep $((60 - $(date +%s) % 60))
echo "$(date +%s.%N) start" >"$TMP/start"
"$APP" >"$TMP/app.log" 2>&1 &
APP_PID=$!
PIDS="$PIDS $APP_PID"

DAYFILE_DIR="$TMP/data/Halvorin/history"
# The tenth recorded minute writes the day file: its time is the recording's phase.
while ! ls "$DAYFILE_DIR"/*.json >/dev/null 2>&1; do
    kill -0 "$APP_PID" 2>/dev/null || { echo "Halvorin ended early:" >&2; cat "$TMP/app.log" >&2; exit 1; }
    sleep 0.2
done
DAYFILE="$(ls "$DAYFILE_DIR"/*.json | head -1)"
TENTH="$(stat -c %.9Y "$DAYFILE")"
echo "tenth minute saved at $TENTH"
LAST_AT="$(awk -v t="$TENTH" -v m="$MINUTES" 'BEGIN { printf "%.3f", t + (m - 10) * 60 }')"
# Quit 15 s after the last recorded minute; the quit saves what was recorded.
while [ "$(awk -v t="$LAST_AT" -v now="$(date +%s.%N)" 'BEGIN { print (now > t + 15) }')" -eq 0 ]; do sleep 1; done
kill -TERM "$APP_PID"
wait "$APP_PID" 2>/dev/null || true

/usr/bin/python3 - "$TMP/samples" "$DAYFILE" "$TENTH" "$MINUTES" "$TMP/bursts" <<'PY'
import json, os, sys

samples_path, dayfile, tenth, minutes, bursts_path = sys.argv[1], sys.argv[2], float(sys.argv[3]), int(sys.argv[4]), sys.argv[5]
VIRTUAL_DISKS = ("loop", "ram", "zram", "dm-", "md", "nbd")
SKIPPED_LINKS = ("lo", "utun", "awdl", "llw", "bridge", "p2p", "ipsec")

def counted_disk(name):
    return not name.startswith(VIRTUAL_DISKS) and os.path.exists(f"/sys/block/{name}/device")

def counted_link(name):
    if name.startswith(SKIPPED_LINKS):
        return False
    return name.startswith(("ppp", "wwan")) or os.path.exists(f"/sys/class/net/{name}/device")

samples = []  # (time, read, written, received, sent)
current = None
for line in open(samples_path):
    f = line.split()
    if not f:
        continue
    if f[0] == "@":
        if current:
            samples.append(tuple(current))
        current = [float(f[1]), 0, 0, 0, 0]
    elif current and len(f) >= 10 and f[2][:1].isalpha() and ":" not in line:
        if counted_disk(f[2]):
            current[1] += int(f[5]) * 512
            current[2] += int(f[9]) * 512
    elif current and ":" in line:
        name, rest = line.split(":", 1)
        r = rest.split()
        if len(r) >= 9 and counted_link(name.strip()):
            current[3] += int(r[0])
            current[4] += int(r[8])
if current:
    samples.append(tuple(current))

def at(t):
    """The counters at time t, interpolated between the samples around it."""
    for a, b in zip(samples, samples[1:]):
        if a[0] <= t <= b[0]:
            w = (t - a[0]) / (b[0] - a[0]) if b[0] > a[0] else 0
            return [a[i] + w * (b[i] - a[i]) for i in range(1, 5)]
    raise SystemExit(f"no sample around {t}")

day = json.load(open(dayfile))
recorded = sum(h["cpu"]["count"] for h in day["hours"])
app = [sum(h[k] for h in day["hours"]) for k in ("diskReadBytes", "diskWriteBytes", "networkDownBytes", "networkUpBytes")]
start = tenth - 600
end = tenth + (minutes - 10) * 60
def before(t):
    return list(max((x for x in samples if x[0] <= t), key=lambda x: x[0])[1:])

def after(t):
    return list(min((x for x in samples if x[0] >= t), key=lambda x: x[0])[1:])

mid = [e - s for s, e in zip(at(start), at(end))]
# A pass may lag its recorded minute by up to a second at either end, and the
# counters may have moved anywhere between two samples.
lo = [e - s for s, e in zip(after(start), before(end - 1))]
hi = [e - s for s, e in zip(before(start - 1), after(end))]
bursts = sum(1 for line in open(bursts_path) if start < float(line.split()[0]) < end) if os.path.exists(bursts_path) else 0

print(f"recorded minutes in the day file: {recorded} (expected {minutes}); bursts inside them: {bursts}")
print(f"{'':16}{'day file':>16}{'kernel':>16}{'kernel range':>34}{'difference':>12}")
for label, a, k, l, h in zip(("disk read", "disk written", "net received", "net sent"), app, mid, lo, hi):
    diff = (a - k) / k * 100 if k else 0.0
    print(f"{label:16}{a:16,.0f}{k:16,.0f}{l:16,.0f} ..{h:16,.0f}{diff:11.2f} %")
PY
