#!/usr/bin/python3
"""A day in the life of the clock: one run of the real program, driven as a user would.

It starts from a settings file with the second country's clock and two alarms on, collapses and
expands the clock, opens every window from the menu, the About square and the tray icon and
closes it again, moves an alarm to a minute from now with a short file and stops its ringing with
Ctrl+F1, arms and aborts a shutdown and then asks for one "Now!" (only logged:
DIALTOP_POWER_ACTIONS=log), changes a tweak, blanks the screen and leaves it, drags the clock and
sends it back to its corner, ends it with the Exit square and reads the settings file it wrote.
After every step the message boxes shown so far must be exactly the expected ones.

The run stops at the first step that does not do what the user would see, saying
"step N: <what the user did>: <what was wrong>".

Run by ctest inside a private X session (run-in-xsession) with trayer and a fake audio sink:
    ctest --test-dir build -R day_in_the_life --output-on-failure
"""

import configparser
import datetime
import os
import shutil
import sys
import tempfile
import time
from typing import Callable

import x11lib

# Points of the clock window (its client area sits at (1, 1)).
TIME_LABEL, ARROW, FACE = (41, 14), (73, 28), (2, 2)
ABOUT_SQUARE, CORNER_SQUARE, EXIT_SQUARE = (42, 30), (53, 30), (64, 30)
TIME_AREA = (7, 6, 71, 19)
COLLAPSED, EXPANDED = 83, 156
AMBER, GREY, ORANGE, USE_MARK = "#E4C156", "#808080", "#FF8000", "#E1B448"

# Window sizes, and the button that closes each window without changing anything.
COUNTRY, CUSTOM, TWEAKS, ALARMS, ABOUT = (187, 83), (100, 87), (540, 392), (416, 468), (328, 302)
CLOSE = {COUNTRY: (115, 69), CUSTOM: (67, 72), TWEAKS: (176, 377), ALARMS: (98, 446), ABOUT: (184, 284)}
ALARM_OK, TWEAK_VALUE, TWEAK_OK = (37, 446), (408, 85), (94, 377)
# The menu from the top: Always On Top, Transparency, Scedule Shutdown, Scedule Reboot, Additional
# Country Settings, Tweaking, Alarm, About; from the bottom: Exit, Minimize (Restore is disabled).
FROM_THE_MENU = [
    ("Additional Country Settings", ["Down"] * 5, COUNTRY),
    ("Scedule Shutdown, Custom", ["Down"] * 3 + ["Right"] + ["Down"] * 4, CUSTOM),
    ("Scedule Reboot, Custom", ["Down"] * 4 + ["Right", "Down"], CUSTOM),
    ("Tweaking", ["Down"] * 6, TWEAKS),
    ("Alarm", ["Down"] * 7, ALARMS),
    ("About", ["Down"] * 8, ABOUT),
]
SHUTDOWN = ["Down"] * 3 + ["Right"]  # the submenu, with ABORT chosen

SAFE_POWER = {"DIALTOP_POWER_ACTIONS": "log",
              "DBUS_SYSTEM_BUS_ADDRESS": "unix:path=/nonexistent/dialtop-test-system-bus"}
LOG_MODE = "dialtop: power requests are written here, not performed"
POWER_OFF_LOGGED = "dialtop: power off requested"
CONFIRM_NOW = "Confirm : Your System Will ShutDown IMMEDIATELY."
TWEAK_CLOSING = "dialtop : For your changes to be applied, you must logoff"
TWEAK_LINE = '[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"PaintDesktopVersion"=dword:00000001\n'
SHORT_FILE_SECONDS = 20


