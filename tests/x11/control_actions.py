#!/usr/bin/python3
"""`dialtop --action NAME` from a shell reaches the running clock over the session bus.

A private dbus-daemon stands in for the session bus. The first clock owns the bus name; a second
clock (its keys all taken by the first, so it shows its seventeen boxes first) waits in line for
it, and gets it when the first ends by `--action exit`.

Run by ctest inside a private X session (run-in-xsession).
"""

import os
import subprocess
import unittest

import x11lib
from fullscreen import covering_window


class ControlActions(unittest.TestCase):
    def setUp(self):
        daemon = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                                  stdout=subprocess.PIPE, text=True)
        self.addCleanup(daemon.wait)
        self.addCleanup(daemon.terminate)
        self.bus = {"DBUS_SESSION_BUS_ADDRESS": daemon.stdout.readline().strip()}
        daemon.stdout.close()

    def action(self, name: str) -> int:
        """The exit status of `dialtop --action NAME`, as a shell would run it."""
        return subprocess.run([os.environ["DIALTOP_BINARY"], "--action", name], env={**os.environ, **self.bus},
                              stdin=subprocess.DEVNULL, timeout=60).returncode

    def start_second_clock(self) -> tuple[x11lib.Program, int]:
        """The second clock, once each of its boxes about a taken key is dismissed."""
        clock = x11lib.Program(env=self.bus)
        self.addCleanup(clock.cleanup)

        def dismissed_or_shown():
            shown = [wid for wid in x11lib.find_windows("^Dialtop$", pid=clock.pid)
                     if x11lib.window_name(wid) == "Dialtop"]
            if shown:
                return shown[0]
            for box in x11lib.find_windows("^dialtop$", pid=clock.pid):
                x11lib.tool("xdotool", "windowactivate", "--sync", str(box), check=False)
                x11lib.key("Return")
            return None

        return clock, x11lib.wait_until(dismissed_or_shown, timeout=120, interval=0.2, what="the second clock")

    def test_actions_reach_the_clock_that_owns_the_name_then_the_next_in_line(self):
        first, first_wid = x11lib.start_clock(env=self.bus)
        self.addCleanup(first.cleanup)
        self.assertTrue(x11lib.eventually(lambda: self.action("blank") == 0), "the first clock does not answer")
        x11lib.wait_until(lambda: covering_window(first.pid), what="the blank screen")
        x11lib.key("Escape")

        second, second_wid = self.start_second_clock()
        self.assertEqual(x11lib.window_info(first_wid)["map_state"], "IsViewable")
        self.assertEqual(x11lib.window_info(second_wid)["map_state"], "IsViewable")

        self.assertEqual(self.action("exit"), 0)
        self.assertEqual(first.wait(timeout=30), 0)
        self.assertTrue(second.running(), "both clocks ended")
        self.assertTrue(x11lib.eventually(lambda: self.action("show") == 0, timeout=30),
                        "the second clock did not take the name")
        self.assertTrue(second.running())


if __name__ == "__main__":
    unittest.main(verbosity=2)
