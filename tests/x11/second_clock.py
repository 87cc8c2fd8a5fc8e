#!/usr/bin/python3
"""The second country's clock in a real X session with openbox: the arrow expands the window to
156 pixels at the top-right corner and collapses it back; the country dialog opens under the
clock, and its OK changes the second clock at the next tick and the settings file on Exit.

Run by ctest inside a private X session (run-in-xsession).
"""

import re
import unittest

import x11lib

ARROW = (73, 28)         # the middle of the arrow label, client (68, 22), 9x13; client = window + (1, 1)
TIME_LABEL = (41, 14)
FACE = (2, 2)            # the outer frame's fill
CORNER_SQUARE = (53, 30)
# Window x, y, width, height of the two time labels' digits, inside the inner frame and above the
# battery figure and the country name.
LOCAL_TIME = (5, 6, 73, 16)
SECOND_TIME = (83, 6, 68, 16)
DIALOG = (187, 83)
COUNTRY_EDIT = (140, 12)  # dialog coordinates
MINUTES_EDIT = (140, 32)
OK_BUTTON = (70, 69)


def text_mask(image: x11lib.Image, x: int, y: int, width: int, height: int) -> tuple:
    """The lit pixels of a time area, cut to their bounding box: the text's shape, whatever its colour."""
    area = image.crop(x, y, width, height)
    lit = [(px, py) for py in range(height) for px in range(width) if area.pixel(px, py) != (0, 0, 0)]
    if not lit:
        return ()
    left, top = min(p[0] for p in lit), min(p[1] for p in lit)
    return tuple(sorted((px - left, py - top) for px, py in lit))


class SecondClock(unittest.TestCase):
    def setUp(self):
        self.clock, self.wid = x11lib.start_clock()
        self.addCleanup(self.clock.cleanup)
        self.screen_width, _ = x11lib.screen_size()
        self.height = x11lib.window_geometry(self.wid).height

    def wait_geometry(self, x, y, width, what):
        expected = x11lib.Geometry(x, y, width, self.height)
        last = x11lib.geometry_becomes(self.wid, expected, timeout=5)
        if last is not None:
            self.fail(f"{what}: {last}, expected {expected}")

    def click_arrow(self):
        geometry = x11lib.window_geometry(self.wid)
        x11lib.click(geometry.x + ARROW[0], geometry.y + ARROW[1])

    def same_times(self) -> bool:
        shot = x11lib.screenshot(window=self.wid)
        local = text_mask(shot, *LOCAL_TIME)
        return bool(local) and local == text_mask(shot, *SECOND_TIME)

    def test_arrow_expands_at_the_corner_and_collapses_back(self):
        self.wait_geometry(self.screen_width - 83, 0, 83, "at start")
        self.click_arrow()
        self.wait_geometry(self.screen_width - 156, 0, 156, "expanded")
        self.click_arrow()
        self.wait_geometry(self.screen_width - 83, 0, 83, "collapsed")

    def test_arrow_after_corner_keeps_the_clock_docked(self):
        # The window manager places the window after Corner in its own time; repeated, as the
        # stale place it may leave behind comes and goes.
        for _ in range(3):
            start = x11lib.window_geometry(self.wid)
            x11lib.press(start.x + FACE[0], start.y + FACE[1])
            for step in range(1, 9):
                x11lib.move_mouse(start.x + FACE[0] - 40 * step, start.y + FACE[1] + 30 * step)
            x11lib.release()
            self.wait_geometry(start.x - 320, 240, 83, "dragged away")
            x11lib.click(start.x - 320 + CORNER_SQUARE[0], 240 + CORNER_SQUARE[1])
            self.wait_geometry(self.screen_width - 83, 0, 83, "after Corner")
            self.click_arrow()
            self.wait_geometry(self.screen_width - 156, 0, 156, "expanded after Corner")
            self.click_arrow()
            self.wait_geometry(self.screen_width - 83, 0, 83, "collapsed")

    def test_country_dialog_changes_the_second_clock_and_the_file(self):
        self.click_arrow()
        self.wait_geometry(self.screen_width - 156, 0, 156, "expanded")
        # Without a settings file the difference is 0: both clocks show the same time.
        self.assertTrue(x11lib.eventually(self.same_times, timeout=5), "the two clocks differ at start")

        geometry = x11lib.window_geometry(self.wid)
        x11lib.choose_from_menu(geometry.x + TIME_LABEL[0], geometry.y + TIME_LABEL[1],
                                "Down", "Down", "Down", "Down", "Down", "Return")  # Additional Country Settings

        def dialog():
            # xdotool's search misses this window once openbox has framed it: read the tree.
            tree = x11lib.tool("xwininfo", "-root", "-tree")
            found = re.search(r"^\s*(0x[0-9a-f]+) \"dialtop\": .*  %dx%d\+" % DIALOG, tree, re.MULTILINE)
            return int(found.group(1), 16) if found else None

        wid = x11lib.wait_until(dialog, timeout=5, what="the country dialog")
        place = x11lib.window_geometry(wid)
        self.assertEqual((place.x, place.y), (self.screen_width - 187, self.height),
                         "not under the clock with the right edges aligned")

        x11lib.click(place.x + COUNTRY_EDIT[0], place.y + COUNTRY_EDIT[1])
        x11lib.key("ctrl+a")
        x11lib.type_text("Athens")
        x11lib.click(place.x + MINUTES_EDIT[0], place.y + MINUTES_EDIT[1])
        x11lib.key("ctrl+a")
        x11lib.key("minus")  # xdotool would read "-120" as an option
        x11lib.type_text("120")
        x11lib.click(place.x + OK_BUTTON[0], place.y + OK_BUTTON[1])
        x11lib.wait_until(lambda: dialog() is None, timeout=5, what="the dialog to close")

        # The next tick shows the new difference; twice in a row, so no half-painted frame counts.
        changed = x11lib.eventually(lambda: not self.same_times() and not self.same_times(), timeout=1.5,
                                    interval=0.1)
        self.assertTrue(changed, "the second clock still shows the local time")
        self.assertEqual(x11lib.window_geometry(self.wid).width, 156, "OK changed the view")

        geometry = x11lib.window_geometry(self.wid)
        x11lib.choose_from_menu(geometry.x + TIME_LABEL[0], geometry.y + TIME_LABEL[1], "Up", "Return")  # Exit
        self.assertEqual(self.clock.wait(timeout=10), 0)
        with open(self.clock.file("settings.ini"), encoding="utf-8") as file:
            text = file.read().lower()
        self.assertIn("minutes=-120", text)
        self.assertIn("country=athens", text)


if __name__ == "__main__":
    unittest.main(verbosity=2)
