#!/usr/bin/python3
"""Side-by-side figures for bench/run; runs inside a private X session (DISPLAY set) with a session bus.

Each round starts every scenario afresh, one program at a time:
  clock alone               dialtop as it starts, without a settings file;
  information window open   the same process after a click on the clock's About square, once the
                            window has unrolled (its live monitor reads /proc every 400 ms);
  alarm ringing             dialtop started with an alarm due in the next minute and a file longer
                            than the measurement, played into GStreamer's fake sink;
  and the references: the minimal Qt clock and `xclock`, as the clock alone.
Figures: start = process start to the first mapped top-level window (bench/first-map); VmRSS
MEMORY_DELAY seconds after the window (or the scenario's window) appeared; CPU = utime + stime
(clock ticks) and the scheduler's nanoseconds (/proc/PID/task/*/schedstat) over the idle period.
Medians of the rounds, with dialtop's ratio to the minimal Qt clock (target at most 1.3x).

Then: what the idle clock has initialised (a start traced with strace, and /proc/PID/maps of the
idle clock): no GStreamer registry or plugin, no system bus, no fact of the information window; and
how late each new second is shown (bench/second-lateness) for dialtop and xclock.

    measure.py --tools BENCH_BUILD_DIR --rounds N --idle SECONDS --lateness SECONDS DIALTOP MINIMAL
"""

import argparse
import datetime
import os
import re
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "x11"))
import x11lib  # noqa: E402

MEMORY_DELAY = 3.0
CLOCK_TICK = os.sysconf("SC_CLK_TCK")
TARGET_RATIO = 1.3
ABOUT_SQUARE = (36 + 1 + 5, 24 + 1 + 5)  # the middle of the clock's About square
TIME_LABEL = (7, 6, 71, 19)  # the clock's time label in its window: x, y, width, height
XCLOCK = ["xclock", "-digital", "-update", "1"]
# Read only for the information window; a start must not touch them.
FACT_FILES = ("/etc/os-release", "/usr/lib/os-release", "/etc/machine-id", "/proc/cpuinfo", "cpufreq/",
              "/proc/meminfo", "/proc/stat")


def cpu_ticks(pid: int) -> int:
    with open(f"/proc/{pid}/stat") as file:
        fields = file.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])  # utime and stime: fields 14 and 15 of stat(5)


def cpu_ns(pid: int) -> dict:
    """The scheduler's CPU nanoseconds of each thread."""
    threads = {}
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as file:
                threads[task] = int(file.read().split()[0])
        except FileNotFoundError:
            pass  # a thread that just ended
    return threads


def rss_mib(pid: int) -> float:
    with open(f"/proc/{pid}/status") as file:
        for line in file:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024.0
    raise RuntimeError(f"no VmRSS for {pid}")


def idle(pid: int, seconds: float) -> dict:
    """Memory now, then the CPU used over `seconds` of idling."""
    figures = {"memory": rss_mib(pid)}
    ticks, before = cpu_ticks(pid), cpu_ns(pid)
    time.sleep(seconds)
    after = cpu_ns(pid)
    # A thread that ended took its nanoseconds along (playback starts and ends some): then only the
    # clock ticks, which count them, tell.
    ended = set(before) - set(after)
    ns = None if ended else sum(value - before.get(task, 0) for task, value in after.items()) / 1e6
    figures.update(cpu=(cpu_ticks(pid) - ticks) * 1000.0 / CLOCK_TICK, cpu_ns=ns)
    return figures


def gstreamer_mapped(pid: int) -> list[str]:
    """GStreamer plugins and registry files in the process's memory (the libraries the program links
    are mapped by the loader at start and do not count)."""
    with open(f"/proc/{pid}/maps") as file:
        paths = {line.split()[-1] for line in file if "/" in line}
    return sorted(path for path in paths if "/gstreamer-1.0/" in path or re.search(r"registry\..*\.bin", path))


class Started:
    """A program started through first-map, which reports its pid and the time to its first window."""

    def __init__(self, first_map: str, command: list[str], env: dict = None):
        self.helper = subprocess.Popen([first_map, *command], stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                       stderr=subprocess.PIPE, text=True,
                                       env=os.environ | {"LC_ALL": "C.UTF-8"} | (env or {}))
        line = self.helper.stdout.readline().split()
        if len(line) != 2:
            self.helper.wait()
            raise RuntimeError(f"{command[0]}: {self.helper.stderr.read().strip() or 'no window'}")
        self.pid, self.start_ms = int(line[0]), float(line[1])

    def check_running(self, name: str) -> None:
        if self.helper.poll() is not None:
            raise RuntimeError(f"{name} ended during the measurement")

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        if self.helper.poll() is None:
            os.kill(self.pid, signal.SIGTERM)
            try:
                self.helper.wait(timeout=5)
            except subprocess.TimeoutExpired:
                os.kill(self.pid, signal.SIGKILL)
                self.helper.wait()


