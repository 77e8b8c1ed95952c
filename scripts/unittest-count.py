#!/usr/bin/env python3
"""Prints "passed failed" for the output of a Python unittest run.

A run that crashed before reporting, or exited non-zero without naming its
failures, counts as one failure so that it cannot pass unnoticed."""
import re
import sys


def main() -> None:
    text = open(sys.argv[1], encoding="utf-8", errors="replace").read()
    status = int(sys.argv[2])
    ran = re.search(r"^Ran (\d+) tests?", text, re.MULTILINE)
    if ran is None:
        print(0, 1)
        return
    total = int(ran.group(1))
    bad = 0
    summary = re.search(r"^FAILED \(([^)]*)\)", text, re.MULTILINE)
    if summary is not None:
        for key, count in re.findall(r"(failures|errors|unexpected successes)=(\d+)", summary.group(1)):
            bad += int(count)
    if status != 0 and bad == 0:
        bad = 1
    print(max(total - bad, 0), bad)


if __name__ == "__main__":
    main()
