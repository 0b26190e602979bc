# SPDX-License-Identifier: MIT
# What the Windows tests share: Kalvo under Wine in the run's X display
# (tools/windows starts Xvfb and the Wine prefix), typed into with xdotool,
# at the display scale KALVO_WINE_DPI (96 dpi, 100 %, unless set).

. "$(dirname "${BASH_SOURCE[0]}")/../support/expect.sh"
screenshot_check="$(dirname "${BASH_SOURCE[0]}")/../ui/screenshot_check.py"
# The client area's height at 100 %, below the menu bar.
client_height=$(/usr/bin/python3 "$screenshot_check" --client-height)

# Starts a kalvo.exe with nothing on Wine's search path but its own folder,
# and waits for its window: sets window and menu (the menu bar's height, at
# 100 %).
start_kalvo() { # the program's path
    env -u WINEPATH wine "$1" >/dev/null 2>&1 &
    if ! window=$(find_window '^Kalvotron$'); then
        echo "FAIL: $1 shows no window"
        return 1
    fi
    sleep 1
    menu=$(($(xwininfo -id "$window" | awk '/^ *Height:/ {print $2}') - client_height))
}

# The newest window whose name matches, within 30 s.
find_window() { # name pattern
    local found
    for _ in $(seq 300); do
        found=$(xdotool search --name "$1" 2>/dev/null | tail -n 1 || true)
        if [ -n "$found" ]; then
            echo "$found"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

stop_wine() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
}

# Each test sets the scale it runs at: one that was stopped halfway may have
# left the prefix at another. Read from the registry's file, so that no Wine
# program runs (and rewrites Wine's own entries) where the scale is right.
dpi_of_prefix() {
    local hex
    hex=$(awk '/^\[/ { desktop = ($0 ~ /^\[Control Panel\\\\Desktop\]/) }
        desktop && /^"LogPixels"=dword:/ { sub(/.*dword:/, ""); print }' "$WINEPREFIX/user.reg")
    echo $((16#${hex:-60}))
}
if [ "$(dpi_of_prefix)" -ne "${KALVO_WINE_DPI:-96}" ]; then
    stop_wine
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "${KALVO_WINE_DPI:-96}" /f >/dev/null 2>&1
    wineserver -w
fi

# A click at a point of the client area below the menu bar, and typing.
# (Without a window manager xdotool finds no focused window, says so, and
# types where the pointer is: into the field just clicked.)
click() { xdotool mousemove --window "$window" "$1" "$(($2 + menu))" click 1; sleep 0.3; }
keys() { xdotool key "$@" 2>/dev/null; }
enter() { keys ctrl+a; xdotool type --delay 30 "$1" 2>/dev/null; keys Return; sleep 0.3; }