def clock_and_information_window(first_map: str, dialtop: str, seconds: float) -> tuple[dict, dict, list]:
    with Started(first_map, [dialtop]) as clock:
        wid = x11lib.wait_for_window("Dialtop", pid=clock.pid)
        time.sleep(MEMORY_DELAY)
        alone = {"start": clock.start_ms, **idle(clock.pid, seconds)}
        clock.check_running("dialtop")
        mapped = gstreamer_mapped(clock.pid)

        geometry = x11lib.window_geometry(wid)
        x11lib.move_mouse(geometry.x + 2, geometry.y + 2)  # a pointer already in place would never "move"
        x11lib.click(geometry.x + ABOUT_SQUARE[0], geometry.y + ABOUT_SQUARE[1])
        x11lib.wait_until(lambda: any(x11lib.window_geometry(w).height == 302 for w in
                                      x11lib.find_windows("^System Information$", pid=clock.pid)),
                          what="the unrolled information window")
        time.sleep(MEMORY_DELAY)
        shown = {"start": None, **idle(clock.pid, seconds)}
        clock.check_running("dialtop")
    return alone, shown, mapped


def alarm_ringing(first_map: str, dialtop: str, sound: str, seconds: float) -> dict:
    # The next minute, begun while the program runs: starting inside an alarm's minute rings nothing.
    now = datetime.datetime.now()
    if now.second >= 50:  # too little of the minute left to start before the next
        time.sleep(60.5 - now.second - now.microsecond / 1e6)
        now = datetime.datetime.now()
    now += datetime.timedelta(minutes=1)
    folder = tempfile.mkdtemp(prefix="dialtop-bench-alarm-")
    try:
        copy = shutil.copy2(dialtop, folder)
        with open(os.path.join(folder, "settings.ini"), "w") as file:
            file.write(f"[alarm1]\nison=1\nhour={now.hour}\nminute={now.minute}\nsound={sound}\n")
        with Started(first_map, [copy], env={"DIALTOP_AUDIO_SINK": "fakesink sync=true"}) as clock:
            x11lib.wait_for_window("Alarm", pid=clock.pid, timeout=90)
            time.sleep(MEMORY_DELAY)
            figures = {"start": clock.start_ms, **idle(clock.pid, seconds)}
            clock.check_running("dialtop")
            if not x11lib.find_windows("^Alarm$", pid=clock.pid):
                raise RuntimeError("the alarm stopped ringing during the measurement")
        return figures
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def reference(first_map: str, command: list[str], seconds: float) -> dict:
    with Started(first_map, command) as program:
        time.sleep(MEMORY_DELAY)
        figures = {"start": program.start_ms, **idle(program.pid, seconds)}
        program.check_running(command[0])
    return figures


