#!/usr/bin/env python3
"""Runs one libFuzzer target over its kept corpus, then folds what it found
into the committed minimised seeds with -merge=1, and prints one summary line:
runs, coverage, CPU seconds, findings and the seconds since coverage last grew
(edges or features, and edges alone).

  run-target.py FUZZER SECONDS WORK_CORPUS SEEDS_DIR COMMITTED_CORPUS FINDINGS LOG

libFuzzer's own log (with the elapsed seconds in front of every line) goes to
LOG, so a long run can be watched with tail -f."""
import os
import re
import resource
import shutil
import subprocess
import sys
import tempfile
import time

fuzzer, seconds, work, seeds, committed, findings, log_path = sys.argv[1:8]
for folder in (work, seeds, committed, findings):
    os.makedirs(folder, exist_ok=True)

started = time.monotonic()
last_growth = started
last_edge = started
coverage = features = 0
runs = 0
cov_pattern = re.compile(r"^#(\d+)\s+(INITED|NEW|REDUCE|pulse|DONE)\b.*?cov: (\d+) ft: (\d+)")
with open(log_path, "w") as log:
    process = subprocess.Popen(
        # Wall-clock slowness says nothing on a shared machine (a starved
        # process took 12 s for a 1 ms input): only real timeouts count.
        [fuzzer, f"-max_total_time={seconds}", "-print_final_stats=1", "-report_slow_units=100000",
         f"-artifact_prefix={findings}/", work, seeds, committed],
        stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True, errors="replace")
    for line in process.stderr:
        now = time.monotonic()
        log.write(f"[{now - started:8.1f}] {line}")
        log.flush()
        match = cov_pattern.match(line)
        if match:
            runs = int(match.group(1))
            new_coverage, new_features = int(match.group(3)), int(match.group(4))
            # Growth of edges or of features both count as new coverage.
            if match.group(2) != "INITED" and (new_coverage > coverage or new_features > features):
                last_growth = now
            # Edges alone: features also count loop trip buckets, which long
            # inputs keep adding to long after the code reached stops growing.
            if match.group(2) != "INITED" and new_coverage > coverage:
                last_edge = now
            coverage, features = max(coverage, new_coverage), max(features, new_features)
        stat = re.match(r"^stat::number_of_executed_units:\s*(\d+)", line)
        if stat:
            runs = int(stat.group(1))
    status = process.wait()
ended = time.monotonic()
cpu = resource.getrusage(resource.RUSAGE_CHILDREN)
cpu_seconds = cpu.ru_utime + cpu.ru_stime

found = len([name for name in os.listdir(findings) if not name.startswith(".")])

# The committed seeds become the minimal set covering the old seeds and all
# that the run kept. Not after a failed run: a merge that meets a crashing
# input stops part way, and its partial set would replace the seeds.
with tempfile.TemporaryDirectory() as merged:
    if status == 0 and found == 0:
        merge = subprocess.run([fuzzer, "-merge=1", f"-artifact_prefix={findings}/", merged, committed, work],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
        if merge.returncode == 0 and os.listdir(merged):
            shutil.rmtree(committed)
            shutil.copytree(merged, committed)
print(f"{os.path.basename(fuzzer):<16} runs {runs:>11}  cov {coverage:>5}  ft {features:>6}  "
      f"cpu {cpu_seconds:8.0f} s  wall {ended - started:7.0f} s  "
      f"since last new coverage {ended - last_growth:7.0f} s (edges {ended - last_edge:7.0f} s)  "
      f"seeds {len(os.listdir(committed)):>4}  "
      f"findings {found}  exit {status}")
sys.exit(0 if status == 0 and found == 0 else 1)
