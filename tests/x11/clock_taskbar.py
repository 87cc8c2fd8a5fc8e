#!/usr/bin/python3
"""The clock has no taskbar entry: its window carries _NET_WM_STATE_SKIP_TASKBAR, the hint that
taskbars and pagers (and openbox's own window lists) honour.

Run by ctest inside a private X session (run-in-xsession).
"""

import unittest

import x11lib


class ClockTaskbarEntry(unittest.TestCase):
    def test_window_skips_the_taskbar(self):
        with x11lib.Program() as clock:
            wid = x11lib.wait_for_window("Dialtop", pid=clock.pid)
            states = []

            def skips_taskbar():
                states[:] = x11lib.xprop_atoms(wid, "_NET_WM_STATE")
                return "_NET_WM_STATE_SKIP_TASKBAR" in states

            if not x11lib.eventually(skips_taskbar, timeout=5, interval=0.1):
                self.fail(f"_NET_WM_STATE of the clock is {states or 'empty'}; "
                          "_NET_WM_STATE_SKIP_TASKBAR is missing")
            self.assertTrue(clock.running(), "the clock ended by itself")


if __name__ == "__main__":
    unittest.main(verbosity=2)
