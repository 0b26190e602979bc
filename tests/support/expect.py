# SPDX-License-Identifier: MIT
"""The Python tests' checks, as expect.sh gives them to the shell tests:
expect() compares a value; summary() ends the run with the count and fails
it if any check failed."""
import sys

checks = {"passed": 0, "failed": 0}


def expect(what, actual, expected):
    if actual == expected:
        checks["passed"] += 1
    else:
        checks["failed"] += 1
        print(f"FAIL: {what}: {actual!r}, expected {expected!r}")


def summary():
    print(f"{checks['passed']} passed, {checks['failed']} failed")
    sys.exit(1 if checks["failed"] else 0)
