#!/usr/bin/env bash
# The design's fonts at one of Windows' display scales (96, 120, 144 or 192
# dpi: 100, 125, 150 or 200 %), under Wine with Debian's fonts-wine, whose MS
# Sans Serif is the design's bitmap face where Windows' TrueType Microsoft
# Sans Serif is missing: the window suite finds that face and every text
# whole, and the program's window, drawn larger, passes the screenshot check.
# Usage: dpi_test.sh DPI PORTABLE_FOLDER UI_TESTS_EXE SCREENSHOT_PNG
set -euo pipefail
dpi=$1
portable=$2
ui_tests=$3
screenshot=$4
here=$(cd "$(dirname "$0")" && pwd)
export KALVO_WINE_DPI=$dpi
. "$here/session.sh"

dump=$(mktemp --suffix=.xwd)
trap 'stop_wine; rm -f "$dump"' EXIT

report=$("$here/qtest.sh" "$ui_tests" everyTextFitsItsBox fitsTheTextOfABoxNotShownYet 2>&1 | tr -d "\r") && fits=yes || fits=no
expect "every text whole at $dpi dpi" "$fits" yes
[ "$fits" = yes ] || echo "$report"
expect "the buttons' face" "$(grep -o 'sans serif face: [^"]*' <<<"$report" | head -n 1)" "sans serif face: MS Sans Serif"

scale=$(/usr/bin/python3 -c "print($dpi / 96)")
start_kalvo "$portable/kalvo.exe"
mkdir -p "$(dirname "$screenshot")"
for _ in $(seq 40); do
    xwd -silent -id "$window" -out "$dump"
    /usr/bin/python3 "$screenshot_check" "$dump" "$screenshot" --scale "$scale" >/dev/null && break
    sleep 0.25
done
check "the screenshot at $dpi dpi" /usr/bin/python3 "$screenshot_check" "$dump" "$screenshot" --scale "$scale"
summary
