#!/bin/sh
# The application's own cost, beside btop and htop in the same run.
#
#   bench/overhead.sh [build/src/halvorin] [seconds]
#
# Starts Halvorin tray-only on a private X server with a real tray, btop
# (update 1000 ms) and htop (-d 10) in a detached tmux, lets everything settle
# for 10 s, then reads each process's CPU time and resident size over the
# window (60 s by default): CPU time, as a share of btop's in the same window,
# wakeups (context switches of all threads) and resident size. Further windows
# measure Halvorin with the main window open on the Overview (live), CPU,
# Disk, Network (24 h range), Memory and Power tabs. Resident size is read again at the end, so a
# growing figure shows. btop and htop are installed when missing. Each run has
# its own tmux server, so runs side by side neither share nor end each other's
# peers. With HALVORIN_BENCH_TRAY_ONLY=1 it stops after the tray-only window
# (to compare two builds side by side in the same minute).
set -eu
APP="${1:-build/src/halvorin}"
SECONDS_WINDOW="${2:-60}"
TMP="$(mktemp -d)"
PIDS=""
TMUX_SERVER="halvorin-bench-$$"
cleanup() {
    tmux -L "$TMUX_SERVER" kill-server 2>/dev/null || true
    for pid in $PIDS; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$TMP"
}
trap cleanup EXIT INT TERM

missing=""
for tool in btop htop tmux Xvfb trayer xdotool; do
    command -v "$tool" >/dev/null 2>&1 || missing="$missing $tool"
done
if [ -n "$missing" ]; then
    SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
    $SUDO apt-get install -y btop htop tmux xvfb trayer xdotool >/dev/null
fi

HZ="$(getconf CLK_TCK)"
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }
# Context switches of every thread: each wakeup of a sleeping thread is one.
switches() { cat /proc/"$1"/task/*/status 2>/dev/null | awk '/ctxt_switches:/ { n += $2 } END { print n + 0 }'; }

mkdir -p "$TMP/data" "$TMP/config" "$TMP/runtime"
chmod 700 "$TMP/runtime"
export XDG_DATA_HOME="$TMP/data" XDG_CONFIG_HOME="$TMP/config" XDG_RUNTIME_DIR="$TMP/runtime"
export QT_QPA_PLATFORM=xcb
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$TMP/display" >/dev/null 2>&1 &
PIDS="$PIDS $!"
while [ ! -s "$TMP/display" ]; do sleep 0.1; done
export DISPLAY=":$(cat "$TMP/display")"
until xdpyinfo >/dev/null 2>&1; do sleep 0.1; done
trayer --edge top --align right --widthtype request --height 32 >/dev/null 2>&1 &
PIDS="$PIDS $!"
sleep 1

# btop takes its interval from its configuration file only.
mkdir -p "$TMP/config/btop"
echo "update_ms = 1000" >"$TMP/config/btop/btop.conf"

"$APP" >"$TMP/app.log" 2>&1 &
APP_PID=$!
PIDS="$PIDS $APP_PID"
tmux -L "$TMUX_SERVER" new-session -d -s btop -x 200 -y 50 "env LANG=C.UTF-8 LC_ALL=C.UTF-8 TERM=xterm-256color btop"
tmux -L "$TMUX_SERVER" new-session -d -s htop -x 200 -y 50 "env TERM=xterm-256color htop -d 10"
sleep 2
# env execs its command, so each pane's process is the peer itself.
BTOP_PID="$(tmux -L "$TMUX_SERVER" list-panes -t btop -F '#{pane_pid}')"
HTOP_PID="$(tmux -L "$TMUX_SERVER" list-panes -t htop -F '#{pane_pid}')"

measure() {
    label="$1"
    a0="$(ticks "$APP_PID")"; b0="$(ticks "$BTOP_PID")"; h0="$(ticks "$HTOP_PID")"
    w0a="$(switches "$APP_PID")"; w0b="$(switches "$BTOP_PID")"; w0h="$(switches "$HTOP_PID")"
    sleep "$SECONDS_WINDOW"
    a1="$(ticks "$APP_PID")"; b1="$(ticks "$BTOP_PID")"; h1="$(ticks "$HTOP_PID")"
    w1a="$(switches "$APP_PID")"; w1b="$(switches "$BTOP_PID")"; w1h="$(switches "$HTOP_PID")"
    echo "$label (${SECONDS_WINDOW} s, $(ps -e --no-headers | wc -l) processes on the machine)"
    for row in "halvorin $a0 $a1 $APP_PID $w0a $w1a" "btop $b0 $b1 $BTOP_PID $w0b $w1b" "htop $h0 $h1 $HTOP_PID $w0h $w1h"; do
        set -- $row
        awk -v n="$1" -v t0="$2" -v t1="$3" -v hz="$HZ" -v s="$SECONDS_WINDOW" -v rss="$(rss_kb "$4")" \
            -v w0="$5" -v w1="$6" -v bt="$((b1 - b0))" \
            'BEGIN { printf "  %-9s %6.2f %% of one core  %5.2f x btop  %6.1f wakeups/s  %7.1f MB resident\n", n, 100 * (t1 - t0) / hz / s, (bt > 0 ? (t1 - t0) / bt : 0), (w1 - w0) / s, rss / 1024 }'
    done
}

sleep 10
echo "halvorin resident at start of window: $(($(rss_kb "$APP_PID") / 1024)) MB"
measure "tray only, main window closed"
[ "${HALVORIN_BENCH_TRAY_ONLY:-0}" = 1 ] && exit 0

# Open the main window through a second launch: it shows the Overview, live.
"$APP" >/dev/null 2>&1 || true
sleep 1
WINDOW="$(xdotool search --onlyvisible --name '^Overview — Halvorin$' | head -1)"
sleep 10
measure "main window open on the Overview tab, live"

# Then the CPU tab.
xdotool windowfocus --sync "$WINDOW"
xdotool key --window "$WINDOW" ctrl+2
sleep 10
measure "main window open on the CPU tab"

xdotool key --window "$WINDOW" ctrl+4
sleep 10
measure "main window open on the Disk tab"

# Then the Network tab on its 24 h range: the segment sits at this point of
# the window at its default size while no network is recorded today.
xdotool key --window "$WINDOW" ctrl+5
sleep 2
xdotool mousemove --window "$WINDOW" 1034 425 click 1
sleep 10
measure "main window open on the Network tab, 24 h range"

xdotool key --window "$WINDOW" ctrl+3
sleep 10
measure "main window open on the Memory tab"

xdotool key --window "$WINDOW" ctrl+6
sleep 10
measure "main window open on the Power tab"
