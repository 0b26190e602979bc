#!/usr/bin/env bash
# Validates the desktop files, builds the Debian package (or takes the one
# given, as a release does), checks what it holds, unpacks it into a
# throwaway root and starts the packaged binary.
# Usage: package_test.sh BUILD_DIR SOURCE_DIR APP_ID [DEB]
set -euo pipefail
build=$1
source=$2
id=$3
deb=${4:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

. "$source/tests/support/expect.sh"

check "desktop entry is valid" desktop-file-validate "$build/packaging/$id.desktop"
# Valid, but for what follows from the project having no web page:
# AppStream 1.0 asks for a home page.
metainfo_finds_nothing_else() {
    appstreamcli validate --no-net "$build/packaging/$id.metainfo.xml" >"$work/appstream" 2>&1 && return 0
    cat "$work/appstream"
    grep -q -E '^W: ' "$work/appstream" && ! grep -E '^[EW]: ' "$work/appstream" | grep -v -E '^W: [^ ]+ url-homepage-missing$'
}
check "metainfo is valid" metainfo_finds_nothing_else
if [ -z "$deb" ]; then
    check "cpack builds the package" cpack -G DEB -B "$work/package" --config "$build/CPackConfig.cmake"
    deb=$(find "$work/package" -maxdepth 1 -name 'kalvo_*.deb' | head -n 1)
fi
if [ -z "$deb" ]; then
    echo "FAIL: no package"
    failed=$((failed + 1))
    summary || exit 1
fi

dpkg-deb -c "$deb" | awk '{print $6}' >"$work/files"
for file in ./usr/bin/kalvo ./usr/share/applications/$id.desktop \
    ./usr/share/icons/hicolor/32x32/apps/$id.png \
    ./usr/share/icons/hicolor/scalable/apps/$id.svg \
    ./usr/share/metainfo/$id.metainfo.xml ./usr/share/doc/kalvo/copyright \
    ./usr/share/doc/kalvo/changelog.gz ./usr/share/man/man1/kalvo.1.gz; do
    check "package holds $file" grep -qx "$file" "$work/files"
done
check "package depends on Qt 6 Widgets and fonts" \
    bash -c "dpkg-deb -f '$deb' Depends | grep -q libqt6widgets6 && dpkg-deb -f '$deb' Depends | grep -q fonts-liberation"

# Debian's conventions, but for what follows from the project having no
# address: a maintainer without one, and a changelog in the project's own
# form (a Debian changelog must give an address in every entry). Lintian
# must run: a missing or failing lintian fails the check.
# Lintian repeats AppStream's finding as a failed validation.
lintian_finds_nothing_else() {
    local accepted='^E: kalvo: malformed-contact Maintainer |^W: kalvo: syntax-error-in-debian-changelog '
    grep -q -E '^W: [^ ]+ url-homepage-missing$' "$work/appstream" &&
        accepted+='|^W: kalvo: appstream-metadata-validation-failed '
    lintian --fail-on none "$deb" >"$work/lintian" 2>&1 || return 1
    ! grep -E '^[EW]: ' "$work/lintian" | grep -v -E "$accepted"
}
check "lintian runs and finds nothing else" lintian_finds_nothing_else

dpkg -x "$deb" "$work/root"
check "packaged binary shows the window" \
    "$source/tests/ui/screenshot_test.sh" "$work/root/usr/bin/kalvo" "$build/screenshots/packaged.png"

summary
