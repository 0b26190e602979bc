#!/usr/bin/env bash
# Validates the desktop files, builds the Debian package, checks what it
# holds, unpacks it into a throwaway root and starts the packaged binary.
# Usage: package_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

passed=0
failed=0
check() { # what, then the command
    local what=$1
    shift
    if "$@" >"$work/log" 2>&1; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL: $what"
        cat "$work/log"
    fi
}

check "desktop entry is valid" desktop-file-validate "$source/packaging/org.kalvotron.Kalvo.desktop"
check "metainfo is valid" appstreamcli validate --no-net "$build/packaging/org.kalvotron.Kalvo.metainfo.xml"
check "cpack builds the package" cpack -G DEB -B "$work/package" --config "$build/CPackConfig.cmake"
deb=$(find "$work/package" -maxdepth 1 -name 'kalvo_*.deb' | head -n 1)
if [ -z "$deb" ]; then
    echo "FAIL: no package"
    echo "$passed passed, $((failed + 1)) failed"
    exit 1
fi

dpkg-deb -c "$deb" | awk '{print $6}' >"$work/files"
for file in ./usr/bin/kalvo ./usr/share/applications/org.kalvotron.Kalvo.desktop \
    ./usr/share/icons/hicolor/32x32/apps/org.kalvotron.Kalvo.png \
    ./usr/share/icons/hicolor/scalable/apps/org.kalvotron.Kalvo.svg \
    ./usr/share/metainfo/org.kalvotron.Kalvo.metainfo.xml ./usr/share/doc/kalvo/copyright \
    ./usr/share/doc/kalvo/changelog.gz ./usr/share/man/man1/kalvo.1.gz; do
    check "package holds $file" grep -qx "$file" "$work/files"
done
check "package depends on Qt 6 Widgets, its German texts and fonts" \
    bash -c "dpkg-deb -f '$deb' Depends | grep -q libqt6widgets6 && dpkg-deb -f '$deb' Depends | grep -q fonts-liberation &&
             dpkg-deb -f '$deb' Depends | grep -q qt6-translations-l10n"
# Debian's conventions, but for what follows from the project having no
# address: a maintainer without one, and a changelog in the project's own
# form (a Debian changelog must give an address in every entry).
check "lintian finds nothing else" bash -c "lintian '$deb' 2>/dev/null | grep -E '^[EW]: ' |
    grep -v -E '^E: kalvo: malformed-contact Maintainer |^W: kalvo: syntax-error-in-debian-changelog ' | (! grep .)"

dpkg -x "$deb" "$work/root"
check "packaged binary shows the window" \
    "$source/tests/ui/screenshot_test.sh" "$work/root/usr/bin/kalvo" "$build/screenshots/packaged.png"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
