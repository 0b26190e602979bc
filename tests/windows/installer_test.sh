#!/usr/bin/env bash
# The installer under Wine: a silent install for all users puts the program,
# a Start-menu entry "Kalvotron" and an entry under "Apps" in place; the
# program starts from there; the silent uninstall removes every file and key
# that the installer wrote.
# Usage: installer_test.sh SETUP_EXE
set -euo pipefail
setup=$1
here=$(cd "$(dirname "$0")" && pwd)
. "$here/session.sh"
trap stop_wine EXIT

drive=$WINEPREFIX/drive_c
place="$drive/Program Files/Kalvotron"
shortcut="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Kalvotron.lnk"
key='[Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Kalvotron]'
# NSIS's uninstaller runs from a copy in the temporary folder, which it
# leaves to Windows to empty.
listing() { (cd "$drive" && find . -path './users/*/Temp' -prune -o -print | sort); }
has_key() { wineserver -w && grep -qF "$key" "$WINEPREFIX/system.reg" && echo yes || echo no; }

before=$(listing)
wine "$setup" /S
wineserver -w
expect "program installed" "$(test -f "$place/kalvo.exe" && echo yes)" yes
expect "Start-menu entry" "$(test -f "$shortcut" && echo yes)" yes
expect "entry under Apps" "$(has_key)" yes
expect "uninstall command" "$(grep -A20 -F "$key" "$WINEPREFIX/system.reg" | grep -c '"UninstallString"=')" 1

start_kalvo "$place/kalvo.exe"
expect "installed program shows its window" "$([ -n "$window" ] && echo yes)" yes
stop_wine

wine "$place/uninstall.exe" /S
wineserver -w
expect "files left behind" "$(diff <(echo "$before") <(listing) || true)" ""
expect "entry under Apps after uninstall" "$(has_key)" no
summary
