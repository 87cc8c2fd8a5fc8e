"""Helpers for the X11 test tier.

Every X11 test runs inside its own private X session (Xvfb, openbox, trayer) started by
run-in-xsession, which sets DISPLAY. The tests drive the real program with the usual X tools:
xdotool (search, mouse, keys), xwininfo and xprop (geometry, state, properties) and ImageMagick's
`import` (screenshots). Only the Python standard library is used; run the tests with
/usr/bin/python3.

Typical use:

    import x11lib

    with x11lib.Program() as clock:                 # a copy of $DIALTOP_BINARY in a temp folder
        wid = x11lib.wait_for_window("Dialtop", pid=clock.pid)
        geometry = x11lib.window_geometry(wid)      # Geometry(x, y, width, height), absolute
        shot = x11lib.screenshot()                  # the whole root window
        assert shot.pixel(geometry.x, geometry.y) == x11lib.rgb("#000000")
        x11lib.click(geometry.x + 40, geometry.y + 14, button=3)
        x11lib.key("Up", "Return")
        assert clock.wait(timeout=5) == 0
    # leaving the block stops the program if it still runs and removes its folder

Nothing here asserts on its own: the helpers return values or raise X11Error (an
AssertionError, so unittest reports it as a failure) when something does not appear in time.
"""

from __future__ import annotations

import os
import re
import shutil
import signal
import subprocess
import tempfile
import time
from typing import Callable, Iterable, NamedTuple, Optional, TypeVar

T = TypeVar("T")

# Generous enough for a loaded 2-core machine; callers may pass their own.
DEFAULT_TIMEOUT = 15.0

# The category under which the program logs every message box it shows.
MESSAGES_LOGGING_RULE = "dialtop.messages.info=true"


class X11Error(AssertionError):
    """Something expected did not happen (in time), or an X tool failed."""


# --------------------------------------------------------------------------------------------
# Running tools and waiting


def tool(*command: str, timeout: float = DEFAULT_TIMEOUT, check: bool = True,
         binary: bool = False) -> str | bytes:
    """Runs an X tool and returns its standard output (text unless binary=True).

    A non-zero exit raises X11Error carrying the tool's stderr, unless check=False."""
    try:
        done = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                              stdin=subprocess.DEVNULL, timeout=timeout, check=False)
    except subprocess.TimeoutExpired as error:
        raise X11Error(f"{command[0]} took longer than {timeout} s: {' '.join(command)}") from error
    if check and done.returncode != 0:
        raise X11Error(f"{' '.join(command)} failed ({done.returncode}): "
                       f"{done.stderr.decode(errors='replace').strip()}")
    return done.stdout if binary else done.stdout.decode(errors="replace")


