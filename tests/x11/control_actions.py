#!/usr/bin/python3
"""`dialtop --action NAME` from a shell reaches the running clock over a private session bus; a second
clock waits in line for the bus name and takes it when the first ends. Run inside run-in-xsession.
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

    def action(self, name: str) -> bool:
        return subprocess.run([os.environ["DIALTOP_BINARY"], "--action", name], env={**os.environ, **self.bus},
                              stdin=subprocess.DEVNULL, timeout=60).returncode == 0

    def clock_after_boxes(self, clock: x11lib.Program) -> int:
        """Dismisses the clock's boxes about taken keys ("dialtop") until the clock ("Dialtop") shows."""
        def shown():
            # xdotool search ignores case.
            windows = {wid: x11lib.window_name(wid) for wid in x11lib.find_windows("^dialtop$", pid=clock.pid)}
            for box in (wid for wid, name in windows.items() if name == "dialtop"):
                x11lib.tool("xdotool", "windowactivate", "--sync", str(box), check=False)
                x11lib.key("Return")
            return [wid for wid, name in windows.items() if name == "Dialtop"]
        return x11lib.wait_until(shown, timeout=120, interval=0.2, what="the second clock")[0]

    def test_actions_reach_the_clock_that_owns_the_name_then_the_next_in_line(self):
        first, first_wid = x11lib.start_clock(env=self.bus)
        self.addCleanup(first.cleanup)
        self.assertTrue(x11lib.eventually(lambda: self.action("blank")), "the first clock does not answer")
        x11lib.wait_until(lambda: covering_window(first.pid), what="the blank screen")
        x11lib.key("Escape")

        second = x11lib.Program(env=self.bus)
        self.addCleanup(second.cleanup)
        second_wid = self.clock_after_boxes(second)
        for wid in (first_wid, second_wid):
            self.assertEqual(x11lib.window_info(wid)["map_state"], "IsViewable")

        self.assertTrue(self.action("exit"))
        self.assertEqual(first.wait(timeout=30), 0)
        self.assertTrue(x11lib.eventually(lambda: self.action("show"), timeout=30), "the name was not passed on")
        self.assertTrue(second.running())


if __name__ == "__main__":
    unittest.main(verbosity=2)