def traced_start(dialtop: str) -> tuple[list[str], list[str]]:
    """Starts dialtop under strace until a few ticks after its window: the bus sockets it connected
    to and the fact files it read."""
    folder = tempfile.mkdtemp(prefix="dialtop-bench-trace-")
    trace = os.path.join(folder, "trace")
    try:
        strace = subprocess.Popen(["strace", "-f", "-qq", "-e", "trace=openat,connect", "-o", trace,
                                   shutil.copy2(dialtop, folder)],
                                  stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            wid = x11lib.wait_for_window("Dialtop", timeout=60)
            time.sleep(MEMORY_DELAY)
            os.kill(x11lib.xprop_int(wid, "_NET_WM_PID"), signal.SIGTERM)  # strace ends with it
            strace.wait(timeout=10)
        finally:
            if strace.poll() is None:
                strace.kill()
                strace.wait()
        with open(trace) as file:
            lines = [line for line in file if "ENOENT" not in line]
    finally:
        shutil.rmtree(folder, ignore_errors=True)
    sockets = sorted({match.group(1) for line in lines
                      if (match := re.search(r'connect\(.*sun_path=@?"([^"]+)"', line)) and ".X11-unix" not in match.group(1)})
    facts = sorted({match.group(1) for line in lines
                    if (match := re.search(r'openat\([^"]*"([^"]+)"', line)) and any(f in match.group(1) for f in FACT_FILES)})
    gst = sorted({match.group(1) for line in lines
                  if (match := re.search(r'openat\([^"]*"([^"]*gstreamer-1\.0/[^"]*)"', line))})
    return sockets, facts + gst


def lateness(tool: str, first_map: str, command: list[str], title: str, rectangle: tuple, seconds: int) -> str:
    with Started(first_map, command) as program:
        wid = x11lib.wait_for_window(title, pid=program.pid)
        time.sleep(MEMORY_DELAY)
        done = subprocess.run([tool, str(seconds), str(wid), *map(str, rectangle)], stdout=subprocess.PIPE,
                              stderr=subprocess.PIPE, text=True, timeout=seconds + 30)
    if done.returncode != 0:
        return f"FAILED: {done.stderr.strip()}"
    changes, watched, median, worst = done.stdout.split()
    return f"median {float(median):5.2f} ms  worst {float(worst):6.2f} ms  ({changes} of {watched} seconds shown)"


def main() -> int:
    parser = argparse.ArgumentParser()
    parser.add_argument("--tools", required=True, help="the bench build folder (first-map, second-lateness)")
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("--idle", type=float, default=30.0)
    parser.add_argument("--lateness", type=int, default=60)
    parser.add_argument("dialtop")
    parser.add_argument("minimal")
    args = parser.parse_args()
    first_map = os.path.join(args.tools, "first-map")
    log = lambda text: print(text, file=sys.stderr, flush=True)  # noqa: E731

    sound = os.path.join(tempfile.mkdtemp(prefix="dialtop-bench-sound-"), "long.wav")
    x11lib.write_tone(sound, int(args.idle + MEMORY_DELAY + 30))
    rows = ["dialtop, clock alone", "dialtop, information window open", "dialtop, alarm ringing",
            "minimal Qt clock", "xclock"]
    results = {name: [] for name in rows}
    mapped = []
    try:
        for number in range(1, args.rounds + 1):
            alone, shown, mapped = clock_and_information_window(first_map, args.dialtop, args.idle)
            results[rows[0]].append(alone)
            results[rows[1]].append(shown)
            results[rows[2]].append(alarm_ringing(first_map, args.dialtop, sound, args.idle))
            results[rows[3]].append(reference(first_map, [args.minimal], args.idle))
            results[rows[4]].append(reference(first_map, XCLOCK, args.idle))
            for name in rows:
                run = results[name][-1]
                start = f"{run['start']:7.1f} ms" if run["start"] is not None else "      -   "
                ns = f"{run['cpu_ns']:6.1f}" if run["cpu_ns"] is not None else "     -"
                log(f"round {number}/{args.rounds}  {name:<34} start {start}  VmRSS {run['memory']:6.1f} MiB  "
                    f"CPU {run['cpu']:5.0f} ms ({ns} ms scheduled)")
    finally:
        shutil.rmtree(os.path.dirname(sound), ignore_errors=True)

    columns = [("start", "start to window, ms", "{:.1f}"), ("memory", "VmRSS, MiB", "{:.1f}"),
               ("cpu", f"CPU in {args.idle:g} s, ms", "{:.0f}"), ("cpu_ns", "same, scheduler, ms", "{:.1f}")]
    def median(values: list):
        values = [value for value in values if value is not None]
        return statistics.median(values) if values else None

    medians = {name: {key: median([run[key] for run in runs]) for key, _, _ in columns}
               for name, runs in results.items()}
    width = max(len(name) for name in rows) + 2
    print(f"\nMedians of {args.rounds} rounds ({args.idle:g} s idle each; start = process start to the first "
          f"mapped window; memory {MEMORY_DELAY:g} s after it):\n")
    print(" " * width + "".join(f"{title:>22}" for _, title, _ in columns))
    for name in rows:
        print(f"{name:<{width}}" + "".join(
            f"{fmt.format(medians[name][key]) if medians[name][key] is not None else '-':>22}"
            for key, _, fmt in columns))

    subject, yardstick = medians[rows[0]], medians[rows[3]]
    print(f"\ndialtop (clock alone) / minimal Qt clock (target: at most {TARGET_RATIO}x):")
    for key, title, _ in columns:
        if key == "cpu":
            continue  # 10 ms steps: the scheduler's figure is the one that counts
        ratio = subject[key] / yardstick[key]
        print(f"  {title:<24} {ratio:6.2f}x  {'within target' if ratio <= TARGET_RATIO else 'MISSES the target'}")

    log("\ntracing a start of dialtop")
    sockets, read = traced_start(args.dialtop)
    system_bus = [path for path in sockets if "system_bus_socket" in path]
    print("\nWhat the idle clock has initialised (a traced start; /proc/PID/maps after the idle period):")
    print(f"  GStreamer plugins or registry mapped: {', '.join(mapped) or 'none'}")
    print(f"  sockets connected besides the X server: {', '.join(sockets) or 'none'}"
          f"{'  (the session bus: Qt looks there for a tray host)' if sockets and not system_bus else ''}")
    print(f"  system bus: {'CONNECTED' if system_bus else 'not connected'}")
    print(f"  fact or GStreamer files read at start: {', '.join(read) or 'none'}")
    lazy = not mapped and not system_bus and not read
    print(f"  {'lazy as required' if lazy else 'NOT lazy: see above'}")

    print(f"\nLateness of each new second on screen, {args.lateness} s (first pixel change after the whole "
          "second, by XDamage; target: median at most 3 ms, worst at most 20 ms):")
    tool = os.path.join(args.tools, "second-lateness")
    print(f"  dialtop  {lateness(tool, first_map, [args.dialtop], 'Dialtop', TIME_LABEL, args.lateness)}")
    print(f"  xclock   {lateness(tool, first_map, XCLOCK, 'xclock', (), args.lateness)}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
