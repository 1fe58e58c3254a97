#!/usr/bin/env bash
# Runs the audio integration tests against a private sound server in a
# temporary folder; the server is stopped on every exit path.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
binary="$1"
shift

for tool in pulseaudio pactl pacat parec; do
    command -v "$tool" >/dev/null || { echo "run-audio-tests.sh: $tool is not installed" >&2; exit 1; }
done

dir="$(mktemp -d /tmp/halvorin-audio.XXXXXX)"
# Tests start further servers in folders of their own under this one.
cleanup() {
    for pidfile in "$dir"/server.pid "$dir"/*/server.pid; do
        [[ -e "$pidfile" ]] && "$here/pulse-server.sh" stop "$(dirname "$pidfile")" || true
    done
    rm -rf "$dir"
}
trap cleanup EXIT INT TERM

"$here/pulse-server.sh" start "$dir"

export PULSE_SERVER="unix:$dir/pulse.sock"
export HALVORIN_PULSE_CTL="$here/pulse-server.sh"
export HALVORIN_PULSE_DIR="$dir"
"$binary" "$@"
