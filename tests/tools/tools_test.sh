#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The tools' shared shell, where it must hold under the worst case it meets:
# what root gives back in a folder that is a mount point, or whose name is
# a pattern; a failure inside $(...), which must stop a tool; and what a
# killed run left, which the next run removes.
# Usage: tests/tools/tools_test.sh REPO
set -euo pipefail
repo=$1
. "$repo/tests/support/expect.sh"
if [ "$(id -u)" -ne 0 ] || ! unshare --mount --propagation private true 2>/dev/null; then
    echo "tools_test: needs root and mount namespaces"
    exit 77
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

owner() { stat -c %u "$1"; }

# In a mount namespace of its own: a folder that is itself a mount point,
# and a folder named like a pattern, with a mount below it.
given_back() {
    unshare --mount --propagation private bash -c '
        set -euo pipefail
        . "$1/tools/lib.sh"
        mkdir -p "$2/mounted" "$2/a[1]*/below"
        mount --bind "$2/mounted" "$2/mounted"
        mount -t tmpfs none "$2/a[1]*/below"
        touch "$2/mounted/file" "$2/a[1]*/file" "$2/a[1]*/below/file"
        SUDO_UID=65534 SUDO_GID=65534 give_back "$2/mounted" "$2/a[1]*"
        stat -c "%n %u" "$2/mounted/file" "$2/a[1]*/file" "$2/a[1]*/below/file"
    ' given_back "$repo" "$work/folders"
}
owners="$(given_back)"
expect "a file in a folder that is a mount point" "$(grep -c '/mounted/file 65534$' <<<"$owners")" 1
expect "a file in a folder named like a pattern" "$(grep -c '\]\*/file 65534$' <<<"$owners")" 1
expect "a file in a mount below a folder" "$(grep -c '/below/file 0$' <<<"$owners")" 1

# Qt for Windows whose source cannot be fetched: the build never starts.
fake="$work/bin"
mkdir -p "$fake"
printf '#!/bin/sh\necho 6.4.2+dfsg-10\n' >"$fake/dpkg-query"
printf '#!/bin/sh\nexit 1\n' >"$fake/apt-get"
printf '#!/bin/sh\ntouch "%s/cmake ran"\nexit 1\n' "$work" >"$fake/cmake"
chmod 755 "$fake"/*
status=0
PATH="$fake:$PATH" KALVO_CACHE="$work/cache" "$repo/tools/windows-qt" >"$work/qt.log" 2>&1 || status=$?
expect "windows-qt fails where the source cannot be fetched" "$([ "$status" -ne 0 ] && echo failed)" failed
expect "windows-qt builds nothing without a source" "$([ -e "$work/cmake ran" ] && echo built)" ""
parts() { find "$work/cache" -maxdepth 2 -regextype posix-extended -regex '.*\.[[:alnum:]]{6}(\.log)?' | wc -l; }
expect "windows-qt leaves no part of a fetch behind" "$(parts)" 0
# What a killed build left goes when the next one takes the lock.
recipe="$(basename "$work"/cache/qt-*.lock .lock)"
recipe="${recipe#qt-}"
mkdir "$work/cache/qt-build-$recipe.killed" "$work/cache/qt-$recipe.killed" "$work/cache/src/6.4.2+dfsg-10.killed"
PATH="$fake:$PATH" KALVO_CACHE="$work/cache" "$repo/tools/windows-qt" >"$work/qt.log" 2>&1 || true
expect "windows-qt removes what a killed build left" "$(parts)" 0

# A root's folder that a killed run left goes when the next root is made;
# one that a live run holds stays.
roots() {
    unshare --mount --propagation private bash -c '
        set -euo pipefail
        . "$1/tools/debian-root.sh"
        mkdir -p /var/tmp/kalvo-root.killed /var/tmp/kalvo-root.in-use
        flock -n /var/tmp/kalvo-root.in-use sleep 5 &
        sleep 0.5
        root_folder made
        [ -d "$made" ] && echo made
        ls -d /var/tmp/kalvo-root.killed /var/tmp/kalvo-root.in-use 2>/dev/null || true
        umount "$made" && rm -rf "$made" /var/tmp/kalvo-root.in-use
    ' roots "$repo"
}
expect "a killed run's root folder goes, a live run's stays" "$(roots | tr '\n' ' ')" "made /var/tmp/kalvo-root.in-use "
summary
