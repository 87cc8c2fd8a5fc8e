#!/usr/bin/python3
"""`dialtop --action blank`, run from a shell as a desktop's own key binding would run it, reaches
the clock running on a KWin Wayland desktop that offers no shortcut portal, and blanks the screen.

Run by ctest on a private headless desktop (run-in-kwin).
"""

import os
import subprocess
import unittest

import waylandlib
import x11lib


class ActionOnKWin(unittest.TestCase):
    def test_an_action_from_a_shell_reaches_the_running_clock(self):
        with x11lib.Program() as clock:
            x11lib.wait_until(lambda: x11lib.program_window(clock.pid, 83, 44), what="the clock's window")
            done = subprocess.run([os.environ["DIALTOP_BINARY"], "--action", "blank"], stdin=subprocess.DEVNULL,
                                  capture_output=True, text=True, timeout=30)
            self.assertEqual(done.returncode, 0, done.stderr)
            x11lib.wait_until(lambda: waylandlib.covering_window(clock.pid, "#000000"), what="the blank screen")


if __name__ == "__main__":
    unittest.main(verbosity=2)
