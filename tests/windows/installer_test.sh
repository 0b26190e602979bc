#!/usr/bin/env bash
# The installer under Wine, as Windows users and packagers meet it:
# - silently for all users and for the current user, alone and side by side;
#   each installation is removed by the commands its entry under "Apps"
#   holds, as written (QuietUninstallString, and UninstallString answered
#   with Enter), and leaves the other one whole; at the end no file is left;
# - the Start-menu entry starts the program in its folder, "Apps" shows its size;
# - /D= chooses the folder, and a second folder replaces the first;
# - a folder of another program is refused, and its uninstaller never run;
# - over a running Kalvotron, installing and uninstalling change nothing;
# - a file that cannot be removed keeps the entry, and the next
#   installation removes what is left or refuses, keeping the entry; an
#   installation that fails halfway leaves one that can be removed, and one
#   whose uninstaller cannot be written leaves no entry;
# - with nothing registered, no program at the drive's root is taken for ours;
# - over an older version, whose files go first, and over release 1.3.0,
#   built with that release's own installer script.
# Usage: installer_test.sh SETUP_EXE PORTABLE_FOLDER PACK_PY ICON REPOSITORY
set -euo pipefail
setup=$1
portable=$2
pack=$3
icon=$4
repository=$5
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
whole() { # mode [folder]
    local mode=$1 folder=${2:-${place[$1]}} files
    files=$( (cd "$folder" 2>/dev/null && find . -type f ! -name uninstall.exe -print0 | sort -z | xargs -0 md5sum) || true)
    [ "$files" = "$(contents "$portable")" ] && [ -f "$folder/uninstall.exe" ] &&
        [ -f "${menu[$mode]}/Kalvotron.lnk" ] &&
        [ "$(value "$mode" InstallLocation)" = "$(winepath -w "$folder")" ] && echo whole || echo broken
}
install() { wine "$1" /S "/$2" "${@:3}"; wineserver -w; }
# The exit code of a command.
status() { "$@" && echo 0 || echo $?; }
nothing_left() { diff <(echo "$before") <(listing) || true; }
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
    expect "$mode: files left behind by QuietUninstallString" "$(nothing_left)" ""
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
    expect "side by side: files left behind by $other's UninstallString" "$(nothing_left)" ""
done

# /D= chooses the folder; installing into a second folder removes the first.
for folder in Kalvo3 Kalvo2; do
    install "$setup" CurrentUser "/D=C:\\$folder"
    expect "/D=C:\\$folder: installed whole there" "$(whole CurrentUser "$drive/$folder")" whole
done
expect "the first folder removed by the second installation" "$([ -e "$drive/Kalvo3" ] && echo left || echo removed)" removed
quiet_uninstall CurrentUser
expect "a second folder: files left behind" "$(nothing_left)" ""

# A folder of another program, with an uninstall.exe of its own: refused,
# and its uninstaller not run (it would leave ran.txt).
mkdir -p "$drive/Tools"
cat >"$work/foreign.nsi" <<'NSI'
SilentInstall silent
Section
    FileOpen $0 "$EXEDIR\ran.txt" w
    FileClose $0
SectionEnd
NSI
makensis -V1 "-XOutFile $work/foreign-uninstall.exe" "$work/foreign.nsi" >/dev/null
cp "$work/foreign-uninstall.exe" "$drive/Tools/uninstall.exe"
echo "another program's" >"$drive/Tools/tool.txt"
tools=$(contents "$drive/Tools")
expect "a folder of another program: exit code" "$(status wine "$setup" /S /CurrentUser "/D=C:\\Tools")" 5
wineserver -w
expect "a folder of another program: left as it was" "$(contents "$drive/Tools")" "$tools"
expect "a folder of another program: no entry under Apps" "$(value CurrentUser DisplayName)" ""
rm -rf "$drive/Tools"

# Nothing registered: a kalvo.exe and an uninstall.exe of another program at
# the root of the drive that Setup is started from are not ours.
cp "$work/foreign-uninstall.exe" "$drive/uninstall.exe"
cp "$portable/kalvo.exe" "$drive/kalvo.exe"
at_root() { (cd "$drive" && md5sum kalvo.exe uninstall.exe && { ls ran.txt 2>/dev/null || true; }); }
was=$(at_root)
expect "nothing registered: installing from C:\\: exit code" \
    "$(cd "$drive" && status wine "$setup" /S /CurrentUser "/D=C:\\Kalvo4")" 0
wineserver -w
expect "nothing registered: the programs at C:\\ untouched, not run" "$(at_root)" "$was"
rm "$drive/uninstall.exe" "$drive/kalvo.exe"
quiet_uninstall CurrentUser
expect "nothing registered: files left behind" "$(nothing_left)" ""

# An uninstaller that cannot be written (its folder's name is longer than
# the file system allows): no entry for what nobody could remove.
unwritable="C:\\$(printf 'K%.0s' $(seq 300))"
expect "no uninstaller written: exit code" "$(status wine "$setup" /S /CurrentUser "/D=$unwritable")" 6
wineserver -w
expect "no uninstaller written: no entry under Apps" "$(value CurrentUser DisplayName)" ""
expect "no uninstaller written: files left behind" "$(nothing_left)" ""

