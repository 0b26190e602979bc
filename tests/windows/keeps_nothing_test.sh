#!/usr/bin/env bash
# Kalvo keeps nothing on Windows either: a session under Wine, with values
# typed, a formula chosen and the help shown, leaves the prefix's registry
# and its user folders as they were. Wine renews its display driver's
# DriverDateData at every start, and with it the time stamps of keys it
# writes again unchanged; those are not Kalvo's.
# Usage: keeps_nothing_test.sh PORTABLE_FOLDER
set -euo pipefail
portable=$1
here=$(cd "$(dirname "$0")" && pwd)
. "$here/session.sh"

before=$(mktemp -d)
trap 'stop_wine; rm -rf "$before"' EXIT
stop_wine
registry() { grep -v -E '^"DriverDateData"=|^#time=' "$1" | sed -E 's/^(\[.*\]) [0-9]+$/\1/'; }
users() { (cd "$WINEPREFIX/drive_c/users" && find . -printf '%p %s %T@\n' | sort); }
for hive in user.reg system.reg userdef.reg; do registry "$WINEPREFIX/$hive" >"$before/$hive"; done
users >"$before/users"

start_kalvo "$portable/kalvo.exe"
click 120 52 && enter 2                                  # A = 2
click 120 24                                             # A becomes the output
click 280 52 && enter 4                                  # B = 4
xdotool mousemove --window "$window" 95 $((menu / 2)) click 1 && sleep 0.5
xdotool key Down Return && sleep 0.5                     # Log/Exp, Anzahl/Zeit
xdotool mousemove --window "$window" 150 $((menu / 2)) click 1 && sleep 0.5 # Hilfe
expect "the session reached the wide window" "$(xwininfo -id "$window" | awk '/^ *Width:/ {print $2}')" 714
xdotool key --window "$window" alt+F4
for _ in $(seq 50); do xdotool search --name '^Kalvotron$' >/dev/null 2>&1 || break; sleep 0.1; done
expect "window closed" "$(xdotool search --name '^Kalvotron$' >/dev/null 2>&1 && echo open || echo closed)" closed
stop_wine

for hive in user.reg system.reg userdef.reg; do
    expect "$hive unchanged" "$(diff "$before/$hive" <(registry "$WINEPREFIX/$hive") || true)" ""
done
expect "user folders unchanged" "$(diff "$before/users" <(users) || true)" ""
summary
