#!/usr/bin/env bash
# The installer under Wine, silently, for all users and for the current
# user: it puts the program, a Start-menu entry "Kalvotron" and an entry
# under "Apps" in place; the program starts from there; the silent uninstall
# removes every file and key that the installer wrote.
# Usage: installer_test.sh SETUP_EXE
set -euo pipefail
setup=$1
here=$(cd "$(dirname "$0")" && pwd)
. "$here/session.sh"
trap stop_wine EXIT

drive=$WINEPREFIX/drive_c
key='[Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Kalvotron]'
# NSIS's uninstaller runs from a copy in the temporary folder, which it
# leaves to Windows to empty; a per-user install creates the user's
# Programs folder, which Windows has anyway.
listing() { (cd "$drive" && find . -path './users/*/Temp' -prune -o -print | grep -v '/AppData/Local/Programs$' | sort); }
has_key() { wineserver -w && grep -qF "$key" "$WINEPREFIX/$1" && echo yes || echo no; }

install_and_remove() { # mode, install folder, Start-menu folder, registry hive
    local mode=$1 place=$2 menu=$3 hive=$4 before
    before=$(listing)
    wine "$setup" /S "/$mode"
    wineserver -w
    expect "$mode: program installed" "$(test -f "$place/kalvo.exe" && echo yes)" yes
    expect "$mode: Start-menu entry" "$(test -f "$menu/Kalvotron.lnk" && echo yes)" yes
    expect "$mode: entry under Apps" "$(has_key "$hive")" yes
    expect "$mode: uninstall command" "$(grep -A20 -F "$key" "$WINEPREFIX/$hive" | grep -c '"UninstallString"=')" 1

    start_kalvo "$place/kalvo.exe"
    expect "$mode: installed program shows its window" "$([ -n "$window" ] && echo yes)" yes
    stop_wine

    wine "$place/uninstall.exe" /S
    wineserver -w
    expect "$mode: files left behind" "$(diff <(echo "$before") <(listing) || true)" ""
    expect "$mode: entry under Apps after uninstall" "$(has_key "$hive")" no
}

install_and_remove AllUsers "$drive/Program Files/Kalvotron" \
    "$drive/ProgramData/Microsoft/Windows/Start Menu/Programs" system.reg
user_folder=$(find "$drive/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -n 1)
install_and_remove CurrentUser "$user_folder/AppData/Local/Programs/Kalvotron" \
    "$user_folder/AppData/Roaming/Microsoft/Windows/Start Menu/Programs" user.reg
summary