def eventually(predicate: Callable[[], T], timeout: float = DEFAULT_TIMEOUT,
               interval: float = 0.05) -> T:
    """Calls predicate until it returns something truthy or the time is up, and returns its last
    answer (falsy on timeout), so the caller can fail with its own message."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value or time.monotonic() >= deadline:
            return value
        time.sleep(interval)


def wait_until(predicate: Callable[[], T], timeout: float = DEFAULT_TIMEOUT, interval: float = 0.05,
               what: str = "a condition") -> T:
    """Calls predicate until it returns something truthy and returns that; X11Error on timeout."""
    value = eventually(predicate, timeout, interval)
    if not value:
        raise X11Error(f"timed out after {timeout} s waiting for {what}")
    return value


# --------------------------------------------------------------------------------------------
# The program under test


class Program:
    """A copy of the real program, started from a temporary folder of its own.

    The program writes settings.ini beside its executable, so tests never run the build's binary
    in place. Standard output and standard error go to files in the folder (stdout.txt,
    stderr.txt). Message boxes are logged to stderr (see message_boxes()).

        binary     the program to copy (default: $DIALTOP_BINARY)
        env        variables to add to (or, with value None, remove from) the inherited environment
        files      {name: text} written into the folder before the start, e.g. a settings.ini
        keep       keep the folder after stop() (its path is printed), for debugging
    """

    def __init__(self, binary: Optional[str] = None, env: Optional[dict] = None,
                 files: Optional[dict] = None, args: Iterable[str] = (), keep: bool = False,
                 start: bool = True):
        source = binary or os.environ.get("DIALTOP_BINARY")
        if not source or not os.path.isfile(source):
            raise X11Error(f"no program to test: DIALTOP_BINARY={source!r}")
        self.folder = tempfile.mkdtemp(prefix="dialtop-x11-")
        self.path = os.path.join(self.folder, os.path.basename(source))
        shutil.copy2(source, self.path)
        for name, text in (files or {}).items():
            with open(os.path.join(self.folder, name), "w", encoding="utf-8") as file:
                file.write(text)
        self.stdout_path = os.path.join(self.folder, "stdout.txt")
        self.stderr_path = os.path.join(self.folder, "stderr.txt")
        self.env = dict(os.environ)
        self.env.setdefault("QT_LOGGING_RULES", MESSAGES_LOGGING_RULE)
        for name, value in (env or {}).items():
            if value is None:
                self.env.pop(name, None)
            else:
                self.env[name] = str(value)
        self.args = list(args)
        self.keep = keep
        self.process: Optional[subprocess.Popen] = None
        if start:
            self.start()

    def start(self) -> "Program":
        with open(self.stdout_path, "wb") as out, open(self.stderr_path, "wb") as err:
            self.process = subprocess.Popen([self.path, *self.args], cwd=self.folder, env=self.env,
                                            stdin=subprocess.DEVNULL, stdout=out, stderr=err)
        self.started_at = time.monotonic()
        return self

    @property
    def pid(self) -> int:
        return self.process.pid

    def file(self, name: str) -> str:
        """The path of a file in the program's folder (e.g. "settings.ini")."""
        return os.path.join(self.folder, name)

    def running(self) -> bool:
        return self.process is not None and self.process.poll() is None

    def wait(self, timeout: float = DEFAULT_TIMEOUT) -> int:
        """Waits for the program to end by itself; returns its exit code (X11Error on timeout)."""
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired as error:
            raise X11Error(f"the program still runs after {timeout} s") from error

    def stop(self, timeout: float = 5.0) -> Optional[int]:
        """Ends the program if it still runs (SIGTERM, then SIGKILL) and returns its exit code."""
        if self.process is None:
            return None
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(timeout=timeout)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        return self.process.returncode

    def stderr(self) -> str:
        with open(self.stderr_path, encoding="utf-8", errors="replace") as file:
            return file.read()

    def message_boxes(self) -> list[str]:
        """The message boxes shown so far, as logged: "<title> : <text>" (first line of each)."""
        prefix = "dialtop.messages: box "
        return [line[len(prefix):] for line in self.stderr().splitlines() if line.startswith(prefix)]

    def cleanup(self) -> None:
        self.stop()
        if self.keep:
            print(f"x11lib: kept {self.folder}")
        else:
            shutil.rmtree(self.folder, ignore_errors=True)

    def __enter__(self) -> "Program":
        return self

    def __exit__(self, *exc) -> None:
        if exc[0] is not None and self.process is not None:
            # The program's own words usually explain a failed test.
            text = self.stderr().strip()
            if text:
                print(f"--- stderr of {self.path} ---\n{text}\n---")
        self.cleanup()


def write_tone(path: str, seconds: int) -> None:
    """Writes a sine tone of whole seconds as a wav file, for the program to play."""
    subprocess.run(["gst-launch-1.0", "-q", "audiotestsrc", "wave=sine", "samplesperbuffer=4800",
                    f"num-buffers={seconds * 10}", "!", "audio/x-raw,rate=48000,channels=1", "!",
                    "wavenc", "!", "filesink", f"location={path}"], check=True, timeout=60)


# --------------------------------------------------------------------------------------------
# Windows


class Geometry(NamedTuple):
    x: int
    y: int
    width: int
    height: int


def find_windows(name: Optional[str] = None, pid: Optional[int] = None,
                 visible: bool = True) -> list[int]:
    """Window ids whose title matches the regular expression `name` (xdotool search, which
    ignores case; None: any non-empty title), owned by `pid` (its _NET_WM_PID) and, with
    visible=True, viewable."""
    command = ["xdotool", "search"]
    if visible:
        command.append("--onlyvisible")
    if pid is not None:
        command += ["--all", "--pid", str(pid)]
    command += ["--name", name if name is not None else "."]
    out = tool(*command, check=False)
    return [int(line) for line in out.split()]


