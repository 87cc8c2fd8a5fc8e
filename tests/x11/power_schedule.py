#!/usr/bin/python3
"""The shutdown scheduler from the clock's real popup menu, run by ctest in a private X session.

The program runs with DIALTOP_POWER_ACTIONS=log (requests are only written to its stderr) and a
system-bus address that leads nowhere; each test checks that it is in that mode before arming.
"""

import datetime
import re
import unittest

import x11lib

AMBER = "#E4C156"
GREY = "#808080"
TIME_AREA = (7, 6, 71, 19)  # window coordinates: x, y, width, height
TIME_LABEL = (41, 14)
SAFE = {
    "DIALTOP_POWER_ACTIONS": "log",
    "DBUS_SYSTEM_BUS_ADDRESS": "unix:path=/nonexistent/dialtop-test-system-bus",
    "QT_LOGGING_RULES": x11lib.MESSAGES_LOGGING_RULE + ";dialtop.schedule.info=true;dialtop.schedule.debug=true",
}
LOG_MODE = "dialtop: power requests are written here, not performed"
POWER_OFF_LOGGED = "dialtop: power off requested"
COUNTDOWN_RAN_OUT = "shutdown countdown ran out"


class PowerSchedule(unittest.TestCase):
    def setUp(self):
        self.clock, self.wid = x11lib.start_clock(env=SAFE)
        self.addCleanup(self.clock.cleanup)
        self.geometry = x11lib.window_geometry(self.wid)
        self.assertIn(LOG_MODE, self.clock.stderr(), "not in the log mode: nothing may be armed")

    def time_area(self) -> x11lib.Image:
        x, y, width, height = TIME_AREA
        return x11lib.screenshot(window=self.wid).crop(x, y, width, height)

    def wait_for_colour(self, colour, other):
        def shown():
            area = self.time_area()
            return area.count(colour) >= 20 and area.count(other) == 0

        self.assertTrue(x11lib.eventually(shown, timeout=5, interval=0.2),
                        f"the time is not drawn in {colour} alone")

    def shutdown_submenu(self, *keys):
        """Opens the popup menu, then "Scedule Shutdown" (its third item), then presses keys."""
        before = x11lib.popup_windows()
        # xdotool's synchronous move waits for a motion that never comes when the pointer is there.
        x11lib.move_mouse(self.geometry.x - 100, 300)
        x11lib.click(self.geometry.x + TIME_LABEL[0], self.geometry.y + TIME_LABEL[1], button=3)
        x11lib.wait_until(lambda: x11lib.popup_windows() - before, timeout=5, what="the popup menu")
        x11lib.key("Down", "Down", "Down", "Right", *keys)

    def due_times(self, kind):
        return re.findall(rf"^dialtop\.schedule: {kind} at (.*)$", self.clock.stderr(), re.MULTILINE)

    def test_ten_minutes_arms_grey_and_abort_disarms(self):
        self.wait_for_colour(AMBER, GREY)
        # ABORT, "In Seconds", "In Minutes"; its fourth item is "10 Minutes".
        self.shutdown_submenu("Down", "Down", "Right", "Down", "Down", "Down", "Return")
        armed_at = datetime.datetime.now()
        self.wait_for_colour(GREY, AMBER)
        due = x11lib.wait_until(lambda: self.due_times("shutdown"), timeout=5, what="the due time")
        self.assertEqual(len(due), 1, due)
        due_time = datetime.datetime.strptime(due[0], "%H:%M:%S").time()
        expected = armed_at + datetime.timedelta(minutes=10)
        gap = abs((datetime.datetime.combine(expected.date(), due_time) - expected).total_seconds())
        self.assertLess(min(gap, 86400 - gap), 5, f"due at {due[0]}, armed at {armed_at:%H:%M:%S}")
        self.assertEqual(self.due_times("reboot"), ["Not Scheduled"])

        self.shutdown_submenu("Return")  # ABORT
        self.wait_for_colour(AMBER, GREY)
        x11lib.wait_until(lambda: self.due_times("shutdown")[-1:] == ["Not Scheduled"], timeout=5,
                          what="the shutdown's due time to read Not Scheduled")
        self.assertNotIn("requested", self.clock.stderr())

    def test_now_answered_yes_requests_a_power_off_once(self):
        self.shutdown_submenu("Up", "Return")  # up from ABORT wraps to "Now!"
        x11lib.wait_until(lambda: any(box.startswith("Confirm : Your System Will ShutDown IMMEDIATELY.")
                                      for box in self.clock.message_boxes()),
                          timeout=5, what="the confirmation")
        box = x11lib.wait_for_window("Confirm", pid=self.clock.pid)
        self.assertNotIn(POWER_OFF_LOGGED, self.clock.stderr(), "a request before the answer")
        x11lib.tool("xdotool", "windowactivate", "--sync", str(box), check=False)
        x11lib.key("y")  # the box's Yes
        x11lib.wait_until(lambda: POWER_OFF_LOGGED in self.clock.stderr(), timeout=5,
                          what="the logged power-off request")
        self.wait_for_colour(GREY, AMBER)
        # Fifteen more runs of the 100 ms countdown: the accepted request is not asked again.
        ran_out = self.clock.stderr().count(COUNTDOWN_RAN_OUT)
        x11lib.wait_until(lambda: self.clock.stderr().count(COUNTDOWN_RAN_OUT) >= ran_out + 15, timeout=10,
                          what="fifteen more runs of the countdown")
        self.assertEqual(self.clock.stderr().count(POWER_OFF_LOGGED), 1, self.clock.stderr())
        self.assertTrue(self.clock.running())


if __name__ == "__main__":
    unittest.main(verbosity=2)
