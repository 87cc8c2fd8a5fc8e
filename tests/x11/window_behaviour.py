#!/usr/bin/python3
"""The clock window's behaviour in a real X session with openbox: dragging by the face and by a
label, the creep along the top, translucency and always-on-top as the window manager sees them,
and the start at log-in as a desktop entry.

Run by ctest inside a private X session (run-in-xsession).
"""

import os
import shutil
import tempfile
import unittest

import x11lib

WIDTH = 83
FACE = (2, 2)           # window coordinates of the outer frame's fill, clear of labels and squares
TIME_LABEL = (41, 14)   # on the time label, which sits at client (6, 5); client = window + (1, 1)
MOVE_SQUARE = (31, 30)  # the middle of the Move square, client (25, 24) + 5, plus (1, 1)


def drag(start, end, steps=8):
    """A left-button drag through the window system: press, move in steps, release."""
    x11lib.press(*start)
    for step in range(1, steps + 1):
        x11lib.move_mouse(start[0] + (end[0] - start[0]) * step // steps,
                          start[1] + (end[1] - start[1]) * step // steps)
    x11lib.release()


class WindowBehaviour(unittest.TestCase):
    def setUp(self):
        self.config = tempfile.mkdtemp(prefix="dialtop-config-")
        self.addCleanup(shutil.rmtree, self.config, True)
        # A program path with a space in it, which the desktop entry must quote.
        self.binary_folder = tempfile.mkdtemp(prefix="dialtop bin ")
        self.addCleanup(shutil.rmtree, self.binary_folder, True)
        binary = os.path.join(self.binary_folder, "dial top")
        shutil.copy2(os.environ["DIALTOP_BINARY"], binary)
        self.clock, self.wid = x11lib.start_clock(binary=binary, env={"XDG_CONFIG_HOME": self.config})
        self.addCleanup(self.clock.cleanup)
        self.screen_width, _ = x11lib.screen_size()
        self.geometry = x11lib.window_geometry(self.wid)

    def at(self, point):
        return self.geometry.x + point[0], self.geometry.y + point[1]

    def wait_geometry(self, x, y, width=WIDTH, what="the window's place"):
        expected = x11lib.Geometry(x, y, width, self.geometry.height)
        last = x11lib.geometry_becomes(self.wid, expected, timeout=5)
        if last is not None:
            self.fail(f"{what}: {last}, expected {expected}")
        self.geometry = expected

    def choose(self, *keys):
        x11lib.choose_from_menu(*self.at(TIME_LABEL), *keys)

    def test_drag_by_the_face_and_by_a_label(self):
        start = self.at(FACE)
        drag(start, (start[0] - 300, start[1] + 200))
        self.wait_geometry(self.geometry.x - 300, self.geometry.y + 200, what="after a drag on the face")

        # The pressed point of the label stays level with the cursor, one pixel to its right.
        start = self.at(TIME_LABEL)
        end = (start[0] - 250, start[1] + 100)
        drag(start, end)
        self.wait_geometry(end[0] - TIME_LABEL[0] + 1, end[1] - TIME_LABEL[1], what="after a label drag")

        # A middle-button drag on the label leaves it where it is.
        start = self.at(TIME_LABEL)
        x11lib.press(*start, button=2)
        x11lib.move_mouse(start[0] + 60, start[1] + 60)
        x11lib.release(button=2)
        self.wait_geometry(self.geometry.x, self.geometry.y, what="after a middle-button drag")

    def test_creep_moves_left_and_wraps_to_the_right_edge(self):
        start = self.at(TIME_LABEL)
        end = (TIME_LABEL[0] + 1, start[1] + 100)  # the window's left at 2
        drag(start, end)
        self.wait_geometry(2, self.geometry.y + 100, what="after a label drag to the left edge")

        x11lib.click(*self.at(MOVE_SQUARE))
        lefts = []

        def wrapped():
            lefts.append(x11lib.window_geometry(self.wid).x)
            return lefts[-1] > self.screen_width // 2

        self.assertTrue(x11lib.eventually(wrapped, timeout=5, interval=0.02),
                        f"no wrap to the right edge; lefts seen {lefts}")
        self.assertTrue(any(left < 2 for left in lefts[:-1]), f"no step left before the wrap: {lefts}")
        right = self.screen_width - WIDTH  # the work area spans the screen's width here
        self.assertTrue(x11lib.eventually(lambda: x11lib.window_geometry(self.wid).x < right - 2, timeout=5),
                        "the creep did not go on after the wrap")
        self.assertEqual(x11lib.window_geometry(self.wid).y, self.geometry.y, "the top changed")

        # A right press on a label opens the menu, which takes the release: the creep must go on.
        now = x11lib.window_geometry(self.wid)
        x11lib.choose_from_menu(now.x + TIME_LABEL[0], now.y + TIME_LABEL[1], "Escape")
        left = x11lib.window_geometry(self.wid).x
        self.assertTrue(x11lib.eventually(lambda: x11lib.window_geometry(self.wid).x < left - 2, timeout=5),
                        "the creep stayed paused after the menu")

    def test_translucency_and_always_on_top_reach_the_window_manager(self):
        # Transparency, then its submenu's first item "Enable" and four items down to "50%".
        self.choose("Down", "Down", "Right", "Down", "Down", "Down", "Down", "Down", "Return")
        wanted = 128 / 255 * 0xFFFFFFFF
        opacity = x11lib.eventually(lambda: x11lib.xprop_int(self.wid, "_NET_WM_WINDOW_OPACITY"), timeout=5)
        self.assertIsNotNone(opacity, "no _NET_WM_WINDOW_OPACITY after choosing 50%")
        self.assertAlmostEqual(opacity / wanted, 1, delta=0.01)

        # "Enable" again turns it off: fully opaque.
        self.choose("Down", "Down", "Right", "Return")
        opaque = x11lib.eventually(
            lambda: x11lib.xprop_int(self.wid, "_NET_WM_WINDOW_OPACITY") in (None, 0xFFFFFFFF), timeout=5)
        self.assertTrue(opaque, "still translucent after unchecking Enable")

        def above():
            return "_NET_WM_STATE_ABOVE" in x11lib.xprop_atoms(self.wid, "_NET_WM_STATE")

        self.choose("Down", "Return")
        self.assertTrue(x11lib.eventually(above, timeout=5), "not above after Always On Top")
        self.choose("Down", "Return")
        self.assertTrue(x11lib.eventually(lambda: not above(), timeout=5), "still above after unchecking")

    def test_start_at_log_in_writes_and_removes_the_desktop_entry(self):
        entry = os.path.join(self.config, "autostart", "dialtop.desktop")
        # From the bottom: Exit, Minimize, (Restore is disabled), Start with Windows.
        self.choose("Up", "Up", "Up", "Return")
        self.assertTrue(x11lib.eventually(lambda: os.path.isfile(entry), timeout=5), "no autostart entry")
        with open(entry, encoding="utf-8") as file:
            text = file.read()
        self.assertIn(f'\nExec="{self.clock.path}"\n', text)
        self.assertIn(f"\nTryExec={self.clock.path}\n", text)
        self.assertIn("\nTerminal=false\n", text)

        # The menu now offers "Don't Start with Windows" in the same place.
        self.choose("Up", "Up", "Up", "Return")
        self.assertTrue(x11lib.eventually(lambda: not os.path.exists(entry), timeout=5),
                        "the entry is still there")


if __name__ == "__main__":
    unittest.main(verbosity=2)
