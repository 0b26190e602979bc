# shellcheck shell=bash
# Sourced by the tools that work in a fresh Debian root of their own making
# (tools/in-root, tools/release, tools/test-debian13, tools/test-reproducible).
# Entering a root takes root: chroot and mounts.
#
#   root_private_mounts SCRIPT ARGS...
#                         runs the script again in a mount namespace of its
#                         own, unless it runs in one: every mount it makes
#                         dies with its last process, however it ends
#   root_make SUITE       a fresh root of SUITE (bookworm, trixie) in $root,
#                         brought up to what the Debian archive serves today
#   root_leave            unmounts and removes it: the caller's EXIT trap
#   root_bind FOLDER      the host's FOLDER, at the same path inside
#   root_lend_cache FOLDER
#                         the host's cached Qt for Windows, its source and
#                         its Debian 12 and 13 packages, in a cache of its own at
#                         FOLDER inside, for a root that makes roots in turn
#   root_run [NAME=VALUE...] COMMAND
#                         COMMAND by bash inside, as root, in a clean
#                         environment but for the values named and the
#                         caller's proxy
#
# Only a minimal base of each suite is cached, and the .deb files apt
# fetched, which apt checks against the archive's signed lists before it
# installs them: what a root holds besides comes from the archive each time.
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
root=""
root_mounts=()

root_private_mounts() { # script, its arguments
    [ -z "${KALVO_PRIVATE_MOUNTS:-}" ] || return 0
    KALVO_PRIVATE_MOUNTS=$$ exec unshare --mount --propagation private -- "$@"
}

root_leave() {
    local point
    for point in "${root_mounts[@]}"; do umount -R "$point" 2>/dev/null || umount -lR "$point" || true; done
    root_mounts=()
    [ -n "$root" ] || return 0
    # Never follow a mount that is still there into the host's own files.
    if grep -q " $root/" /proc/mounts; then
        echo "kalvo: kept $root, which something still has mounted; it goes with the last process" >&2
    else
        rm -rf --one-file-system "$root"
    fi
}

root_mount() { # host folder, folder inside
    mkdir -p "$root$2"
    mount --rbind "$1" "$root$2"
    root_mounts=("$root$2" "${root_mounts[@]}")
}

root_bind() { # folder
    root_mount "$1" "$1"
}

root_lend_cache() { # folder inside
    local shared
    for shared in "$kalvo_cache"/qt-*-mingw-* "$kalvo_cache/src" "$kalvo_cache/apt-bookworm" "$kalvo_cache/apt-trixie"; do
        if [ -d "$shared" ]; then root_mount "$shared" "$1/$(basename "$shared")"; fi
    done
}

# A folder in /var/tmp that runs programs and honours set-uid whatever
# /var/tmp is mounted with: a root is large, /tmp may be a tmpfs (Debian
# 13's is), and TMPDIR may be a FUSE folder, whose stand-ins for deleted
# open files break dpkg's scripts. It stays locked while the run that made
# it lives, its children included: one whose lock is free was left by a run
# that was killed, and the next run to make one removes it.
root_folder() { # variable to set to the folder
    local folder stale sweep held
    exec {sweep}>/var/tmp/kalvo-root.lock
    flock "$sweep"
    for stale in /var/tmp/kalvo-root.??????; do
        [ -d "$stale" ] && flock -n "$stale" true || continue
        grep -q " $stale[ /]" /proc/self/mountinfo || rm -rf --one-file-system "$stale"
    done
    folder="$(mktemp -d -p /var/tmp kalvo-root.XXXXXX)"
    exec {held}<"$folder"
    flock -n "$held"
    exec {sweep}>&-
    mount --bind "$folder" "$folder"
    mount -o remount,bind,exec,suid,dev "$folder"
    printf -v "$1" %s "$folder"
}

# The host's proxy, where it has one, for apt inside.
root_proxy() {
    apt-config dump --format '%f "%v";%n' Acquire::http::Proxy Acquire::https::Proxy 2>/dev/null | grep -v '""' || true
}

# Made under its lock, where a part that a killed run left goes first.
root_base() { # suite, sources, proxy, tarball
    rm -f "$4".??????
    [ ! -f "$4" ] || return 0
    echo "kalvo: making the base of a Debian $1 root (mmdebstrap, about 2 minutes)" >&2
    local scratch part
    root_folder scratch
    part="$(mktemp -p "$(dirname "$4")" "$(basename "$4").XXXXXX")"
    TMPDIR="$scratch" mmdebstrap --quiet --format=tar --variant=minbase --include=git,make,sudo,ca-certificates \
        ${3:+--aptopt="$3"} "$1" "$part" - <<<"$2"
    umount "$scratch" && rm -rf "$scratch"
    chmod 644 "$part"
    mv "$part" "$4"
}

root_make() { # suite
    local suite=$1 sources proxy point base="$kalvo_cache/debian-$1-base.tar"
    if [ "$(id -u)" -ne 0 ] || [ -z "${KALVO_PRIVATE_MOUNTS:-}" ]; then
        echo "kalvo: a Debian root is entered as root, in mounts of its own (root_private_mounts)" >&2
        return 1
    fi
    "$(dirname "${BASH_SOURCE[0]}")/install-deps" root
    sources="$(debian_sources "$suite")" || return 1
    proxy="$(root_proxy)"
    mkdir -p "$kalvo_cache/apt-$suite"
    # Two runs at once make the base once.
    (
        flock 9
        trap 'rm -f "$base".??????' EXIT
        root_base "$suite" "$sources" "$proxy" "$base"
    ) 9>"$base.lock"
    root_folder root
    root_mounts=("$root")
    tar -xf "$base" -C "$root"
    for point in /proc /sys /dev; do root_mount "$point" "$point"; done
    root_mount "$kalvo_cache/apt-$suite" /var/cache/apt/archives
    cp /etc/resolv.conf /etc/hosts "$root/etc/"
    printf '%s\n' "$sources" >"$root/etc/apt/sources.list"
    rm -f "$root"/etc/apt/sources.list.d/*
    [ -z "$proxy" ] || printf '%s\n' "$proxy" >"$root/etc/apt/apt.conf.d/01kalvo-proxy"
    # Roots share the cache of fetched .deb files, whose lock apt does not
    # wait for: each apt-get waits its turn.
    printf '#!/bin/sh\nexec flock -o /var/cache/apt/archives/.kalvo-lock /usr/bin/apt-get "$@"\n' \
        >"$root/usr/local/bin/apt-get"
    chmod 755 "$root/usr/local/bin/apt-get"
    # A root lives for one run: dpkg need not sync every file it unpacks.
    echo force-unsafe-io >"$root/etc/dpkg/dpkg.cfg.d/kalvo-unsafe-io"
    root_run 'apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get dist-upgrade -y -qq >/dev/null'
}

root_run() { # [NAME=VALUE...] command
    local values=("${@:1:$#-1}") name
    for name in "${proxy_variables[@]}"; do
        [ -z "${!name:-}" ] || values=("$name=${!name}" "${values[@]}")
    done
    /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        "${values[@]}" /usr/sbin/chroot "$root" /bin/bash -c "${*: -1}"
}
