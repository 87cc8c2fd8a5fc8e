#!/usr/bin/python3
"""A close request to the clock (a window manager's close, as wmctrl -c or Alt+F4 send it) ends
the program: it exits without writing settings.ini and lets its global keys go.

Run by ctest inside a private X session (run-in-xsession); $HOTKEY_HOLDER tells whether another
client could take a combination.
"""

import os
import subprocess
import unittest

import x11lib

SETTINGS = "[timedif]\nminutes=30\ncountry=Oslo\n"
TAKEN = 3  # hotkey_holder's answer for a combination another client holds


def free(modifiers: str, key: str) -> bool:
    code = subprocess.run([os.environ["HOTKEY_HOLDER"], "try", modifiers, key], timeout=10).returncode
    if code not in (0, TAKEN):
        raise x11lib.X11Error(f"hotkey_holder failed ({code})")
    return code == 0


class ClockClose(unittest.TestCase):
    def test_close_request_ends_the_program_without_saving(self):
        clock, wid = x11lib.start_clock(files={"settings.ini": SETTINGS})
        self.addCleanup(clock.cleanup)
        self.assertFalse(free("ctrl", "F1"), "the program does not hold Ctrl+F1")

        x11lib.tool("wmctrl", "-i", "-c", hex(wid))
        try:
            code = clock.wait(timeout=10)
        except x11lib.X11Error:
            self.fail("the program still runs 10 s after the close request")
        self.assertEqual(code, 0, clock.stderr())
        with open(clock.file("settings.ini"), encoding="utf-8") as file:
            self.assertEqual(file.read(), SETTINGS, "settings.ini was written")
        self.assertEqual(clock.message_boxes(), [])
        for modifiers, key in [("ctrl", "F1"), ("ctrl+alt", "r"), ("ctrl+shift", "F1")]:
            self.assertTrue(free(modifiers, key), f"{modifiers}+{key} is still held")


if __name__ == "__main__":
    unittest.main(verbosity=2)
