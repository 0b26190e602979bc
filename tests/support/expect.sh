# SPDX-License-Identifier: MIT
# The shell tests' checks: expect() counts each comparison, summary() ends
# the run with the count and fails it if any check failed.

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
summary() {
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}
