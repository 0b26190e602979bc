# SPDX-License-Identifier: MIT
# shellcheck shell=bash
# The shell tests' checks: expect() compares a value, check() runs a command
# (showing its output only when it fails); summary() ends the run with the
# count and fails it if any check failed.

passed=0
failed=0
expect() { # what, actual, expected
    if [ "$2" = "$3" ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL: $1: '$2', expected '$3'"
    fi
}
check() { # what, then the command
    local what=$1 log
    shift
    log=$(mktemp)
    if "$@" >"$log" 2>&1; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL: $what"
        cat "$log"
    fi
    rm -f "$log"
}
summary() {
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}