class Day:
    """What the steps share: the program, its clock window and the day's files."""

    def __init__(self, folder: str):
        self.config = os.path.join(folder, "config")
        self.morning_file = os.path.join(folder, "morning.wav")
        self.short_file = os.path.join(folder, "short.wav")
        # The prepared alarms' time, which this run never reaches.
        self.later = datetime.datetime.now() + datetime.timedelta(hours=6)
        self.due = None  # the minute alarm 2 is moved to
        self.clock = None
        self.wid = 0
        self.boxes = []  # the message boxes expected so far, by the start of their logged line
        self.screen_width = x11lib.screen_size()[0]

    def at(self, point: tuple, wid: int = 0) -> tuple:
        geometry = x11lib.window_geometry(wid or self.wid)
        return geometry.x + point[0], geometry.y + point[1]

    def icon_centre(self) -> tuple:
        geometry = x11lib.window_geometry(x11lib.docked_icon(self.clock.pid))
        return geometry.x + geometry.width // 2, geometry.y + geometry.height // 2

    def menu(self, *keys: str) -> None:
        x11lib.choose_from_menu(*self.at(TIME_LABEL), *keys, "Return")

    def window(self, size: tuple, what: str) -> int:
        return x11lib.wait_until(lambda: x11lib.program_window(self.clock.pid, *size), what=what)

    def close(self, size: tuple, what: str) -> None:
        wid = self.window(size, what)
        x11lib.click(*self.at(CLOSE[size], wid))
        gone(wid, f"{what} to close")

    def clock_at(self, x: int, y: int, width: int, what: str) -> None:
        expected = x11lib.Geometry(x, y, width, x11lib.window_geometry(self.wid).height)
        last = x11lib.geometry_becomes(self.wid, expected, timeout=5)
        assert last is None, f"{what}: the clock is at {last}, expected {expected}"

    def time_drawn_in(self, colour: str, other: str) -> None:
        def drawn() -> bool:
            area = x11lib.screenshot(window=self.wid).crop(*TIME_AREA)
            return area.count(colour) >= 20 and area.count(other) == 0

        x11lib.wait_until(drawn, timeout=5, interval=0.2, what=f"the time to be drawn in {colour}")

    def keyboard_to(self, wanted: Callable[[int], bool], what: str) -> None:
        x11lib.wait_until(lambda: wanted(int(x11lib.tool("xdotool", "getwindowfocus", check=False) or 0)),
                          what=f"{what} to take the keyboard")

    def settings(self) -> configparser.ConfigParser:
        parser = configparser.ConfigParser(interpolation=None)
        parser.read(self.clock.file("settings.ini"), encoding="utf-8")
        return parser

    def unexpected_boxes(self) -> list:
        shown = self.clock.message_boxes() if self.clock else []
        matches = len(shown) == len(self.boxes) and all(map(str.startswith, shown, self.boxes))
        return [] if matches else shown


def gone(wid: int, what: str) -> None:
    """Waits for the window to be unmapped (also when it has gone for good)."""
    def unmapped() -> bool:
        try:
            return x11lib.window_info(wid)["map_state"] != "IsViewable"
        except x11lib.X11Error:
            return True

    x11lib.wait_until(unmapped, what=what)


def start(day: Day) -> None:
    x11lib.write_tone(day.morning_file, 1)
    x11lib.write_tone(day.short_file, SHORT_FILE_SECONDS)
    later = day.later
    settings = (f"; kept by hand\n[timedif]\nminutes=330\ncountry=Pune\nshowexpanded=1\n"
                f"[alarm1]\nison=1\nhour={later.hour}\nminute={later.minute}\nsound={day.morning_file}\n"
                f"[alarm2]\nison=1\nhour={later.hour}\nminute={later.minute}\nsound=None\n")
    env = {"XDG_CONFIG_HOME": day.config, **SAFE_POWER,
           "QT_LOGGING_RULES": x11lib.MESSAGES_LOGGING_RULE}
    day.clock, day.wid = x11lib.start_clock(files={"settings.ini": settings}, env=env)
    assert LOG_MODE in day.clock.stderr(), "power requests are not only logged: nothing may be armed"
    day.clock_at(day.screen_width - EXPANDED, 0, EXPANDED, "expanded from the settings")
    x11lib.wait_until(lambda: x11lib.docked_icon(day.clock.pid), what="the icon in the tray")
    day.time_drawn_in(AMBER, GREY)


def collapse_and_expand(day: Day) -> None:
    x11lib.click(*day.at(ARROW))
    day.clock_at(day.screen_width - COLLAPSED, 0, COLLAPSED, "collapsed")
    x11lib.click(*day.at(ARROW))
    day.clock_at(day.screen_width - EXPANDED, 0, EXPANDED, "expanded again")


def every_window_from_the_menu(day: Day) -> None:
    for item, keys, size in FROM_THE_MENU:
        day.menu(*keys)
        wid = day.window(size, f"{item} to open a {size[0]}x{size[1]} window")
        if size == ALARMS:
            # The table shows the two alarms that are on: an "X" in their Use boxes alone.
            shot = x11lib.screenshot(window=wid)
            marked = [shot.crop(11, 23 + row * 24, 15, 15).count(USE_MARK) > 0 for row in range(4)]
            assert marked == [True, True, False, False], f"Use boxes of rows 1-4 marked: {marked}"
        day.close(size, item)


def about_from_its_square(day: Day) -> None:
    x11lib.click(*day.at(ABOUT_SQUARE))
    day.close(ABOUT, "the information window")


def about_and_minimize_from_the_tray(day: Day) -> None:
    x11lib.choose_from_menu(*day.icon_centre(), "Up", "Up", "Up", "Up", "Return")  # About
    day.close(ABOUT, "the information window")
    x11lib.choose_from_menu(*day.icon_centre(), "Up", "Up", "Return")  # Minimize
    gone(day.wid, "the clock to go into the tray")
    x11lib.click(*day.icon_centre())
    x11lib.wait_until(lambda: x11lib.window_info(day.wid)["map_state"] == "IsViewable",
                      what="a click on the icon to bring the clock back")


