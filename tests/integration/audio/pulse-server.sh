#!/usr/bin/env bash
# Starts, stops, stalls and resumes a private sound server in a folder.
#   pulse-server.sh start|start-runtime|kill|stop|pause|resume DIR
# The server has two null sinks ("Speakers", "Headphones") and a null source
# ("Microphone"); its pid is in DIR/server.pid. "start" has it listen on
# DIR/pulse.sock; "start-runtime" in the runtime folder that the caller's
# environment names (PULSE_RUNTIME_PATH, XDG_RUNTIME_DIR, else the fallback
# under HOME), where clients with that environment look for it by themselves.
set -euo pipefail
command="$1"
dir="$2"
pidfile="$dir/server.pid"

server_pid() { [[ -s "$pidfile" ]] && cat "$pidfile"; }

# The server's script: its socket option ($1: "" for the runtime folder).
write_script() {
    cat > "$dir/pulse.pa" <<PA
load-module module-native-protocol-unix auth-anonymous=1 $1
load-module module-null-sink sink_name=speakers sink_properties=device.description=Speakers
load-module module-null-sink sink_name=headphones sink_properties=device.description=Headphones
load-module module-null-source source_name=mic description=Microphone
set-default-sink speakers
set-default-source mic
PA
}

# Runs the server with the environment given ($2...), until pactl with that
# environment, and PULSE_SERVER=$1 unless $1 is empty, reaches it.
run_server() {
    local server="$1"
    shift
    "$@" pulseaudio -n --file="$dir/pulse.pa" --daemonize=no --exit-idle-time=-1 \
        --use-pid-file=false --log-target=stderr >>"$dir/server.log" 2>&1 &
    echo $! > "$pidfile"
    # Up to a minute: a busy machine may take long to start it.
    for _ in $(seq 1 600); do
        if "$@" ${server:+PULSE_SERVER="$server"} pactl info >/dev/null 2>&1; then
            exit 0
        fi
        if ! kill -0 "$(server_pid)" 2>/dev/null; then
            break
        fi
        sleep 0.1
    done
    echo "pulse-server.sh: the sound server did not start; its log:" >&2
    cat "$dir/server.log" >&2 || true
    exit 1
}

case "$command" in
start)
    mkdir -p "$dir/xdg" "$dir/home"
    chmod 700 "$dir/xdg"
    write_script "socket=$dir/pulse.sock"
    run_server "unix:$dir/pulse.sock" env XDG_RUNTIME_DIR="$dir/xdg" HOME="$dir/home"
    ;;
start-runtime)
    mkdir -p "$dir"
    write_script ""
    run_server "" env -u PULSE_SERVER
    ;;
kill | stop)
    pid="$(server_pid || true)"
    [[ -z "$pid" ]] && exit 0
    kill -CONT "$pid" 2>/dev/null || true
    if [[ "$command" == kill ]]; then kill -KILL "$pid" 2>/dev/null || true; else kill -TERM "$pid" 2>/dev/null || true; fi
    for _ in $(seq 1 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null || true
    : > "$pidfile"
    # Without a runtime folder the server made one in the temporary folder,
    # linked from its home.
    for link in "$dir"/home/.config/pulse/*-runtime; do
        if [[ -L "$link" ]]; then rm -rf "$(readlink "$link")" "$link"; fi
    done
    ;;
pause)
    pid="$(server_pid)"
    kill -STOP "$pid"
    # A stop takes effect on each of the server's threads as it next runs,
    # which on a busy machine may be a while after kill returns: wait until
    # every one of them is stopped, so that nothing is answered afterwards.
    for _ in $(seq 1 600); do
        stopped=1
        for stat in /proc/"$pid"/task/*/stat; do
            state="$(sed 's/.*) //' "$stat" 2>/dev/null | cut -c1)" || continue
            [[ -z "$state" || "$state" == T ]] || stopped=0
        done
        [[ "$stopped" == 1 ]] && exit 0
        sleep 0.1
    done
    echo "pulse-server.sh: the sound server did not stop" >&2
    exit 1
    ;;
resume) kill -CONT "$(server_pid)" ;;
*)
    echo "usage: $0 start|start-runtime|kill|stop|pause|resume DIR" >&2
    exit 2
    ;;
esac
