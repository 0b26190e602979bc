#!/usr/bin/env bash
# Checks that docks and task bars can match the window to its desktop entry:
# natively on Wayland (a headless weston) by the application id the window
# announces, on X11 (Xvfb) by its WM_CLASS against the entry's StartupWMClass.
# Usage: desktop_identity_test.sh KALVO_BINARY DESKTOP_ENTRY
set -euo pipefail
binary=$1
entry=$2

if [ -z "${KALVO_UNDER_XVFB:-}" ]; then
    export KALVO_UNDER_XVFB=1
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

export XDG_RUNTIME_DIR NO_AT_BRIDGE=1
XDG_RUNTIME_DIR=$(mktemp -d)
chmod 700 "$XDG_RUNTIME_DIR"
log=$XDG_RUNTIME_DIR/wayland.log
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; rm -rf "$XDG_RUNTIME_DIR"' EXIT

. "$(dirname "$0")/../support/expect.sh"

app_id=$(basename "$entry" .desktop)
weston --backend=headless-backend.so --socket=kalvo-test --idle-time=0 >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/kalvo-test" ] && break; sleep 0.1; done
WAYLAND_DISPLAY=kalvo-test QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 "$binary" >"$log" 2>&1 &
pids+=($!)
announced=
for _ in $(seq 100); do
    announced=$(grep -o -m 1 'set_app_id("[^"]*")' "$log" | sed 's/set_app_id("\(.*\)")/\1/' || true)
    [ -n "$announced" ] && break
    sleep 0.1
done
expect "application id on Wayland" "$announced" "$app_id"

"$binary" &
pids+=($!)
xdotool search --sync --name '^Kalvotron$' >/dev/null
instance=$(xprop -name Kalvotron WM_CLASS | sed -n 's/.*= "\([^"]*\)".*/\1/p')
expect "WM_CLASS on X11" "$instance" "$(sed -n 's/^StartupWMClass=//p' "$entry")"

summary
