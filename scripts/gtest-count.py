#!/usr/bin/env python3
"""Prints "passed failed" for one test executable's run, from its GoogleTest XML
report and its exit status. A run that crashed or wrote no report counts as a
failure even when every recorded test passed."""
import sys
import xml.etree.ElementTree as ET

report, status = sys.argv[1], int(sys.argv[2])
passed = failed = 0
try:
    for case in ET.parse(report).getroot().iter("testcase"):
        if case.get("status") == "notrun" or case.get("result") == "skipped":
            continue
        if case.find("failure") is not None or case.find("error") is not None:
            failed += 1
        else:
            passed += 1
except (OSError, ET.ParseError):
    failed += 1
else:
    if status != 0 and failed == 0:
        failed += 1
print(passed, failed)
