#!/usr/bin/env bash
# Every Windows test of a build (tools/windows), under Wine in a prefix of
# the build's own and in a real X display (Xvfb); ctest's arguments, such
# as -R installer, choose fewer.
# Usage: tests/windows/run.sh BUILD_FOLDER [CTEST_ARGUMENT...]
set -euo pipefail
build=$(realpath "$1")
windows_path() { echo "Z:${1//\//\\}"; }

export WINEPREFIX="$build/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# The test suites find Qt's DLLs and the compiler's runtime where they are.
WINEPATH="$(windows_path "$build/qt/bin")"
for dll in libstdc++-6.dll libwinpthread-1.dll; do
    WINEPATH+=";$(windows_path "$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=$dll)")")"
done
export WINEPATH
# Wine fills in its display settings when the first window of a new prefix
# opens: notepad opens one, so that Kalvo's session later finds them there.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1
    xvfb-run -a bash -c 'wine notepad >/dev/null 2>&1 & sleep 3; wineserver -k' || true
    wineserver -w
fi
# Wine looks for its own fonts (fonts-wine: MS Sans Serif, Tahoma) in the
# prefix's Fonts folder, where Windows keeps them, not where Debian puts them.
cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir "$build" --output-on-failure "${@:2}"