def wait_for_window(name: str, pid: Optional[int] = None, timeout: float = DEFAULT_TIMEOUT,
                    visible: bool = True, exact: bool = True) -> int:
    """Waits for a (viewable) window titled `name` and returns its id.

    With exact=True the whole title must equal `name` (case included); otherwise `name` is a
    regular expression as for find_windows()."""
    pattern = "^" + re.escape(name) + "$" if exact else name

    def found() -> Optional[int]:
        for wid in find_windows(pattern, pid=pid, visible=visible):
            if not exact or window_name(wid) == name:
                return wid
        return None

    return wait_until(found, timeout=timeout, what=f"a window titled {name!r}")


def start_clock(**program_options) -> tuple[Program, int]:
    """Starts a Program (same options) and waits for its "Dialtop" window; returns both. When the
    window never comes, the program's stderr is printed and the program cleaned up."""
    clock = Program(**program_options)
    try:
        return clock, wait_for_window("Dialtop", pid=clock.pid)
    except Exception:
        print(clock.stderr())
        clock.cleanup()
        raise


def window_name(wid: int) -> str:
    return tool("xdotool", "getwindowname", str(wid), check=False).rstrip("\n")


def window_info(wid: int) -> dict:
    """xwininfo's facts about a window: x, y (absolute), width, height, map_state
    ("IsViewable", "IsUnMapped", "IsUnviewable") and override_redirect (bool)."""
    out = tool("xwininfo", "-id", str(wid))

    def field(label: str) -> str:
        match = re.search(r"^\s*" + re.escape(label) + r":\s*(.*)$", out, re.MULTILINE)
        if not match:
            raise X11Error(f"xwininfo gave no {label!r} for window {wid}")
        return match.group(1).strip()

    return {
        "x": int(field("Absolute upper-left X")),
        "y": int(field("Absolute upper-left Y")),
        "width": int(field("Width")),
        "height": int(field("Height")),
        "map_state": field("Map State"),
        "override_redirect": field("Override Redirect State") == "yes",
    }


def window_geometry(wid: int) -> Geometry:
    """The window's absolute position and its size (without any window-manager frame)."""
    info = window_info(wid)
    return Geometry(info["x"], info["y"], info["width"], info["height"])


def geometry_becomes(wid: int, expected: Geometry, timeout: float = DEFAULT_TIMEOUT,
                     interval: float = 0.1) -> Optional[Geometry]:
    """Waits for the window to take the expected geometry. Returns None when it does, else the
    geometry it last had, for the caller's failure message."""
    seen = []

    def matches():
        seen.append(window_geometry(wid))
        return seen[-1] == expected

    return None if eventually(matches, timeout=timeout, interval=interval) else seen[-1]


def screen_size() -> tuple[int, int]:
    info = window_info(root_window())
    return info["width"], info["height"]


def root_window() -> int:
    out = tool("xwininfo", "-root")
    return int(re.search(r"Window id: (0x[0-9a-fA-F]+)", out).group(1), 16)


def root_children() -> list[int]:
    """The direct children of the root window, top to bottom: the window-manager frames and the
    override-redirect windows (popup menus, tooltips) that no window manager reparents."""
    out = tool("xwininfo", "-root", "-children")
    return [int(wid, 16) for wid in re.findall(r"^\s+(0x[0-9a-fA-F]+)", out, re.MULTILINE)]


def popup_windows() -> set[int]:
    """The viewable override-redirect children of the root window (menus, tooltips...)."""
    popups = set()
    for wid in root_children():
        try:
            info = window_info(wid)
        except X11Error:
            continue  # gone meanwhile
        if info["override_redirect"] and info["map_state"] == "IsViewable":
            popups.add(wid)
    return popups


def _viewable_of(pid: int, hex_ids: list[str]) -> Optional[int]:
    """The first of these windows that is the program's and viewable."""
    for wid in (int(found, 16) for found in hex_ids):
        try:
            if xprop_int(wid, "_NET_WM_PID") == pid and window_info(wid)["map_state"] == "IsViewable":
                return wid
        except X11Error:
            continue  # gone meanwhile
    return None


def program_window(pid: int, width: int, height: int) -> Optional[int]:
    """The program's viewable window of this size, if there is one. It finds the untitled dialogs
    too, which xdotool's search misses once the window manager has framed them."""
    tree = tool("xwininfo", "-root", "-tree", check=False)
    pattern = rf"^\s+(0x[0-9a-fA-F]+) .*\s{width}x{height}\+-?\d+\+-?\d+\s+\+-?\d+\+-?\d+$"
    return _viewable_of(pid, re.findall(pattern, tree, re.MULTILINE))


