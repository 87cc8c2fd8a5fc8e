#!/usr/bin/python3
"""The clock has no taskbar entry: its window carries _NET_WM_STATE_SKIP_TASKBAR, the hint that
taskbars and pagers (and openbox's own window lists) honour, and the clock puts the hint back
within a tick or two when another client takes it away.

Run by ctest inside a private X session (run-in-xsession).
"""

import unittest

import x11lib


class ClockTaskbarEntry(unittest.TestCase):
    def test_window_skips_the_taskbar_and_keeps_skipping_it(self):
        with x11lib.Program() as clock:
            wid = x11lib.wait_for_window("Dialtop", pid=clock.pid)
            states = []

            def skips_taskbar():
                states[:] = x11lib.xprop_atoms(wid, "_NET_WM_STATE")
                return "_NET_WM_STATE_SKIP_TASKBAR" in states

            if not x11lib.eventually(skips_taskbar, timeout=5, interval=0.1):
                self.fail(f"_NET_WM_STATE of the clock is {states or 'empty'}; "
                          "_NET_WM_STATE_SKIP_TASKBAR is missing")

            # A request to the window manager, as a taskbar or a user's script would send it. The
            # clock may put the hint back before we look, so try a few times to see it gone.
            for _ in range(5):
                x11lib.tool("wmctrl", "-i", "-r", str(wid), "-b", "remove,skip_taskbar")
                if x11lib.eventually(lambda: not skips_taskbar(), timeout=0.5, interval=0.02):
                    break
            else:
                self.fail("the window manager never took the hint away; the test proves nothing")
            if not x11lib.eventually(skips_taskbar, timeout=5, interval=0.1):
                self.fail(f"the clock did not put the hint back: _NET_WM_STATE is {states or 'empty'}")
            self.assertTrue(clock.running(), "the clock ended by itself")


if __name__ == "__main__":
    unittest.main(verbosity=2)
