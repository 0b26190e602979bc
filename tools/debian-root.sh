# shellcheck shell=bash
# Sourced by the tools that work in a fresh Debian root of their own making:
# tools/release, tools/windows on a host other than Debian 12, and
# tools/test-debian13. Entering a root needs root: chroot and mounts.
#
#   root_make SUITE       a fresh root of SUITE (bookworm, trixie) in $root,
#                         brought up to what the host's Debian mirror serves
#                         today; unmounted and removed when the shell exits
#   root_bind FOLDER      the host's FOLDER, at the same path inside
#   root_lend_cache FOLDER
#                         the host's cached Qt and Debian 12 packages, in a
#                         cache of its own at FOLDER inside
#   root_run [NAME=VALUE...] COMMAND
#                         COMMAND by bash inside, as root, in a clean
#                         environment but for the values named
#
# Only a minimal base of each suite is cached (KALVO_CACHE), and the .deb
# files apt fetched, which apt checks against the mirror's signed lists
# before it installs them: what a root holds besides comes from the mirror
# each time.

root_cache="${KALVO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kalvo}"
root=""
root_mounts=()

# The host's own entries for Debian's archive, with SUITE in place of the
# host's release: bookworm-security on a trixie host becomes SUITE-security.
root_sources() { # suite
    local host
    host="$(. /etc/os-release && [ "${ID:-}" = debian ] && echo "${VERSION_CODENAME:-}")"
    if [ -z "$host" ]; then
        echo "kalvo: a Debian root is made from the host's Debian mirror, and this host has no Debian entries in apt" >&2
        return 1
    fi
    apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(COMPONENT)' 'Identifier: Packages' |
        awk -v host="$host" -v suite="$1" '$2 ~ "^" host "($|-)" && $3 == "main" {
            sub("^" host, suite, $2); print "deb " $1 " " $2 " main"; print "deb-src " $1 " " $2 " main" }' |
        sort -u
}

root_leave() {
    local point
    for point in "${root_mounts[@]}"; do umount -R "$point" 2>/dev/null || umount -lR "$point" || true; done
    # Never follow a mount that is still there into the host's own files.
    if [ -n "$root" ] && ! grep -q " $root/" /proc/mounts; then rm -rf --one-file-system "$root"; fi
}

root_mount() { # host folder, folder inside
    mkdir -p "$root$2"
    mount --rbind "$1" "$root$2"
    mount --make-rslave "$root$2"
    root_mounts=("$root$2" "${root_mounts[@]}")
}

root_bind() { # folder
    root_mount "$1" "$1"
}

# A cache of its own for a root that makes roots in turn: it has the host's
# Qt for Windows, Qt's source and the .deb files fetched for Debian 12, but
# makes its own bases.
root_lend_cache() { # folder inside
    local shared
    for shared in "$root_cache"/qt-*-mingw-* "$root_cache/src" "$root_cache/apt-bookworm"; do
        [ -d "$shared" ] && root_mount "$shared" "$1/$(basename "$shared")"
    done
}

root_make() { # suite
    local suite=$1 sources point base="$root_cache/debian-$1-base.tar"
    if [ "$(id -u)" -ne 0 ]; then
        echo "kalvo: a Debian root is entered with chroot, as root" >&2
        return 1
    fi
    "$(dirname "${BASH_SOURCE[0]}")/install-deps" mmdebstrap debian-archive-keyring
    sources="$(root_sources "$suite")" || return 1
    if [ ! -f "$base" ]; then
        echo "kalvo: making the base of a Debian $suite root (mmdebstrap, about 2 minutes)" >&2
        mkdir -p "$root_cache"
        mmdebstrap --quiet --format=tar --variant=minbase --include=git,make,sudo,ca-certificates \
            "$suite" "$base.part" - <<<"$sources"
        mv "$base.part" "$base"
    fi
    # In /var/tmp: a root is large, and /tmp may be a tmpfs (Debian 13's
    # is); and not in TMPDIR, which may be a FUSE folder, whose stand-ins
    # for deleted open files break dpkg's scripts.
    root="$(mktemp -d -p /var/tmp kalvo-root.XXXXXX)"
    trap root_leave EXIT
    # Its own mount point, so that a root made inside it (mmdebstrap) can
    # mount there in turn.
    root_mount "$root" /
    tar -xf "$base" -C "$root"
    for point in /proc /sys /dev; do root_mount "$point" "$point"; done
    mkdir -p "$root_cache/apt-$suite"
    root_mount "$root_cache/apt-$suite" /var/cache/apt/archives
    cp /etc/resolv.conf /etc/hosts "$root/etc/"
    printf '%s\n' "$sources" >"$root/etc/apt/sources.list"
    # Roots share the cache of fetched .deb files, whose lock apt does not
    # wait for: each apt-get waits its turn.
    printf '#!/bin/sh\nexec flock -o /var/cache/apt/archives/.kalvo-lock /usr/bin/apt-get "$@"\n' \
        >"$root/usr/local/bin/apt-get"
    chmod 755 "$root/usr/local/bin/apt-get"
    # A root lives for one run: dpkg need not sync every file it unpacks.
    echo force-unsafe-io >"$root/etc/dpkg/dpkg.cfg.d/kalvo-unsafe-io"
    rm -f "$root"/etc/apt/sources.list.d/*
    root_run 'apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get dist-upgrade -y -qq >/dev/null'
}

root_run() { # [NAME=VALUE...] command
    local values=("${@:1:$#-1}")
    /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        "${values[@]}" /usr/sbin/chroot "$root" /bin/bash -c "${*: -1}"
}
