#!/usr/bin/python3
"""The clock forced onto Qt's native Wayland platform, with no X display at all, on a KWin desktop
that offers no shortcut portal: its keys cannot be had, and it says so in one notice, not in a box
for each combination it tries.

Run by ctest on a private headless desktop (run-in-kwin).
"""

import unittest

import waylandlib
import x11lib


class NativeWaylandOnKWin(unittest.TestCase):
    def test_one_notice_about_the_keys(self):
        with x11lib.Program(env={"QT_QPA_PLATFORM": "wayland", "DISPLAY": None}) as clock:
            boxes = x11lib.wait_until(clock.message_boxes, what="a message box")
            # The key chains run before the notice: a box of theirs would come first.
            self.assertEqual(len(boxes), 1, boxes)
            self.assertIn("The Desktop Does NOT Offer Global Shortcuts", boxes[0])
            clock_window = x11lib.wait_until(lambda: waylandlib.placed_window("Dialtop"), what="KWin to list the clock")
            self.assertEqual((clock_window.geometry.width, clock_window.geometry.height), (83, 44))


if __name__ == "__main__":
    unittest.main(verbosity=2)
