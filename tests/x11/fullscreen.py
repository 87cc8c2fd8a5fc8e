#!/usr/bin/python3
"""The blank screen and the penguin window, opened by their hotkeys in the real program.

Ctrl+Shift+F1 covers the whole screen in black, panels included, takes the keyboard focus and is
left with Escape; Alt+Ctrl+R covers it in white with penguins coming and going, and is left with
Tab. Either covers and holds the keyboard over an open dialog of the program and over the other
one; leaving gives the keyboard back to what is beneath. DIALTOP_NO_WM=1 runs the same without a
window manager.

Run by ctest inside a private X session (run-in-xsession).
"""

import re
import unittest

import tweak_editor
import x11lib


def covering_windows(pid: int) -> list[int]:
    """The program's viewable windows that cover the whole screen. (xdotool search misses windows
    that the window manager has reparented.)"""
    width, height = x11lib.screen_size()
    tree = x11lib.tool("xwininfo", "-root", "-tree", check=False)
    pattern = rf"^\s+(0x[0-9a-fA-F]+) .*\s{width}x{height}\+-?\d+\+-?\d+\s+\+0\+0$"
    found = []
    for wid in (int(found, 16) for found in re.findall(pattern, tree, re.MULTILINE)):
        try:
            if (x11lib.xprop_int(wid, "_NET_WM_PID") == pid
                    and x11lib.window_info(wid)["map_state"] == "IsViewable"):
                found.append(wid)
        except x11lib.X11Error:
            continue  # gone meanwhile
    return found


def covering_window(pid: int) -> int | None:
    return next(iter(covering_windows(pid)), None)


def top_window_covers_screen() -> bool:
    """Whether the topmost viewable managed window (or frame) spans the whole screen."""
    width, height = x11lib.screen_size()
    for wid in x11lib.root_children():
        info = x11lib.window_info(wid)
        if info["map_state"] == "IsViewable" and not info["override_redirect"]:
            return (info["x"], info["y"], info["width"], info["height"]) == (0, 0, width, height)
    return False


def focus() -> int:
    return int(x11lib.tool("xdotool", "getwindowfocus").strip())


class FullScreen(unittest.TestCase):
    def setUp(self):
        self.clock, self.wid = x11lib.start_clock()
        self.addCleanup(self.clock.cleanup)
        self.width, self.height = x11lib.screen_size()

    def open(self, keys: str) -> int:
        x11lib.key(keys)
        return x11lib.wait_until(lambda: covering_window(self.clock.pid), what=f"a window covering the screen after {keys}")

    def assert_left_with(self, key: str, window: int) -> None:
        x11lib.key(key)
        x11lib.wait_until(lambda: covering_window(self.clock.pid) is None, timeout=5, what=f"{key} to leave")
        self.assertNotEqual(x11lib.window_info(window)["map_state"], "IsViewable")
        x11lib.wait_until(lambda: x11lib.window_info(self.wid)["map_state"] == "IsViewable", timeout=5,
                          what="the clock to be there again")
        self.assertTrue(self.clock.running())

    def test_blank_screen_covers_everything_holds_the_focus_and_leaves_with_escape(self):
        blank = self.open("ctrl+shift+F1")
        x11lib.wait_until(lambda: focus() == blank, timeout=5, what="the keyboard focus on the blank screen")
        shot = x11lib.screenshot()
        # Black everywhere but the small hint; the tray panel at the bottom is covered too.
        self.assertGreater(shot.count("#000000"), self.width * self.height * 0.99)
        self.assertEqual(shot.colour(self.width - 5, self.height - 5), "#000000", "the panel shows through")
        x11lib.key("space")
        self.assertEqual(focus(), blank, "Space must not leave or lose the focus")
        self.assertIsNotNone(covering_window(self.clock.pid))
        self.assert_left_with("Escape", blank)

    def test_penguins_come_and_go_and_tab_leaves(self):
        # Also from the clock's own keyboard handling: the global hotkey takes it first.
        penguin = self.open("alt+ctrl+r")
        x11lib.wait_until(lambda: focus() == penguin, timeout=5, what="the keyboard focus on the penguins")
        shots = []

        def moved():
            shots.append(x11lib.screenshot(window=penguin))
            distinct = set(shots)
            return len(distinct) >= 3 and any(shot.count("#FFFFFF") < self.width * self.height * 0.97
                                              for shot in distinct)

        x11lib.wait_until(moved, timeout=10, interval=0.2, what="penguins to appear and change")
        self.assert_left_with("Tab", penguin)

    def test_blank_screen_covers_and_holds_the_keyboard_over_an_open_dialog(self):
        editor = tweak_editor.TweakEditor.open_editor(self)
        blank = self.open("ctrl+shift+F1")
        x11lib.wait_until(lambda: focus() == blank, timeout=5, what="the keyboard focus on the blank screen")
        x11lib.wait_until(top_window_covers_screen, timeout=5, what="the blank screen on top of everything")
        self.assertGreater(x11lib.screenshot().count("#000000"), self.width * self.height * 0.99,
                           "the dialog shows through")
        x11lib.key("Escape")
        x11lib.wait_until(lambda: covering_window(self.clock.pid) is None, timeout=5, what="Escape to leave")
        self.assertEqual(tweak_editor.shown_editor(), editor)
        x11lib.wait_until(lambda: focus() == editor, timeout=5, what="the keyboard back in the dialog")

    def test_stacked_screens_are_left_one_by_one(self):
        penguin = self.open("alt+ctrl+r")
        x11lib.key("ctrl+shift+F1")
        blank = x11lib.wait_until(lambda: next((wid for wid in covering_windows(self.clock.pid) if wid != penguin),
                                               None), what="the blank screen over the penguins")
        x11lib.wait_until(lambda: focus() == blank, timeout=5, what="the keyboard focus on the blank screen")
        x11lib.key("Escape")
        x11lib.wait_until(lambda: covering_windows(self.clock.pid) == [penguin], timeout=5,
                          what="Escape to leave the blank screen only")
        x11lib.wait_until(lambda: focus() == penguin, timeout=5, what="the keyboard focus back on the penguins")
        self.assert_left_with("Escape", penguin)


if __name__ == "__main__":
    unittest.main(verbosity=2)
