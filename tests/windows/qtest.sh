#!/usr/bin/env bash
# Runs a Qt Test suite under Wine and shows its report, which Wine would
# lose on the console: the suite writes it to a file.
# Usage: qtest.sh SUITE_EXE [TEST_FUNCTION...]
set -uo pipefail
. "$(dirname "$0")/session.sh"
suite=$1
shift
report=$(mktemp --suffix=.txt)
trap 'rm -f "$report"' EXIT
wine "$suite" "$@" -o "$(winepath -w "$report"),txt"
status=$?
cat "$report"
exit "$status"
