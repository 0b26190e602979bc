#!/usr/bin/env bash
# Starts the real window under Xvfb, takes a screenshot and checks the
# colours a person sees at known places; the PNG is kept for a look. With
# --dark, under GTK's dark Adwaita theme, as on a dark desktop; at the scale
# QT_SCALE_FACTOR where it is set.
# Usage: screenshot_test.sh KALVO_BINARY SCREENSHOT_PNG [--dark]
set -euo pipefail
binary=$1
screenshot=$2
theme=${3:-}
scale=(--scale "${QT_SCALE_FACTOR:-1}")
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "${KALVO_UNDER_XVFB:-}" ]; then
    export KALVO_UNDER_XVFB=1
    exec xvfb-run -a -s "-screen 0 2048x1536x24" "$0" "$@"
fi

export XDG_RUNTIME_DIR
XDG_RUNTIME_DIR=$(mktemp -d)
if [ "$theme" = --dark ]; then
    # NO_AT_BRIDGE: GTK's own screen-reader bridge would look for a session bus.
    export QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark NO_AT_BRIDGE=1
fi
dump=$(mktemp --suffix=.xwd)
"$binary" &
kalvo=$!
trap 'kill $kalvo 2>/dev/null || true; rm -rf "$XDG_RUNTIME_DIR" "$dump"' EXIT

for _ in $(seq 100); do
    xwininfo -name Kalvotron >/dev/null 2>&1 && break
    sleep 0.1
done
mkdir -p "$(dirname "$screenshot")"
# Until the first frame is painted (a slow build takes its time), then once more to report.
for _ in $(seq 40); do
    xwd -silent -name Kalvotron -out "$dump"
    /usr/bin/python3 "$here/screenshot_check.py" "$dump" "$screenshot" $theme "${scale[@]}" >/dev/null && break
    sleep 0.25
done
/usr/bin/python3 "$here/screenshot_check.py" "$dump" "$screenshot" $theme "${scale[@]}"
