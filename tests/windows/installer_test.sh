#!/usr/bin/env bash
# The installer under Wine, as Windows users and packagers meet it:
# - silently for all users and for the current user, alone and side by side;
#   each installation is removed by the commands its entry under "Apps"
#   holds, as written (QuietUninstallString, and UninstallString answered
#   with Enter), and leaves the other one whole; at the end no file is left;
# - the Start-menu entry starts the program in its folder, "Apps" shows its size;
# - over a running Kalvotron, installing and uninstalling change nothing;
# - over an older version, whose files go first.
# Usage: installer_test.sh SETUP_EXE PORTABLE_FOLDER PACK_PY ICON
set -euo pipefail
setup=$1
portable=$2
pack=$3
icon=$4
here=$(cd "$(dirname "$0")" && pwd)
. "$here/session.sh"
work=$(mktemp -d)
trap 'stop_wine; rm -rf "$work"' EXIT

drive=$WINEPREFIX/drive_c
key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Kalvotron'
user_folder=$(find "$drive/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -n 1)
declare -A place=([AllUsers]="$drive/Program Files/Kalvotron"
    [CurrentUser]="$user_folder/AppData/Local/Programs/Kalvotron")
declare -A menu=([AllUsers]="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs"
    [CurrentUser]="$user_folder/AppData/Roaming/Microsoft/Windows/Start Menu/Programs")
declare -A hive=([AllUsers]=HKLM [CurrentUser]=HKCU)

# NSIS's uninstaller runs from a copy in the temporary folder, which it
# leaves to Windows to empty; a per-user install creates the user's
# Programs folder, which Windows has anyway.
listing() { (cd "$drive" && find . -path './users/*/Temp' -prune -o -print | grep -v '/AppData/Local/Programs$' | sort); }
value() { # mode, name: a value of the mode's entry under "Apps"
    wine reg query "${hive[$1]}\\$key" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}
contents() { (cd "$1" && find . -type f -print0 | sort -z | xargs -0 md5sum); }
# An installation is whole: the portable folder's files and the uninstaller,
# its Start-menu entry, and its entry under "Apps" naming its folder.
whole() { # mode
    local mode=$1 files
    files=$( (cd "${place[$mode]}" 2>/dev/null && find . -type f ! -name uninstall.exe -print0 | sort -z | xargs -0 md5sum) || true)
    [ "$files" = "$(contents "$portable")" ] && [ -f "${place[$mode]}/uninstall.exe" ] &&
        [ -f "${menu[$mode]}/Kalvotron.lnk" ] &&
        [ "$(value "$mode" InstallLocation)" = "$(winepath -w "${place[$mode]}")" ] && echo whole || echo broken
}
install() { wine "$1" /S "/$2"; wineserver -w; }
# A command as the registry holds it: "program" arguments (none with a blank).
run_as_written() {
    local line=$1 program
    program=${line#\"}
    program=${program%%\"*}
    # shellcheck disable=SC2086
    wine "$program" ${line#\""$program"\"}
}
# The uninstaller goes on in a copy of itself: wait for that, not for every
# Wine process (a running Kalvotron among them).
quiet_uninstall() {
    run_as_written "$(value "$1" QuietUninstallString)"
    for _ in $(seq 300); do
        pgrep -f '\\Un\.exe |uninstall\.exe' >/dev/null || break
        sleep 0.1
    done
}
# The uninstaller's window, answered with Enter: "Deinstallieren", then "Beenden".
interactive_uninstall() {
    local command uninstaller
    command=$(value "$1" UninstallString)
    run_as_written "$command" &
    for _ in 1 2; do
        uninstaller=$(find_window '^Deinstallation von Kalvotron') || break
        sleep 1
        xdotool windowfocus "$uninstaller" 2>/dev/null || true
        xdotool key Return 2>/dev/null
        sleep 2
    done
    wait
    wineserver -w
}

# What a run that failed left behind is no part of this one's start.
for mode in AllUsers CurrentUser; do
    rm -rf "${place[$mode]}" "${menu[$mode]}/Kalvotron.lnk"
    wine reg delete "${hive[$mode]}\\$key" /f >/dev/null 2>&1 || true
done
before=$(listing)

for mode in AllUsers CurrentUser; do
    install "$setup" "$mode"
    expect "$mode: installed whole" "$(whole "$mode")" whole
    check "$mode: the installed program shows its window" start_kalvo "${place[$mode]}/kalvo.exe"
    stop_wine
    windows_place=$(winepath -w "${place[$mode]}")
    expect "$mode: the Start-menu entry starts in the install folder" \
        "$(strings -el "${menu[$mode]}/Kalvotron.lnk" |
            place=$windows_place awk '{ p = ENVIRON["place"] } substr($0, length($0) - length(p) + 1) == p' | wc -l)" 1
    size=$(du -s --apparent-size -k "${place[$mode]}" | cut -f1)
    estimated=$(($(value "$mode" EstimatedSize)))
    expect "$mode: the size under Apps ($estimated KiB of $size)" \
        "$([ $((estimated * 10)) -ge $((size * 9)) ] && [ "$estimated" -le "$size" ] && echo right)" right
    quiet_uninstall "$mode"
    expect "$mode: files left behind by QuietUninstallString" "$(diff <(echo "$before") <(listing) || true)" ""
    expect "$mode: entry under Apps after uninstall" "$(value "$mode" DisplayName)" ""
done

# Side by side: each uninstaller removes its own installation, in either order.
for first in CurrentUser AllUsers; do
    other=$([ "$first" = AllUsers ] && echo CurrentUser || echo AllUsers)
    install "$setup" AllUsers
    install "$setup" CurrentUser
    quiet_uninstall "$first"
    expect "side by side: $first removed" "$([ -e "${place[$first]}" ] || [ -n "$(value "$first" DisplayName)" ] && echo left || echo removed)" removed
    expect "side by side: $other whole after $first's uninstall" "$(whole "$other")" whole
    interactive_uninstall "$other"
    expect "side by side: files left behind by $other's UninstallString" "$(diff <(echo "$before") <(listing) || true)" ""
done

# A running Kalvotron: installing over it and uninstalling it change nothing.
install "$setup" CurrentUser
start_kalvo "${place[CurrentUser]}/kalvo.exe"
snapshot() { contents "${place[CurrentUser]}"; value CurrentUser DisplayName; ls "${menu[CurrentUser]}"; }
was=$(snapshot)
status=0
wine "$setup" /S /CurrentUser || status=$?
expect "installing over a running Kalvotron fails" "$([ "$status" -ne 0 ] && echo failed)" failed
status=0
# In place (_?=), as an installer runs it, the uninstaller's exit code is its own.
wine "${place[CurrentUser]}/uninstall.exe" /S "_?=$(winepath -w "${place[CurrentUser]}")" || status=$?
expect "uninstalling a running Kalvotron fails" "$([ "$status" -ne 0 ] && echo failed)" failed
quiet_uninstall CurrentUser
expect "a running Kalvotron's installation unchanged" "$(snapshot)" "$was"
stop_wine
quiet_uninstall CurrentUser

# An upgrade: the older version's files go before the new ones come.
older=$work/kalvo-1.0.0-windows-x64
cp -r "$portable" "$older"
echo "of the older version only" >"$older/older.txt"
/usr/bin/python3 "$pack" installer "$older" 1.0.0 "$icon" "Copyright" "$work/kalvo-1.0.0-setup.exe" >/dev/null
install "$work/kalvo-1.0.0-setup.exe" CurrentUser
expect "the older version installed" "$(value CurrentUser DisplayVersion)" 1.0.0
install "$setup" CurrentUser
expect "upgraded: the older version's own file removed" "$([ -e "${place[CurrentUser]}/older.txt" ] && echo left || echo removed)" removed
expect "upgraded: the new version whole" "$(whole CurrentUser)" whole
expect "upgraded: the version under Apps" "$(value CurrentUser DisplayVersion)" "$(basename "$portable" | sed -E 's/^kalvo-(.*)-windows-x64$/\1/')"
quiet_uninstall CurrentUser
expect "upgraded: files left behind" "$(diff <(echo "$before") <(listing) || true)" ""
summary
