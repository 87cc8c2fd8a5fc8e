#!/usr/bin/python3
"""The battery watch with the real power-supply reader: the program reads a simulated
/sys/class/power_supply (DIALTOP_POWER_SUPPLY_DIR) once a tick.

On battery the window grows from 44 to 53 pixels to show the remaining-time line, and shrinks
back on mains power; at 5 % on battery the warning box appears once, the clock ticks on under it,
and the clock stays in view however often the warning comes.

Run by ctest inside a private X session (run-in-xsession).
"""

import os
import shutil
import tempfile
import unittest

import x11lib

WIDTH = 83
TIME_AREA = (7, 6, 71, 19)  # window coordinates: x, y, width, height
BATTERY_AREA = (5, 23, 20, 13)


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

    def area(self, box) -> x11lib.Image:
        x, y, width, height = box
        return x11lib.screenshot(window=self.wid).crop(x, y, width, height)

    def wait_for_warning(self, clock: x11lib.Program, count: int) -> int:
        box = x11lib.wait_for_window("Warning", pid=clock.pid, timeout=5)
        x11lib.wait_until(lambda: len(clock.message_boxes()) == count, timeout=5, what="the warning in the log")
        return box

    def close_warning(self, clock: x11lib.Program, box: int) -> None:
        # The box may not have the focus yet: give it the focus before typing to it.
        x11lib.tool("xdotool", "windowactivate", "--sync", str(box))
        x11lib.key("Return")
        closed = x11lib.eventually(lambda: not x11lib.find_windows("^Warning$", pid=clock.pid), timeout=5)
        self.assertTrue(closed, f"the warning box {box} is still open after Return")

    def assert_clock_in_view(self, when: str) -> None:
        info = x11lib.window_info(self.wid)
        states = x11lib.xprop_atoms(self.wid, "_NET_WM_STATE")
        self.assertEqual(info["map_state"], "IsViewable", f"{when}: the clock is not shown ({states})")
        self.assertNotIn("_NET_WM_STATE_HIDDEN", states, f"{when}: the clock is iconified")

    def settled_figure(self):
        """The battery figure once it is amber again (red marks the tick of a change); else None."""
        figure = self.area(BATTERY_AREA)
        # Small antialiased digits: judge the hue of every lit pixel, not exact colours.
        lit = [(r, g) for r, g, _ in figure.pixels() if r > 40]
        red = any(g < r // 4 for r, g in lit)
        return figure if lit and not red else None

    def test_five_percent_warning_once_while_the_clock_ticks_on(self):
        supplies = SimulatedSupplies(online=0, capacity=5, status="Discharging")
        clock = self.start(supplies)
        box = self.wait_for_warning(clock, 1)
        self.assertEqual(clock.message_boxes(), ["Warning : Ποσοστό Μπαταρίας 5% !!"])
        # Ticks go on underneath the open box: the time moves on, twice, and no second box opens.
        pictures = [self.area(TIME_AREA)]

        def face_moved_on():
            if self.area(TIME_AREA) != pictures[-1]:
                pictures.append(self.area(TIME_AREA))
            return len(pictures) >= 3

        self.assertTrue(x11lib.eventually(face_moved_on, timeout=6, interval=0.1),
                        "the time did not change twice while the warning box was open")
        self.assertEqual(len(clock.message_boxes()), 1, clock.message_boxes())
        self.close_warning(clock, box)
        self.assertTrue(clock.running())

    def test_warnings_leave_the_clock_in_view(self):
        # The warning brings the clock to the front; it must never stay iconified on the way.
        supplies = SimulatedSupplies(online=0, capacity=6, status="Discharging")
        clock = self.start(supplies)
        self.assert_geometry_becomes(53, "on battery")
        six = x11lib.wait_until(self.settled_figure, timeout=5, what="the battery figure")
        for round in range(1, 5):
            supplies.set(online=0, capacity=5, status="Discharging")
            box = self.wait_for_warning(clock, round)
            # The box is mapped after the clock's own requests to the window manager were handled.
            self.assert_clock_in_view(f"warning {round}, box open")
            self.close_warning(clock, box)
            self.assert_clock_in_view(f"warning {round}, box closed")
            supplies.set(online=0, capacity=6, status="Discharging")
            # A tick at 6 % re-arms the warning: the figure goes back to what it showed.
            x11lib.wait_until(lambda: self.settled_figure() == six, timeout=5, what="6 % on the face")


if __name__ == "__main__":
    unittest.main(verbosity=2)
