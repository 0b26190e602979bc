# shellcheck shell=bash
# What Kalvo's tools share, sourced by each: where the cache lies, the one
# way to become root, a step whose output is shown only where it fails, and
# the Debian archive that the host's apt uses.

# A failure inside $(...) stops the tool as it would outside.
shopt -s inherit_errexit

kalvo_cache="${KALVO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kalvo}"

# What a caller sets that a tool still needs once it runs as root, and the
# proxy, which apt in a root needs as well.
# TMPDIR is not one of them: it names a folder of the host, which a root
# lacks, and glibc drops it at every set-uid program, sudo included.
tool_variables=(SOURCE_DATE_EPOCH KALVO_CACHE KALVO_TESTED_WINDOWS KALVO_WINDOWS_BUILD KALVO_WINDOWS_TESTS KALVO_WEB_BUILD JOBS
    FAKETIME)
proxy_variables=(http_proxy https_proxy no_proxy)
kept_as_root="$(IFS=,; echo "${tool_variables[*]},${proxy_variables[*]}")"

# Through sudo, the caller's TMPDIR is set again on its command line.
as_root() { # command...
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        KALVO_CACHE="$kalvo_cache" sudo --preserve-env="$kept_as_root" ${TMPDIR:+TMPDIR="$TMPDIR"} "$@"
    fi
}

# The calling script, once more as root where it is not: "$0" "$@".
become_root() { # script, its arguments
    [ "$(id -u)" -ne 0 ] || return 0
    echo "kalvo: $(basename "$1") enters a Debian root, which takes root: through sudo" >&2
    as_root "$@"
    exit
}

# What root wrote into the caller's folders becomes the caller's (sudo names
# them), so that their own builds and `make clean` go on; no mount below a
# folder is followed into another's files, though a folder may be one.
give_back() { # folder...
    [ "$(id -u)" -eq 0 ] && [ -n "${SUDO_UID:-}" ] || return 0
    local folder point prune
    for folder in "$@"; do
        [ -e "$folder" ] || continue
        folder="$(realpath "$folder")"
        prune=()
        while read -r point; do
            point="$(printf '%b' "$point")"
            [[ "$point" != "$folder"/* ]] || prune+=(-path "$(glob_quoted "$point")" -prune -o)
        done < <(awk '{ print $5 }' /proc/self/mountinfo)
        find "$folder" "${prune[@]}" -user 0 -exec chown -h "$SUDO_UID:$SUDO_GID" {} +
    done
}

# A path as a pattern of find -path that matches it alone.
glob_quoted() { # path
    sed 's/[][*?\\]/\\&/g' <<<"$1"
}

# A command whose output goes to LOG and, where it fails, its end to the terminal.
logged() { # log, command...
    local log=$1
    shift
    if ! "$@" >"$log" 2>&1; then
        tail -n 40 "$log" >&2
        echo "kalvo: that failed; the whole log is $log" >&2
        return 1
    fi
}

# Entries for Debian's archive at the addresses the host's apt uses, for
# SUITE, SUITE-updates and SUITE-security, binary and source: the same
# suites whatever the host calls its own (bookworm, stable, oldstable).
debian_sources() { # suite
    local main security
    main="$(debian_address '$2 !~ /-security$/')"
    security="$(debian_address '$2 ~ /-security$/')"
    if [ -z "$main" ] || [ -z "$security" ]; then
        echo "kalvo: the host's apt has no entries for Debian's archive and its security archive" \
            "(apt-get indextargets; run apt-get update first): Debian's packages come from there" >&2
        return 1
    fi
    local type
    for type in deb deb-src; do
        echo "$type $main $1 main"
        echo "$type $main $1-updates main"
        echo "$type $security $1-security main"
    done
}

debian_address() { # awk condition on the target's address and suite
    apt-get indextargets --format '$(REPO_URI) $(SUITE) $(ORIGIN)' 'Identifier: Packages' 2>/dev/null |
        awk '$3 == "Debian" && '"$1"' { print $1; exit }'
}
