#!/usr/bin/python3
"""The clock's icon in the notification area, with trayer as the tray host.

The icon is the program's XEmbed window inside trayer (it carries _XEMBED_INFO and the program's
_NET_WM_PID). It blinks between two frames once a second; its tip is the clock's time and battery;
a left click brings a clock hidden by Minimize back, and an open dialog forward over another
program's window; a right press opens the popup menu, once; and when the tray host goes away and
comes back, the icon comes back with it.

Run by ctest inside a private X session (run-in-xsession) with DIALTOP_NO_TRAY=1: the tests start
and stop their own trayer.
"""

import re
import subprocess
import time
import unittest

import x11lib

TIP = re.compile(r'dialtop\.tray: tip "(\d{1,2}):(\d\d):(\d\d)(?: [AP]M)? \((?:AC|\d+)%\)"')


def start_trayer() -> subprocess.Popen:
    trayer = subprocess.Popen(["trayer", "--edge", "bottom", "--align", "right", "--widthtype", "request",
                               "--height", "24", "--SetDockType", "true", "--SetPartialStrut", "true"],
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    # trayer's window is named "panel"; it owns the tray selection once it is mapped.
    x11lib.wait_until(lambda: '"panel"' in x11lib.tool("xwininfo", "-root", "-tree", check=False),
                      what="trayer's window")
    return trayer


def stop(process: subprocess.Popen) -> None:
    if process.poll() is None:
        process.terminate()
        process.wait(timeout=10)


def click(x: int, y: int, button: int) -> None:
    x11lib.move_mouse(x, y)
    x11lib.tool("xdotool", "click", str(button))


def start_clock_logging_tips() -> tuple[x11lib.Program, int]:
    return x11lib.start_clock(env={"QT_LOGGING_RULES": x11lib.MESSAGES_LOGGING_RULE + ";dialtop.tray.debug=true"})


def tips(clock: x11lib.Program) -> list[tuple[str, str, str]]:
    """The tips the program gave the tray so far, as (hour, minute, second)."""
    return TIP.findall(clock.stderr())


def choose_minimize(wid: int) -> None:
    geometry = x11lib.window_geometry(wid)
    click(geometry.x + 41, geometry.y + 14, button=3)
    x11lib.wait_until(x11lib.popup_windows, timeout=5, what="the clock's menu")
    x11lib.key("Up", "Up", "Return")  # Exit, then Minimize (Restore is disabled)


class TrayIcon(unittest.TestCase):
    def setUp(self):
        self.trayer = start_trayer()
        self.addCleanup(stop, self.trayer)
        self.clock, self.wid = start_clock_logging_tips()
        self.addCleanup(self.clock.cleanup)
        self.icon = x11lib.wait_until(lambda: x11lib.docked_icon(self.clock.pid), what="the icon in trayer")

    def icon_centre(self) -> tuple[int, int]:
        geometry = x11lib.window_geometry(self.icon)
        return geometry.x + geometry.width // 2, geometry.y + geometry.height // 2

    def test_icon_alternates_two_frames_once_a_second(self):
        shots = []

        def changed():
            shots.append(x11lib.screenshot(window=self.icon))
            return len(shots) > 1 and shots[-1] != shots[-2]

        started = time.monotonic()
        x11lib.wait_until(changed, timeout=5, interval=0.1, what="the icon to change its frame")
        first_change = shots[-1]
        shots.clear()
        x11lib.wait_until(changed, timeout=5, interval=0.1, what="the icon to change again")
        self.assertNotEqual(first_change, shots[-1])
        shots.clear()
        x11lib.wait_until(changed, timeout=5, interval=0.1, what="the icon to change a third time")
        self.assertEqual(shots[-1], first_change, "two frames, alternating")
        elapsed = time.monotonic() - started
        self.assertLess(elapsed, 4.5, f"three frame changes took {elapsed:.1f} s")
        self.assertGreater(shots[-1].width, 15)

    def test_tip_follows_the_clock(self):
        x11lib.wait_until(lambda: len(tips(self.clock)) >= 3, timeout=10, what="three tips")
        seen = tips(self.clock)
        hour, minute, second = (int(part) for part in seen[-1])
        now = time.localtime()
        drift = abs((now.tm_hour % 12 * 3600 + now.tm_min * 60 + now.tm_sec) -
                    (hour % 12 * 3600 + minute * 60 + second))
        self.assertLess(min(drift, 12 * 3600 - drift), 5, f"tip {seen[-1]} against {time.strftime('%T')}")
        self.assertEqual(len(set(seen)), len(seen), "each tip is a new second")

        # Hovering over the icon shows it; the pointer comes from elsewhere, as a user's does.
        x11lib.move_mouse(100, 100)
        before = x11lib.popup_windows()
        x11lib.move_mouse(*self.icon_centre())
        shown = x11lib.eventually(lambda: x11lib.popup_windows() - before, timeout=5)
        self.assertTrue(shown, "no tooltip over the icon")

    def test_a_click_brings_the_minimised_clock_back(self):
        choose_minimize(self.wid)
        x11lib.wait_until(lambda: x11lib.window_info(self.wid)["map_state"] != "IsViewable", timeout=5,
                          what="the clock to go into the tray")
        self.assertIsNotNone(x11lib.docked_icon(self.clock.pid), "the icon went away with the clock")
        click(*self.icon_centre(), button=1)
        x11lib.wait_until(lambda: x11lib.window_info(self.wid)["map_state"] == "IsViewable", timeout=5,
                          what="the clock to come back")
        x11lib.wait_until(lambda: x11lib.xprop(x11lib.root_window(), "_NET_ACTIVE_WINDOW") == f"window id # {hex(self.wid)}",
                          timeout=5, what="the clock to be the active window")
        self.assertIn("_NET_WM_STATE_SKIP_TASKBAR", x11lib.xprop_atoms(self.wid, "_NET_WM_STATE"))

    def test_a_click_brings_the_open_dialog_forward_from_another_program(self):
        clock = x11lib.window_geometry(self.wid)
        click(clock.x + 41, clock.y + 14, button=3)
        x11lib.wait_until(x11lib.popup_windows, timeout=5, what="the clock's menu")
        x11lib.key(*["Down"] * 6, "Return")  # Tweaking

        def focused_editor():
            focus = int(x11lib.tool("xdotool", "getwindowfocus", check=False).strip() or 0)
            size = x11lib.window_geometry(focus) if focus else None
            return focus if size and (size.width, size.height) == (540, 392) else None

        editor = x11lib.wait_until(focused_editor, timeout=10, what="the tweak editor")
        other = subprocess.Popen(["xmessage", "-geometry", "+0+0", "another program"])
        self.addCleanup(stop, other)

        def active() -> str:
            return x11lib.xprop(x11lib.root_window(), "_NET_ACTIVE_WINDOW") or ""

        shown = x11lib.wait_until(lambda: x11lib.find_windows("^xmessage$"), what="the other program")
        x11lib.wait_until(lambda: active() == f"window id # {hex(shown[0])}",
                          what="the other program to take the focus")
        click(*self.icon_centre(), button=1)
        x11lib.wait_until(lambda: active() == f"window id # {hex(editor)}", timeout=5,
                          what="the tweak editor to be the active window")

    def test_a_right_press_opens_the_menu_once(self):
        before = x11lib.popup_windows()
        x11lib.move_mouse(*self.icon_centre())
        x11lib.tool("xdotool", "mousedown", "3")
        try:
            menus = x11lib.eventually(lambda: x11lib.popup_windows() - before, timeout=5)
            self.assertTrue(menus, "no menu while the button is still down")
            # Nothing to wait for: this looks for a second menu that must not come. A slow second
            # menu could only make the test pass wrongly, never fail wrongly.
            time.sleep(0.3)
            menus = x11lib.popup_windows() - before
            self.assertEqual(len(menus), 1, f"menus: {sorted(menus)}")
            self.assertGreater(x11lib.window_info(menus.pop())["height"], 150, "the whole popup menu")
        finally:
            x11lib.release(3)
        x11lib.key("Escape")

    def test_the_icon_comes_back_with_a_new_tray_host(self):
        stop(self.trayer)
        x11lib.wait_until(lambda: x11lib.docked_icon(self.clock.pid) is None, timeout=5, what="the icon to go")
        self.trayer = start_trayer()
        self.addCleanup(stop, self.trayer)
        self.icon = x11lib.wait_until(lambda: x11lib.docked_icon(self.clock.pid), timeout=10,
                                      what="the icon in the new trayer")
        self.assertTrue(self.clock.running())


class NoTrayHost(unittest.TestCase):
    def test_minimize_leaves_a_way_back(self):
        clock, wid = start_clock_logging_tips()
        self.addCleanup(clock.cleanup)
        choose_minimize(wid)
        x11lib.wait_until(lambda: "_NET_WM_STATE_HIDDEN" in x11lib.xprop_atoms(wid, "_NET_WM_STATE"),
                          timeout=5, what="the clock to be iconified")
        # Two ticks, which must not take the taskbar entry away.
        ticks = len(tips(clock))
        x11lib.wait_until(lambda: len(tips(clock)) >= ticks + 2, timeout=5, what="two ticks")
        self.assertNotIn("_NET_WM_STATE_SKIP_TASKBAR", x11lib.xprop_atoms(wid, "_NET_WM_STATE"),
                         "iconified without a taskbar entry: no way back")
        # What a taskbar does when its entry is clicked.
        x11lib.tool("wmctrl", "-i", "-a", str(wid))
        x11lib.wait_until(lambda: x11lib.window_info(wid)["map_state"] == "IsViewable", timeout=5,
                          what="the clock to come back")


if __name__ == "__main__":
    unittest.main(verbosity=2)
