#!/bin/sh
# The application's own cost, beside btop and htop in the same run.
#
#   bench/overhead.sh [build/src/halvorin] [seconds] [rounds]
#
# Starts Halvorin tray-only on a private X server with a real tray, btop
# (update 1000 ms) and htop (-d 10) in a detached tmux, lets everything settle
# for 10 s, then reads each process's CPU time and resident size over the
# window (60 s by default): CPU time, as a share of btop's in the same window,
# wakeups (context switches of all threads) and resident size. Further windows
# measure Halvorin with the main window open on the Overview (live), CPU,
# Disk, Network (24 h range), Memory, Power, Audio, Folders, Stats and Settings
# tabs. With rounds above 1 (default 1) the Overview and the CPU tab are
# measured that many times, alternating, and their medians are printed at the
# end. Resident size is read again at the end, so a growing figure shows. To
# compare two builds, start two runs at the same time: each has its own peers
# and compares with its own btop over the same minutes. btop and htop are installed when missing. Each run has
# its own tmux server, so runs side by side neither share nor end each other's
# peers. With HALVORIN_BENCH_TRAY_ONLY=1 it stops after the tray-only window
# (to compare two builds side by side in the same minute).
set -eu
APP="${1:-build/src/halvorin}"
SECONDS_WINDOW="${2:-60}"
ROUNDS="${3:-1}"
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
# Printed per thread ("tid count" lines): a pool thread that ends during the
# window takes its count with it, so the window's figure adds each thread's
# own change and never goes below zero.
switches() {
    for t in /proc/"$1"/task/*; do
        awk -v tid="${t##*/}" '/ctxt_switches:/ { n += $2 } END { if (NR) print tid, n + 0 }' "$t/status" 2>/dev/null || true
    done
}
# Wakeups between two "tid count" listings: threads seen in both, and the
# whole count of threads that started meanwhile.
wakeups() { printf '%s\n--\n%s\n' "$1" "$2" | awk '$1 == "--" { end = 1; next } !end { a[$1] = $2; next } { n += $2 - ($1 in a ? a[$1] : 0) } END { print n + 0 }'; }

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

# One "label ratio wakeups" line per measured window, for the medians.
: >"$TMP/figures"
measure() {
    label="$1"
    a0="$(ticks "$APP_PID")"; b0="$(ticks "$BTOP_PID")"; h0="$(ticks "$HTOP_PID")"
    w0a="$(switches "$APP_PID")"; w0b="$(switches "$BTOP_PID")"; w0h="$(switches "$HTOP_PID")"
    sleep "$SECONDS_WINDOW"
    a1="$(ticks "$APP_PID")"; b1="$(ticks "$BTOP_PID")"; h1="$(ticks "$HTOP_PID")"
    w1a="$(switches "$APP_PID")"; w1b="$(switches "$BTOP_PID")"; w1h="$(switches "$HTOP_PID")"
    wa="$(wakeups "$w0a" "$w1a")"; wb="$(wakeups "$w0b" "$w1b")"; wh="$(wakeups "$w0h" "$w1h")"
    echo "$label (${SECONDS_WINDOW} s, $(ps -e --no-headers | wc -l) processes on the machine)"
    for row in "halvorin $a0 $a1 $APP_PID 0 $wa" "btop $b0 $b1 $BTOP_PID 0 $wb" "htop $h0 $h1 $HTOP_PID 0 $wh"; do
        set -- $row
        awk -v n="$1" -v t0="$2" -v t1="$3" -v hz="$HZ" -v s="$SECONDS_WINDOW" -v rss="$(rss_kb "$4")" \
            -v w0="$5" -v w1="$6" -v bt="$((b1 - b0))" \
            'BEGIN { printf "  %-9s %6.2f %% of one core  %5.2f x btop  %6.1f wakeups/s  %7.1f MB resident\n", n, 100 * (t1 - t0) / hz / s, (bt > 0 ? (t1 - t0) / bt : 0), (w1 - w0) / s, rss / 1024 }'
    done
    awk -v l="$label" -v t0="$a0" -v t1="$a1" -v bt="$((b1 - b0))" -v w0=0 -v w1="$wa" -v s="$SECONDS_WINDOW" \
        'BEGIN { printf "%s\t%.3f\t%.1f\n", l, (bt > 0 ? (t1 - t0) / bt : 0), (w1 - w0) / s }' >>"$TMP/figures"
}
# Median of the figures of one label: column 2 (x btop) or 3 (wakeups/s).
median() {
    awk -F '\t' -v l="$1" -v c="$2" '$1 == l { print $c }' "$TMP/figures" | sort -n |
        awk '{ v[NR] = $1 } END { if (NR == 0) print "-"; else if (NR % 2) print v[(NR + 1) / 2]; else printf "%.3f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
tab() {
    xdotool key --window "$WINDOW" "$1"
    sleep 10
    measure "$2"
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
xdotool windowfocus --sync "$WINDOW"
OVERVIEW="main window open on the Overview tab, live"
CPU="main window open on the CPU tab"
measure "$OVERVIEW"
tab ctrl+2 "$CPU"
round=1
while [ "$round" -lt "$ROUNDS" ]; do
    tab ctrl+1 "$OVERVIEW"
    tab ctrl+2 "$CPU"
    round=$((round + 1))
done

tab ctrl+4 "main window open on the Disk tab"

# Then the Network tab on its 24 h range: the segment sits at this point of
# the window at its default size while no network is recorded today.
xdotool key --window "$WINDOW" ctrl+5
sleep 2
xdotool mousemove --window "$WINDOW" 1034 425 click 1
sleep 10
measure "main window open on the Network tab, 24 h range"

tab ctrl+3 "main window open on the Memory tab"
tab ctrl+6 "main window open on the Power tab"
tab ctrl+7 "main window open on the Audio tab"
tab ctrl+8 "main window open on the Folders tab"
tab ctrl+9 "main window open on the Stats tab"
tab ctrl+0 "main window open on the Settings tab"

echo "medians over $ROUNDS round(s), as a share of btop's CPU time and in wakeups/s:"
for label in "$OVERVIEW" "$CPU"; do
    printf '  %-45s %6s x btop  %7s wakeups/s\n' "$label" "$(median "$label" 2)" "$(median "$label" 3)"
done