# A running Kalvotron: installing over it and uninstalling it change nothing.
install "$setup" CurrentUser
start_kalvo "${place[CurrentUser]}/kalvo.exe"
snapshot() { contents "${place[CurrentUser]}"; value CurrentUser DisplayName; ls "${menu[CurrentUser]}"; }
was=$(snapshot)
expect "installing over a running Kalvotron: exit code" "$(status wine "$setup" /S /CurrentUser)" 2
# In place (_?=), as an installer runs it, the uninstaller's exit code is its own.
expect "uninstalling a running Kalvotron: exit code" \
    "$(status wine "${place[CurrentUser]}/uninstall.exe" /S "_?=$(winepath -w "${place[CurrentUser]}")")" 2
quiet_uninstall CurrentUser
expect "a running Kalvotron's installation unchanged" "$(snapshot)" "$was"
stop_wine

# A file that cannot be removed (a library that another program, not
# Kalvotron, has loaded): the entry, the shortcut and the uninstaller stay.
cp "${place[CurrentUser]}/kalvo.exe" "${place[CurrentUser]}/other.exe"
start_kalvo "${place[CurrentUser]}/other.exe"
expect "a file that cannot be removed: exit code" \
    "$(status wine "${place[CurrentUser]}/uninstall.exe" /S "_?=$(winepath -w "${place[CurrentUser]}")")" 6
expect "a file that cannot be removed: still listed" \
    "$(value CurrentUser DisplayName) $([ -f "${menu[CurrentUser]}/Kalvotron.lnk" ] && [ -f "${place[CurrentUser]}/uninstall.exe" ] && echo kept)" \
    "Kalvotron kept"
# The next installation, into another folder, runs the listed uninstaller:
# while the file is held, it refuses and the entry still names what is left;
# then it removes the rest.
expect "a half-removed installation: installing elsewhere: exit code" \
    "$(status wine "$setup" /S /CurrentUser "/D=C:\\Kalvo2")" 4
expect "a half-removed installation: still listed where it is" \
    "$(value CurrentUser InstallLocation)" "$(winepath -w "${place[CurrentUser]}")"
stop_wine
rm "${place[CurrentUser]}/other.exe"
install "$setup" CurrentUser "/D=C:\\Kalvo2"
expect "a half-removed installation: removed by the next one" \
    "$([ -e "${place[CurrentUser]}" ] && echo left || echo removed) $(whole CurrentUser "$drive/Kalvo2")" "removed whole"
quiet_uninstall CurrentUser
expect "a half-removed installation: files left behind" "$(nothing_left)" ""

# Versions packed from the portable folder with one file more.
version=$(basename "$portable" | sed -E 's/^kalvo-(.*)-windows-x64$/\1/')
pack_with_file() { # pack.py, version, extra file
    local folder=$work/kalvo-$2-windows-x64
    rm -rf "$folder"
    cp -r "$portable" "$folder"
    echo "of version $2 only" >"$folder/$3"
    SOURCE_DATE_EPOCH=0 /usr/bin/python3 "$1" installer "$folder" "$2" "$icon" "Copyright" "$work/kalvo-$2-setup.exe" >/dev/null
}

# An installation that fails halfway (a file it cannot write: a folder of
# that name) still leaves one that "Apps" lists and that can be removed.
install "$setup" CurrentUser
mkdir -p "${place[CurrentUser]}/blocked.txt/inside"
pack_with_file "$pack" 9.9.9 blocked.txt
expect "an installation that fails halfway: exit code" "$(status wine "$work/kalvo-9.9.9-setup.exe" /S /CurrentUser)" 6
wineserver -w
expect "an installation that fails halfway: listed" "$(value CurrentUser DisplayVersion)" 9.9.9
quiet_uninstall CurrentUser
rm -rf "${place[CurrentUser]}/blocked.txt"
rmdir "${place[CurrentUser]}"
expect "an installation that fails halfway: removed by its uninstaller" "$(nothing_left)" ""

# An upgrade: the older version's files go before the new ones come; from
# an installer of this script's, and from release 1.3.0's own.
older_installers=("$pack 1.0.0")
if git -C "$repository" cat-file -e ddad815:packaging/windows/installer.nsi 2>/dev/null; then
    mkdir -p "$work/release-1.3.0"
    for file in installer.nsi pack.py; do
        git -C "$repository" show "ddad815:packaging/windows/$file" >"$work/release-1.3.0/$file"
    done
    older_installers+=("$work/release-1.3.0/pack.py 1.3.0")
else
    echo "skipped: the upgrade from release 1.3.0, whose installer script is in git's history only"
fi
for older in "${older_installers[@]}"; do
    read -r older_pack older_version <<<"$older"
    pack_with_file "$older_pack" "$older_version" older.txt
    install "$work/kalvo-$older_version-setup.exe" CurrentUser
    expect "$older_version installed" "$(value CurrentUser DisplayVersion)" "$older_version"
    install "$setup" CurrentUser
    expect "upgraded from $older_version: its own file removed" \
        "$([ -e "${place[CurrentUser]}/older.txt" ] && echo left || echo removed)" removed
    expect "upgraded from $older_version: the new version whole" "$(whole CurrentUser)" whole
    expect "upgraded from $older_version: the version under Apps" "$(value CurrentUser DisplayVersion)" "$version"
    quiet_uninstall CurrentUser
    expect "upgraded from $older_version: files left behind" "$(nothing_left)" ""
done
summary