def move_an_alarm(day: Day) -> None:
    # The next minute at least 20 s away, so the typing below is done well before it.
    day.due = (datetime.datetime.now() + datetime.timedelta(seconds=80)).replace(second=0, microsecond=0)
    day.menu(*["Down"] * 7)
    wid = day.window(ALARMS, "the alarm table")
    day.keyboard_to(lambda focus: focus == wid, "the table")
    for left, text in [(54, str(day.due.hour)), (94, str(day.due.minute)), (240, day.short_file)]:
        x11lib.click(*day.at((left, 54), wid))  # row 2
        x11lib.key("ctrl+a", "BackSpace")
        x11lib.type_text(text)
    x11lib.click(*day.at(ALARM_OK, wid))
    gone(wid, "OK to close the table")
    row = day.settings()["alarm2"]
    stored = (row.get("hour"), row.get("minute"), row.get("sound"))
    assert stored == (str(day.due.hour), str(day.due.minute), day.short_file), f"stored {stored}"


def ring_and_stop_with_ctrl_f1(day: Day) -> None:
    assert day.due > datetime.datetime.now(), f"the table took until after {day.due:%H:%M}"
    wait = (day.due - datetime.datetime.now()).total_seconds()
    wid = x11lib.wait_for_window("Alarm", pid=day.clock.pid, timeout=wait + 15)
    rang_at = time.monotonic()
    assert datetime.datetime.now() >= day.due, f"rang before {day.due:%H:%M}"
    x11lib.wait_until(lambda: x11lib.screenshot(window=wid).colour(5, 300) == ORANGE, timeout=5,
                      what="the frame to flash orange")
    x11lib.key("ctrl+F1")
    gone(wid, "the ringing window to go")
    assert time.monotonic() - rang_at < SHORT_FILE_SECONDS - 5, "it rang on to the end of the file"


def arm_and_abort_a_shutdown(day: Day) -> None:
    day.menu(*SHUTDOWN, "Down", "Down", "Right", "Down", "Down", "Down")  # In Minutes, 10 Minutes
    day.time_drawn_in(GREY, AMBER)
    day.menu(*SHUTDOWN)  # ABORT
    day.time_drawn_in(AMBER, GREY)
    assert "requested" not in day.clock.stderr(), "a power request without Now!"


def shutdown_now(day: Day) -> None:
    day.menu(*SHUTDOWN, "Up")  # up from ABORT wraps to Now!
    box = x11lib.wait_for_window("Confirm", pid=day.clock.pid)
    day.boxes.append(CONFIRM_NOW)
    assert POWER_OFF_LOGGED not in day.clock.stderr(), "a request before the answer"
    x11lib.tool("xdotool", "windowactivate", "--sync", str(box), check=False)
    day.keyboard_to(lambda focus: focus == box, "the confirmation")
    x11lib.key("y")
    x11lib.wait_until(lambda: POWER_OFF_LOGGED in day.clock.stderr(), what="the logged power-off request")
    day.time_drawn_in(GREY, AMBER)
    assert day.clock.stderr().count(POWER_OFF_LOGGED) == 1, "asked more than once"


def change_a_tweak(day: Day) -> None:
    day.menu(*["Down"] * 6)
    editor = day.window(TWEAKS, "the tweak editor")
    day.keyboard_to(lambda focus: focus == editor, "the editor")
    x11lib.click(*day.at(TWEAK_VALUE, editor))
    x11lib.key("ctrl+a", "BackSpace")
    x11lib.type_text("1")
    x11lib.click(*day.at(TWEAK_OK, editor))
    x11lib.wait_until(lambda: TWEAK_CLOSING in day.clock.message_boxes(), what="the closing message")
    day.boxes.append(TWEAK_CLOSING)
    # The box is logged before it is shown: Return must wait until it has the keyboard.
    day.keyboard_to(lambda focus: focus not in (0, editor)
                    and x11lib.xprop_int(focus, "_NET_WM_PID") == day.clock.pid, "the closing message")
    x11lib.key("Return")
    gone(editor, "the editor to close")
    store = os.path.join(day.config, "dialtop", "registry", "HKEY_CURRENT_USER.reg")
    with open(store, encoding="utf-8") as file:
        assert TWEAK_LINE in file.read(), "the store does not hold the new value"


