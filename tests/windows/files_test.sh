#!/usr/bin/env bash
# What a Windows packager reads in the artefacts, without running them: the
# program's manifest and both programs' copyright lines, read back out of the
# PE files (wrestool); no link time in our own PE headers; a licence text for
# every program, library and text shipped; the zip holding the folder.
# Usage: files_test.sh PORTABLE_FOLDER SETUP_EXE
set -euo pipefail
portable=$(realpath "$1")
setup=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../support/expect.sh"

resource() { wrestool -x --raw -t "$1" "$2"; }
manifest=$(resource 24 "$portable/kalvo.exe")
for setting in 'level="asInvoker"' 'supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"' '>PerMonitorV2<' \
    '<longPathAware xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">true<' '>UTF-8</activeCodePage>'; do
    expect "kalvo.exe's manifest has $setting" "$(grep -cF "$setting" <<<"$manifest")" 1
done
expect "the installer is DPI-aware" "$(resource 24 "$setup" | grep -cF '<dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">true<')" 1
copyright=$(grep -m1 '^Copyright ' "$here/../../LICENSE")
for program in "$portable/kalvo.exe" "$setup"; do
    expect "$(basename "$program")'s LegalCopyright" \
        "$(resource 16 "$program" | strings -el | grep -A1 -x LegalCopyright | tail -n 1)" "$copyright"
done

cd "$portable"
# The COFF header's TimeDateStamp: 8 bytes after the PE signature, whose
# offset is at 0x3c.
link_time() { od -An -tu4 -j $(($(od -An -tu4 -j 60 -N4 "$1") + 8)) -N4 "$1" | tr -d ' '; }
for binary in kalvo.exe Qt6*.dll platforms/*.dll styles/*.dll; do
    expect "$binary's PE time stamp" "$(link_time "$binary")" 0
done

# licenses/index.txt: each shipped file with the texts that go with it.
while IFS= read -r file; do
    texts=$(tr -d '\r' <licenses/index.txt | awk -v file="$file" '$1 == file {print $2}')
    expect "$file has a licence" "$([ -n "$texts" ] && echo yes)" yes
    for text in $texts; do
        expect "$file's licence $text is in the folder" "$([ -s "licenses/$text" ] && echo yes)" yes
    done
done < <(find . -type f \( -name '*.exe' -o -name '*.dll' -o -name '*.qm' \) -printf '%P\n' | sort)

# What LICENSE.txt promises, pair by pair, is what index.txt says.
promised=(
    "kalvo.exe kalvo/LICENSE" "kalvo.exe mingw-w64/copyright" "qt.conf kalvo/LICENSE"
    "libgcc_s_seh-1.dll gcc-runtime/GPL-3.0-or-later.txt" "libgcc_s_seh-1.dll gcc-runtime/copyright"
    "libstdc++-6.dll gcc-runtime/GPL-3.0-or-later.txt" "libstdc++-6.dll gcc-runtime/copyright"
    "libwinpthread-1.dll mingw-w64/copyright" "uninstall.exe nsis/copyright"
)
for qt in Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll platforms/qwindows.dll styles/qwindowsvistastyle.dll; do
    promised+=("$qt qt6-base/LGPL-3.0-only.txt" "$qt qt6-base/GPL-3.0-only.txt" "$qt qt6-base/copyright"
        "$qt mingw-w64/copyright")
done
index=$(tr -d '\r' <licenses/index.txt | awk 'NF == 2 { print $1, $2 }')
for pair in "${promised[@]}"; do
    expect "index.txt: $pair" "$(grep -cxF "$pair" <<<"$index")" 1
done
licence=$(tr -d '\r' <LICENSE.txt)
expect "LICENSE.txt has no placeholder left" "$(grep -oE '@[A-Z_]+@' <<<"$licence" || true)" ""
for text in $(grep -oE 'licenses\\[A-Za-z0-9_.\\+-]*[A-Za-z0-9]' <<<"$licence" | sed 's|^licenses\\||; s|\\|/|g' | sort -u); do
    expect "LICENSE.txt's licenses\\$text is in the folder" "$([ -e "licenses/$text" ] && echo yes)" yes
done

zip=$portable.zip
expect "the zip holds the folder" "$(unzip -Z1 "$zip" | sed "s|^$(basename "$portable")/||" | sort)" \
    "$(find . -type f -printf '%P\n' | sort)"
summary