def docked_icon(pid: int) -> Optional[int]:
    """The program's viewable window docked in trayer (its "panel" window), if there is one."""
    tree = tool("xwininfo", "-root", "-tree", check=False)
    panel = re.search(r'^\s+(0x[0-9a-fA-F]+) "panel"', tree, re.MULTILINE)
    if not panel:
        return None
    docked = tool("xwininfo", "-tree", "-id", panel.group(1), check=False)
    return _viewable_of(pid, re.findall(r"^\s+(0x[0-9a-fA-F]+)", docked, re.MULTILINE))


# --------------------------------------------------------------------------------------------
# Properties


def xprop(wid: int, prop: str) -> Optional[str]:
    """The value of a window property as xprop prints it (after "=" or ":"), None when unset."""
    out = tool("xprop", "-id", str(wid), prop, check=False).strip()
    match = re.match(re.escape(prop) + r"(?:\([^)]*\))?\s*[=:]\s*(.*)$", out, re.DOTALL)
    return match.group(1).strip() if match else None


def xprop_atoms(wid: int, prop: str) -> list[str]:
    """An ATOM-list property (e.g. _NET_WM_STATE) as a list of names; [] when unset or empty."""
    value = xprop(wid, prop)
    if not value:
        return []
    return [atom.strip() for atom in value.split(",") if atom.strip()]


def xprop_int(wid: int, prop: str) -> Optional[int]:
    """A CARDINAL property's (first) value, None when unset."""
    value = xprop(wid, prop)
    if value is None:
        return None
    try:
        return int(value.split(",")[0].strip(), 0)
    except ValueError:
        return None


# --------------------------------------------------------------------------------------------
# Screenshots and colours


def rgb(colour: str) -> tuple[int, int, int]:
    """"#RRGGBB" -> (r, g, b)."""
    text = colour.lstrip("#")
    if len(text) != 6:
        raise ValueError(f"not a #RRGGBB colour: {colour!r}")
    return int(text[0:2], 16), int(text[2:4], 16), int(text[4:6], 16)


def hex_colour(pixel: tuple[int, int, int]) -> str:
    """(r, g, b) -> "#RRGGBB"."""
    return "#{:02X}{:02X}{:02X}".format(*pixel)


class Image:
    """An RGB image with 8 bits per channel, rows top to bottom."""

    def __init__(self, width: int, height: int, data: bytes):
        if len(data) != width * height * 3:
            raise ValueError("pixel data does not match the size")
        self.width, self.height, self.data = width, height, bytes(data)

    def pixel(self, x: int, y: int) -> tuple[int, int, int]:
        if not (0 <= x < self.width and 0 <= y < self.height):
            raise IndexError(f"({x}, {y}) lies outside the {self.width}x{self.height} image")
        offset = (y * self.width + x) * 3
        return self.data[offset], self.data[offset + 1], self.data[offset + 2]

    def colour(self, x: int, y: int) -> str:
        """The pixel as "#RRGGBB"."""
        return hex_colour(self.pixel(x, y))

    def crop(self, x: int, y: int, width: int, height: int) -> "Image":
        if x < 0 or y < 0 or x + width > self.width or y + height > self.height:
            raise IndexError(f"crop {width}x{height}+{x}+{y} leaves the {self.width}x{self.height} image")
        rows = []
        for row in range(y, y + height):
            start = (row * self.width + x) * 3
            rows.append(self.data[start:start + width * 3])
        return Image(width, height, b"".join(rows))

    def pixels(self) -> Iterable[tuple[int, int, int]]:
        data = self.data
        for offset in range(0, len(data), 3):
            yield data[offset], data[offset + 1], data[offset + 2]

    def count(self, colour: str | tuple[int, int, int]) -> int:
        """How many pixels have exactly this colour."""
        wanted = rgb(colour) if isinstance(colour, str) else tuple(colour)
        return sum(1 for pixel in self.pixels() if pixel == wanted)

    def save(self, path: str) -> str:
        """Writes the image; PNG when the name ends in .png (through ImageMagick), else PPM."""
        ppm = b"P6\n%d %d\n255\n" % (self.width, self.height) + self.data
        if path.endswith(".png"):
            subprocess.run(["convert", "ppm:-", "png:" + path], input=ppm, check=True)
        else:
            with open(path, "wb") as file:
                file.write(ppm)
        return path

    def __eq__(self, other: object) -> bool:
        return (isinstance(other, Image) and (self.width, self.height, self.data)
                == (other.width, other.height, other.data))

    def __hash__(self) -> int:
        return hash((self.width, self.height, self.data))


