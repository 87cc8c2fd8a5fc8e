#!/usr/bin/python3
"""Idle CPU of dialtop with the information window open (its live monitor reads /proc every
400 ms) beside the clock's own figure with the window closed; runs inside a private X session.

    about-idle.py --rounds N --idle SECONDS DIALTOP
"""

import argparse
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "x11"))
import x11lib  # noqa: E402
from measure import cpu_ns, cpu_ticks, CLOCK_TICK  # noqa: E402

ABOUT_SQUARE = (36 + 1 + 5, 24 + 1 + 5)  # the middle of the clock's About square


def idle_cpu(pid: int, seconds: float) -> tuple[float, float]:
    """(CPU ms from utime + stime, CPU ms from the scheduler) over `seconds` of idling."""
    ticks, ns = cpu_ticks(pid), cpu_ns(pid)
    time.sleep(seconds)
    return (cpu_ticks(pid) - ticks) * 1000.0 / CLOCK_TICK, (cpu_ns(pid) - ns) / 1e6


def one_round(binary: str, seconds: float) -> dict:
    clock, wid = x11lib.start_clock(binary=binary)
    with clock:
        time.sleep(3)  # past the start-up work
        closed = idle_cpu(clock.pid, seconds)
        geometry = x11lib.window_geometry(wid)
        x11lib.move_mouse(geometry.x + 2, geometry.y + 2)  # a pointer already in place would never "move"
        x11lib.click(geometry.x + ABOUT_SQUARE[0], geometry.y + ABOUT_SQUARE[1])
        x11lib.wait_until(lambda: any(x11lib.window_geometry(w).height == 302 for w in
                                      x11lib.find_windows("^System Information$", pid=clock.pid)),
                          what="the unrolled information window")
        time.sleep(1)  # past the unrolling
        shown = idle_cpu(clock.pid, seconds)
    return {"closed": closed[0], "closed_ns": closed[1], "open": shown[0], "open_ns": shown[1]}


def main() -> int:
    parser = argparse.ArgumentParser()
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("--idle", type=float, default=30.0)
    parser.add_argument("dialtop")
    args = parser.parse_args()
    runs = []
    for number in range(1, args.rounds + 1):
        runs.append(one_round(args.dialtop, args.idle))
        run = runs[-1]
        print(f"round {number}/{args.rounds}  clock alone {run['closed']:5.0f} ms ({run['closed_ns']:6.1f} "
              f"scheduled)  information window open {run['open']:5.0f} ms ({run['open_ns']:6.1f} scheduled)",
              file=sys.stderr, flush=True)
    median = {key: statistics.median(run[key] for run in runs) for key in runs[0]}
    print(f"\nMedians of {args.rounds} rounds, CPU time in {args.idle:g} s idle:")
    print(f"  clock alone                    {median['closed']:6.0f} ms  ({median['closed_ns']:.1f} ms scheduled)")
    print(f"  information window open        {median['open']:6.0f} ms  ({median['open_ns']:.1f} ms scheduled)")
    if median["closed_ns"] > 0:
        print(f"  open / alone (scheduled)       {median['open_ns'] / median['closed_ns']:6.2f}x")
    return 0


if __name__ == "__main__":
    sys.exit(main())
