#!/usr/bin/python3
"""The battery watch with the real power-supply reader: the program reads a simulated
/sys/class/power_supply (DIALTOP_POWER_SUPPLY_DIR) once a tick.

On battery the window grows from 44 to 53 pixels to show the remaining-time line, and shrinks
back on mains power; at 5 % on battery the warning box appears once.

Run by ctest inside a private X session (run-in-xsession).
"""

import os
import shutil
import tempfile
import time
import unittest

import x11lib

WIDTH = 83


class SimulatedSupplies:
    """A folder laid out like /sys/class/power_supply: AC (Mains) and BAT0 (Battery)."""

    def __init__(self, online: int, capacity: int, status: str):
        self.folder = tempfile.mkdtemp(prefix="dialtop-supplies-")
        self.write("AC/type", "Mains")
        self.write("BAT0/type", "Battery")
        self.set(online, capacity, status)

    def write(self, name: str, value) -> None:
        path = os.path.join(self.folder, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path + ".part", "w") as file:
            file.write(f"{value}\n")
        os.replace(path + ".part", path)  # the program never sees a half-written file

    def set(self, online: int, capacity: int, status: str) -> None:
        self.write("AC/online", online)
        self.write("BAT0/capacity", capacity)
        self.write("BAT0/status", status)

    def remove(self) -> None:
        shutil.rmtree(self.folder, ignore_errors=True)


class ClockBattery(unittest.TestCase):
    def start(self, supplies: SimulatedSupplies) -> x11lib.Program:
        self.addCleanup(supplies.remove)
        clock = x11lib.Program(env={"DIALTOP_POWER_SUPPLY_DIR": supplies.folder})
        self.addCleanup(clock.cleanup)
        self.wid = x11lib.wait_for_window("Dialtop", pid=clock.pid)
        return clock

    def assert_geometry_becomes(self, height: int, when: str) -> None:
        screen_width, _ = x11lib.screen_size()
        expected = x11lib.Geometry(screen_width - WIDTH, 0, WIDTH, height)
        last = x11lib.geometry_becomes(self.wid, expected, timeout=4)
        if last is not None:
            self.fail(f"{when}: window geometry {last}, expected {expected}")

    def test_window_grows_on_battery_and_shrinks_on_mains(self):
        supplies = SimulatedSupplies(online=0, capacity=42, status="Discharging")
        clock = self.start(supplies)
        self.assert_geometry_becomes(53, "on battery")
        # The frame follows: the outer box's outline now runs along client row 50.
        shot = x11lib.screenshot(window=self.wid)
        self.assertEqual(shot.colour(1 + 40, 1 + 50), "#FFFFFF", "outer box outline at the new bottom")
        self.assertEqual(shot.colour(40, 52), "#000000", "window border at the new bottom")

        supplies.set(online=1, capacity=42, status="Charging")
        self.assert_geometry_becomes(44, "back on mains power")
        self.assertEqual(clock.message_boxes(), [], "no warning at 42 %")

    def test_five_percent_warning_once(self):
        supplies = SimulatedSupplies(online=0, capacity=5, status="Discharging")
        clock = self.start(supplies)
        box = x11lib.wait_for_window("Warning", pid=clock.pid, timeout=5)
        boxes = x11lib.wait_until(clock.message_boxes, timeout=5, what="the warning in the log")
        self.assertEqual(boxes, ["Warning : Ποσοστό Μπαταρίας 5% !!"])
        # Ticks go on underneath the open box without opening a second one.
        time.sleep(2.5)
        self.assertEqual(len(clock.message_boxes()), 1, clock.message_boxes())
        x11lib.key("Return")
        closed = x11lib.eventually(lambda: not x11lib.find_windows("^Warning$", pid=clock.pid), timeout=5)
        self.assertTrue(closed, f"the warning box {box} is still open after Return")
        self.assertTrue(clock.running())


if __name__ == "__main__":
    unittest.main(verbosity=2)
