#!/usr/bin/env bash
# Runs the real window under Xvfb with the accessibility bus on and reads it
# as a screen reader would. Usage: accessibility_test.sh KALVO_BINARY
set -euo pipefail
binary=$1
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "${KALVO_UNDER_XVFB:-}" ]; then
    export KALVO_UNDER_XVFB=1
    exec xvfb-run -a -s "-screen 0 1024x768x24" dbus-run-session -- "$0" "$@"
fi

export XDG_RUNTIME_DIR
XDG_RUNTIME_DIR=$(mktemp -d)
/usr/libexec/at-spi-bus-launcher --launch-immediately &
bus=$!
# The window looks for the accessibility bus once, at start: let it be there.
for _ in $(seq 100); do
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
        >/dev/null 2>&1 && break
    sleep 0.1
done
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$binary" &
kalvo=$!
trap 'kill $kalvo $bus 2>/dev/null || true; rm -rf "$XDG_RUNTIME_DIR"' EXIT

# Debian's own Python, which has the AT-SPI bindings.
/usr/bin/python3 "$here/accessibility_test.py"
