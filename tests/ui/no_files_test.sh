#!/usr/bin/env bash
# Runs the real window under Xvfb and strace for a short session typed and
# clicked with xdotool, then checks the promise that Kalvo reads and writes
# nothing outside its window: no file opened for writing or created, no
# socket but the display connection, no process started.
# Usage: no_files_test.sh KALVO_BINARY
set -euo pipefail
binary=$1

if [ -z "${KALVO_UNDER_XVFB:-}" ]; then
    export KALVO_UNDER_XVFB=1
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

# A desktop session as Kalvo meets it: a private runtime folder, no session bus.
export XDG_RUNTIME_DIR
XDG_RUNTIME_DIR=$(mktemp -d)
unset DBUS_SESSION_BUS_ADDRESS
trace=$(mktemp)
strace -f -qq -e trace=file,network,process -o "$trace" "$binary" &
tracer=$!
# On the way out, end every process the trace saw, daemons included.
trap 'kill $tracer $(grep -oE "^[0-9]+" "$trace" | sort -u) 2>/dev/null || true; rm -rf "$XDG_RUNTIME_DIR" "$trace"' EXIT

window=$(xdotool search --sync --name '^Kalvotron$' | head -n 1)
sleep 0.5
menu=$(($(xwininfo -id "$window" | awk '/^ *Height:/ {print $2}') - 284))
click() { xdotool mousemove --window "$window" "$1" "$(($2 + menu))" click 1; sleep 0.1; }
enter() { xdotool type --delay 20 "$1"; xdotool key Return; sleep 0.1; }

click 120 52 && enter 2                   # A = 2
click 120 24                              # A becomes the output
click 280 52 && enter 0                   # B = 0: A = "Fehler"
xdotool mousemove --window "$window" 95 $((menu / 2)) click 1 && sleep 0.2
xdotool key Down Return && sleep 0.3      # Log/Exp, Anzahl/Zeit: the wide window
click 608 52 && enter 50                  # K = 50
xdotool mousemove --window "$window" 150 $((menu / 2)) click 1 && sleep 0.3 # Hilfe
for _ in $(seq 50); do # a slow build may still be busy with the clicks
    wide=$(xwininfo -id "$window" | awk '/^ *Width:/ {print $2}')
    [ "$wide" -eq 714 ] && break
    sleep 0.2
done

pkill -TERM -f "^$binary\$" || true
# strace follows every child: should Kalvo have started a daemon, stop waiting.
for _ in $(seq 50); do kill -0 $tracer 2>/dev/null || break; sleep 0.1; done
kill -KILL $tracer 2>/dev/null || true
wait $tracer 2>/dev/null || true

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
[ "$wide" -eq 714 ] || fail "the scripted session did not reach the wide window (width $wide)"
written=$(grep -E 'open(at)?\(.*(O_WRONLY|O_RDWR|O_CREAT|O_TRUNC|O_APPEND)' "$trace" | grep -v -E '= -1 ' || true)
[ -z "$written" ] || fail "files opened for writing: $written"
changed=$(grep -E '^[0-9]+ +(mkdir|mkdirat|rename|renameat2?|unlink|unlinkat|link|linkat|symlink|symlinkat|creat|truncate|chmod|fchmodat)\(' "$trace" | grep -v -E '= -1 ' || true)
[ -z "$changed" ] || fail "files created or changed: $changed"
sockets=$(grep -E '^[0-9]+ +connect\(' "$trace" | grep -v -E 'sun_path=@?"/tmp/\.X11-unix/X[0-9]+"' || true)
[ -z "$sockets" ] || fail "connections besides the display: $sockets"
inet=$(grep -E '^[0-9]+ +socket\(AF_INET6?' "$trace" || true)
[ -z "$inet" ] || fail "network sockets: $inet"
started=$(grep -E '^[0-9]+ +execve\(' "$trace" | tail -n +2 || true)
[ -z "$started" ] || fail "processes started: $started"

echo "$((6 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