def parse_ppm(blob: bytes) -> Image:
    """Reads a binary PPM (P6, maxval 255) such as ImageMagick writes."""
    tokens: list[bytes] = []
    position = 0
    while len(tokens) < 4:
        while blob[position:position + 1].isspace():
            position += 1
        if blob[position:position + 1] == b"#":
            position = blob.index(b"\n", position) + 1
            continue
        end = position
        while not blob[end:end + 1].isspace():
            end += 1
        tokens.append(blob[position:end])
        position = end
    if tokens[0] != b"P6" or tokens[3] != b"255":
        raise X11Error(f"unexpected image header {tokens!r}")
    width, height = int(tokens[1]), int(tokens[2])
    position += 1  # the single whitespace after maxval
    return Image(width, height, blob[position:position + width * height * 3])


def screenshot(save_as: Optional[str] = None, window: Optional[int] = None) -> Image:
    """The screen's contents (the root window, or one window's area) as an Image.
    With save_as the image is also written there (PNG when the name ends in .png)."""
    target = "root" if window is None else str(window)
    image = parse_ppm(tool("import", "-silent", "-window", target, "-depth", "8", "ppm:-", binary=True))
    if save_as:
        image.save(save_as)
    return image


# --------------------------------------------------------------------------------------------
# Mouse and keyboard (XTest through xdotool)


def pointer() -> tuple[int, int]:
    """Where the pointer is, in root coordinates."""
    out = tool("xdotool", "getmouselocation", "--shell")
    return int(re.search(r"X=(\d+)", out).group(1)), int(re.search(r"Y=(\d+)", out).group(1))


def move_mouse(x: int, y: int) -> None:
    # A synced move waits for a motion, which never comes when the pointer is already there.
    if pointer() != (x, y):
        tool("xdotool", "mousemove", "--sync", str(x), str(y))


def click(x: int, y: int, button: int = 1, repeat: int = 1) -> None:
    """Moves the pointer to the absolute position (x, y) and clicks (1 left, 2 middle, 3 right)."""
    move_mouse(x, y)
    tool("xdotool", "click", "--repeat", str(repeat), str(button))


def press(x: int, y: int, button: int = 1) -> None:
    """Moves to (x, y) and presses a button without releasing it (see release())."""
    move_mouse(x, y)
    tool("xdotool", "mousedown", str(button))


def release(button: int = 1) -> None:
    tool("xdotool", "mouseup", str(button))


def key(*keys: str, window: Optional[int] = None, delay_ms: int = 50) -> None:
    """Presses and releases keys one after another, by X keysym names: "Up", "Return",
    "ctrl+F1", "alt+ctrl+r". Without window they go through XTest to whatever holds the keyboard
    focus or grab, exactly like real typing (what tests of popup menus and global hotkeys need).
    With window, xdotool sends them to that window with XSendEvent, which some programs ignore."""
    command = ["xdotool", "key", "--delay", str(delay_ms)]
    if window is not None:
        command += ["--window", str(window)]
    tool(*command, *keys)


def type_text(text: str, delay_ms: int = 30) -> None:
    tool("xdotool", "type", "--delay", str(delay_ms), text)


def choose_from_menu(x: int, y: int, *keys: str, rows_height: int = 150) -> None:
    """Opens a popup menu with a right click at (x, y), waits for it and presses the keys.

    A menu keeps its window from one opening to the next, so it is recognised by its size (taller
    than rows_height) rather than as a new window; a menu still open from before is waited out."""
    def menu_open() -> bool:
        return any(window_info(wid)["height"] > rows_height for wid in popup_windows())

    # The pointer comes from elsewhere, as a user's does.
    move_mouse(x + 40 if x < 200 else x - 200, y + 300)
    wait_until(lambda: not menu_open(), what="the last popup menu to close")
    click(x, y, button=3)
    wait_until(menu_open, what="the popup menu")
    key(*keys)
