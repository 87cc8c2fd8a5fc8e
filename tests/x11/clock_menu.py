#!/usr/bin/python3
"""The clock's popup menu and the ways out of the program.

A right click on the face opens the popup menu: a new override-redirect window appears. Choosing
"Exit" (Up from no selection wraps to the last item, then Return) or pressing the Exit square
ends the program with exit code 0, after it wrote settings.ini beside its executable.

Run by ctest inside a private X session (run-in-xsession).
"""

import os
import unittest

import x11lib

TIME_LABEL = (41, 14)  # a point on the time label, window coordinates
EXIT_SQUARE = (64, 30)  # the middle of the Exit square: client (58, 24) + 5, plus (1, 1)


class ClockMenu(unittest.TestCase):
    def setUp(self):
        self.clock = x11lib.Program()
        self.addCleanup(self.clock.cleanup)
        self.wid = x11lib.wait_for_window("Dialtop", pid=self.clock.pid)
        self.geometry = x11lib.window_geometry(self.wid)

    def at(self, point):
        return self.geometry.x + point[0], self.geometry.y + point[1]

    def open_menu(self) -> int:
        """Right-clicks the time label and returns the id of the menu window that appears."""
        before = x11lib.popup_windows()
        x11lib.click(*self.at(TIME_LABEL), button=3)
        new = x11lib.eventually(lambda: x11lib.popup_windows() - before, timeout=5)
        self.assertTrue(new, "no new override-redirect window after a right click on the clock")
        self.assertEqual(len(new), 1, f"several new popup windows: {sorted(new)}")
        return new.pop()

    def assert_exited_with_settings(self):
        try:
            code = self.clock.wait(timeout=10)
        except x11lib.X11Error:
            self.fail("the program still runs 10 s after Exit")
        self.assertEqual(code, 0, f"exit code; stderr:\n{self.clock.stderr()}")
        settings = self.clock.file("settings.ini")
        self.assertTrue(os.path.isfile(settings), "no settings.ini beside the program after Exit")
        with open(settings, encoding="utf-8", errors="replace") as file:
            self.assertIn("[timedif]", file.read().lower(), "settings.ini has no [timedif] section")

    def test_right_click_opens_the_menu(self):
        menu = self.open_menu()
        info = x11lib.window_info(menu)
        screen_width, screen_height = x11lib.screen_size()
        # A menu of fourteen rows, not a tooltip, and all of it on the screen.
        self.assertGreater(info["height"], 150, f"menu window {info}")
        self.assertGreater(info["width"], 60, f"menu window {info}")
        self.assertLessEqual(info["x"] + info["width"], screen_width, f"menu window {info}")
        self.assertLessEqual(info["y"] + info["height"], screen_height, f"menu window {info}")
        # It opens where the click was: the click point lies on one of its edges or inside it.
        click_x, click_y = self.at(TIME_LABEL)
        self.assertTrue(info["x"] <= click_x <= info["x"] + info["width"] and
                        info["y"] <= click_y <= info["y"] + info["height"],
                        f"menu window {info} does not reach the click at ({click_x}, {click_y})")

        # Escape closes it and the clock goes on running.
        x11lib.key("Escape")
        closed = x11lib.eventually(lambda: menu not in x11lib.popup_windows(), timeout=5)
        self.assertTrue(closed, "the menu is still open after Escape")
        self.assertTrue(self.clock.running(), "the clock ended after the menu closed")

    def test_a_quick_second_right_click_opens_the_menu_again(self):
        def menu_open() -> bool:
            return any(x11lib.window_info(wid)["height"] > 150 for wid in x11lib.popup_windows())

        x11lib.move_mouse(*self.at(TIME_LABEL))
        # Off the label afterwards: the next test's synced move there would never end.
        self.addCleanup(x11lib.move_mouse, 0, 0)
        x11lib.tool("xdotool", "click", "3")
        self.assertTrue(x11lib.eventually(menu_open, timeout=5), "no menu after the first right click")
        # The second right click as soon as Escape has closed the menu (a press sent earlier would go to
        # the closing menu's pointer grab): on a machine that is not loaded it comes within a double
        # click of the first.
        x11lib.key("Escape")
        self.assertTrue(x11lib.eventually(lambda: not menu_open(), timeout=5), "the menu stayed open")
        x11lib.tool("xdotool", "click", "3")
        self.assertTrue(x11lib.eventually(menu_open, timeout=5), "no menu after a quick second right click")
        # Still open and taking keys: Exit.
        x11lib.key("Up", "Return")
        self.assert_exited_with_settings()

    def test_exit_from_the_menu(self):
        self.open_menu()
        self.assertFalse(os.path.exists(self.clock.file("settings.ini")),
                         "settings.ini was there before Exit")
        x11lib.key("Up", "Return")
        self.assert_exited_with_settings()

    def test_exit_square(self):
        x11lib.click(*self.at(EXIT_SQUARE), button=1)
        self.assert_exited_with_settings()


if __name__ == "__main__":
    unittest.main(verbosity=2)
