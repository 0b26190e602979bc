#!/usr/bin/env bash
# The portable folder's kalvo.exe under Wine, as a person meets it: it starts
# from its own folder alone; a screenshot's colours and text contrast are
# checked as on Linux; Ohm's law is typed with real keys, and the result,
# selected and copied in the output field, reaches the X clipboard.
# Usage: portable_test.sh PORTABLE_FOLDER SCREENSHOT_PNG
set -euo pipefail
portable=$1
screenshot=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/session.sh"

dump=$(mktemp --suffix=.xwd)
trap 'stop_wine; rm -f "$dump"' EXIT
start_kalvo "$portable/kalvo.exe"

mkdir -p "$(dirname "$screenshot")"
for _ in $(seq 40); do
    xwd -silent -id "$window" -out "$dump"
    /usr/bin/python3 "$screenshot_check" "$dump" "$screenshot" >/dev/null && break
    sleep 0.25
done
check "the screenshot's colours and contrast" \
    /usr/bin/python3 "$screenshot_check" "$dump" "$screenshot"

click 120 52 && enter 6 # U = 6 V
click 280 52 && enter 3 # I = 3 A: R = 2 Ohm
printf 'nothing yet' | xclip -selection clipboard
click 448 52
keys ctrl+a ctrl+c
sleep 0.5
expect "result copied from the output field" "$(xclip -o -selection clipboard)" "2,0000E+0"
summary