def blank_the_screen_and_leave(day: Day) -> None:
    x11lib.key("ctrl+shift+F1")
    screen = x11lib.screen_size()
    blank = day.window(screen, "the blank screen")
    day.keyboard_to(lambda focus: focus == blank, "the blank screen")
    assert x11lib.screenshot().count("#000000") > screen[0] * screen[1] * 0.99, "the screen is not black"
    x11lib.key("Escape")
    gone(blank, "Escape to leave the blank screen")
    x11lib.wait_until(lambda: x11lib.window_info(day.wid)["map_state"] == "IsViewable", what="the clock")


def drag_and_send_back_to_the_corner(day: Day) -> None:
    start = day.at(FACE)
    x11lib.press(*start)
    for step in range(1, 9):
        x11lib.move_mouse(start[0] - 300 * step // 8, start[1] + 200 * step // 8)
    x11lib.release()
    day.clock_at(day.screen_width - EXPANDED - 300, 200, EXPANDED, "after the drag")
    x11lib.click(*day.at(CORNER_SQUARE))
    day.clock_at(day.screen_width - EXPANDED, 0, EXPANDED, "after the Corner square")


def exit_and_read_the_file(day: Day) -> None:
    x11lib.click(*day.at(EXIT_SQUARE))
    assert day.clock.wait(timeout=10) == 0, "a non-zero exit code"
    with open(day.clock.file("settings.ini"), encoding="utf-8") as file:
        assert file.read().startswith("; kept by hand\n"), "the hand-written comment is lost"
    settings, later, due = day.settings(), day.later, day.due
    wanted = {"timedif": {"minutes": "330", "country": "Pune", "showexpanded": "1"},
              "alarm1": {"ison": "1", "hour": str(later.hour), "minute": str(later.minute),
                         "sound": day.morning_file},
              "alarm2": {"ison": "1", "hour": str(due.hour), "minute": str(due.minute),
                         "sound": day.short_file},
              "alarm3": {"ison": "0", "sound": "None"}}
    for section, values in wanted.items():
        found = {key: settings.get(section, key, fallback=None) for key in values}
        assert found == values, f"[{section}] holds {found}, expected {values}"
    # The countdown that Now! armed asked nothing more for the rest of the day.
    assert day.clock.stderr().count(POWER_OFF_LOGGED) == 1, "the power-off request was repeated"


STEPS = [
    ("start from a settings file with the second country and two alarms on", start),
    ("collapse and expand the clock with its arrow", collapse_and_expand),
    ("open every window from the menu and close it", every_window_from_the_menu),
    ("open the information window from the About square and close it", about_from_its_square),
    ("open About from the tray icon's menu, Minimize, click the icon", about_and_minimize_from_the_tray),
    ("move alarm 2 to the next minute with a short file", move_an_alarm),
    ("let alarm 2 ring and stop it with Ctrl+F1", ring_and_stop_with_ctrl_f1),
    ("arm a shutdown in 10 minutes and ABORT it", arm_and_abort_a_shutdown),
    ("choose shutdown Now! and answer Yes", shutdown_now),
    ("change a tweak and confirm it", change_a_tweak),
    ("blank the screen with Ctrl+Shift+F1 and leave it with Escape", blank_the_screen_and_leave),
    ("drag the clock by its face and send it back with the Corner square", drag_and_send_back_to_the_corner),
    ("Exit with the Exit square and read settings.ini", exit_and_read_the_file),
]


def run(day: Day) -> int:
    for number, (what, step) in enumerate(STEPS, 1):
        began = time.monotonic()
        try:
            step(day)
            unexpected = day.unexpected_boxes()
            assert not unexpected, f"message boxes shown: {unexpected}"
        except Exception as error:  # whatever went wrong, the message names the step
            problem = str(error) if isinstance(error, AssertionError) else f"{type(error).__name__}: {error}"
            if day.clock and not day.clock.running():
                problem += f" (the program had ended, exit code {day.clock.process.returncode})"
            print(f"step {number}: {what}: {problem}", file=sys.stderr)
            saved = x11lib.screenshot().save(os.path.abspath("day_in_the_life_failure.png"))
            print(f"the screen at that moment: {saved}", file=sys.stderr)
            if day.clock:
                print(f"--- stderr of the program ---\n{day.clock.stderr()}", file=sys.stderr)
            return 1
        print(f"step {number}: {what}: {time.monotonic() - began:.1f} s", flush=True)
    return 0


def main() -> int:
    folder = tempfile.mkdtemp(prefix="dialtop-day-")
    day = Day(folder)
    began = time.monotonic()
    try:
        status = run(day)
    finally:
        if day.clock:
            day.clock.cleanup()
        shutil.rmtree(folder, ignore_errors=True)
    print(f"the day took {time.monotonic() - began:.1f} s")
    return status


if __name__ == "__main__":
    sys.exit(main())
