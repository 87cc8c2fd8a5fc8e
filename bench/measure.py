#!/usr/bin/python3
"""Side-by-side figures for bench/run; runs inside a private X session (DISPLAY set).

For each program and each round:
  start     milliseconds from process start to the first mapped top-level window, as the
            first-map helper sees it: the first MapNotify on the root window (with openbox, the
            frame the window manager maps around the new window);
  memory    VmRSS from /proc/PID/status, MEMORY_DELAY seconds after the window appeared;
  cpu       utime + stime from /proc/PID/stat (all threads, clock-tick resolution) over the idle
            period that follows, while the clock just ticks; the scheduler's own figure (sum of
            /proc/PID/task/*/schedstat, nanoseconds) is shown beside it for precision.
The programs are measured one at a time; the median of the rounds is reported, with dialtop's
ratio to the minimal Qt clock.

    measure.py --first-map PATH --rounds N --idle SECONDS NAME=COMMAND...
    (the first two programs are dialtop and the yardstick)
"""

import argparse
import os
import shlex
import signal
import statistics
import subprocess
import sys
import time

MEMORY_DELAY = 3.0
CLOCK_TICK = os.sysconf("SC_CLK_TCK")
TARGET_RATIO = 1.3


def cpu_ticks(pid: int) -> int:
    with open(f"/proc/{pid}/stat") as file:
        fields = file.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])  # utime and stime: fields 14 and 15 of stat(5)


def cpu_ns(pid: int) -> int:
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as file:
                total += int(file.read().split()[0])
        except FileNotFoundError:
            pass  # a thread that just ended
    return total


def rss_kib(pid: int) -> int:
    with open(f"/proc/{pid}/status") as file:
        for line in file:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    raise RuntimeError(f"no VmRSS for {pid}")


def measure(first_map: str, command: list[str], idle: float) -> dict:
    """One program, one round: first-map starts it and reports its pid and start-to-window time."""
    helper = subprocess.Popen([first_map, *command], stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                              stderr=subprocess.PIPE, text=True, env=os.environ | {"LC_ALL": "C.UTF-8"})
    line = helper.stdout.readline().split()
    if len(line) != 2:
        helper.wait()
        raise RuntimeError(f"{command[0]}: {helper.stderr.read().strip() or 'no window'}")
    pid, start_ms = int(line[0]), float(line[1])
    try:
        time.sleep(MEMORY_DELAY)
        rss = rss_kib(pid)
        ticks, ns = cpu_ticks(pid), cpu_ns(pid)
        time.sleep(idle)
        if helper.poll() is not None:
            raise RuntimeError(f"{command[0]} ended during the measurement")
        ticks, ns = cpu_ticks(pid) - ticks, cpu_ns(pid) - ns
    finally:
        if helper.poll() is None:
            os.kill(pid, signal.SIGTERM)
            try:
                helper.wait(timeout=5)
            except subprocess.TimeoutExpired:
                os.kill(pid, signal.SIGKILL)
                helper.wait()
    return {"start": start_ms, "memory": rss / 1024.0, "cpu": ticks * 1000.0 / CLOCK_TICK, "cpu_ns": ns / 1e6}


def main() -> int:
    parser = argparse.ArgumentParser()
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("--idle", type=float, default=30.0)
    parser.add_argument("--first-map", required=True, help="the first-map helper")
    parser.add_argument("programs", nargs="+", help="NAME=COMMAND")
    args = parser.parse_args()
    programs = [(item.split("=", 1)[0], shlex.split(item.split("=", 1)[1])) for item in args.programs]

    results = {name: [] for name, _ in programs}
    for round_number in range(1, args.rounds + 1):
        for name, command in programs:
            figures = measure(args.first_map, command, args.idle)
            results[name].append(figures)
            print(f"round {round_number}/{args.rounds}  {name:<18} start {figures['start']:7.1f} ms  "
                  f"VmRSS {figures['memory']:6.1f} MiB  CPU {figures['cpu']:5.0f} ms "
                  f"({figures['cpu_ns']:6.1f} ms scheduled)", file=sys.stderr, flush=True)
            time.sleep(1)

    columns = [("start", "start to window, ms", "{:.1f}"), ("memory", "VmRSS, MiB", "{:.1f}"),
               ("cpu", f"CPU in {args.idle:g} s idle, ms", "{:.0f}"),
               ("cpu_ns", "same, scheduler ns, ms", "{:.1f}")]
    medians = {name: {key: statistics.median(run[key] for run in runs) for key, _, _ in columns}
               for name, runs in results.items()}

    width = max(len(name) for name in results) + 2
    print(f"\nMedians of {args.rounds} rounds ({args.idle:g} s idle each; start = process start to the first "
          f"mapped window; memory {MEMORY_DELAY:g} s after it):\n")
    print(" " * width + "".join(f"{title:>26}" for _, title, _ in columns))
    for name in results:
        print(f"{name:<{width}}" + "".join(f"{fmt.format(medians[name][key]):>26}" for key, _, fmt in columns))

    subject, yardstick = programs[0][0], programs[1][0]
    print(f"\n{subject} / {yardstick} (target: at most {TARGET_RATIO}x):")
    missed = []
    for key, title, _ in columns:
        base, value = medians[yardstick][key], medians[subject][key]
        if base == 0 and value == 0:
            print(f"  {title:<28}    n/a  (both 0: measure longer, DIALTOP_BENCH_IDLE)")
            continue
        ratio = value / base if base > 0 else float("inf")
        verdict = "within target" if ratio <= TARGET_RATIO else "MISSES the target"
        if ratio > TARGET_RATIO and key != "cpu_ns":
            missed.append(title)
        print(f"  {title:<28} {ratio:6.2f}x  {verdict}")
    if missed:
        print(f"\n{subject} misses the {TARGET_RATIO}x target on: {', '.join(missed)}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
