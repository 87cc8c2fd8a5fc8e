#!/usr/bin/python3
"""Alarms ringing in the real program, with GStreamer playing into a fake sink
(DIALTOP_AUDIO_SINK).

An alarm written into settings.ini for the next minute rings then and goes away at the end of its
one-second file; a ringing one flashes its frame orange, and Ctrl+F1 from anywhere stops it; and STOP
ALARM can be clicked while the 5 % battery warning box is open, or a dialog opened during the ring,
which comes above the ringing window.

Run by ctest inside a private X session (run-in-xsession).
"""

import datetime
import os
import re
import shutil
import tempfile
import time
import unittest

import x11lib

ALARM_SIZE = (416, 468)
STOP_ALARM = (171 + 100, 436 + 10)  # the middle of the button, inside the window
TIME_LABEL = (41, 14)  # a point on the clock's time label
COUNTRY = (187, 83)  # the size of the Additional Country Settings dialog


def alarm_settings(row: int, when: datetime.datetime, sound: str) -> str:
    return f"[alarm{row}]\nison=1\nhour={when.hour}\nminute={when.minute}\nsound={sound}\n"


def ringing_soon() -> datetime.datetime:
    """The next minute when enough of this one is left for the program to start, else the one
    after; an alarm rings when its minute begins while the program runs."""
    now = datetime.datetime.now()
    return now + datetime.timedelta(minutes=1 if now.second < 50 else 2)


class AlarmRing(unittest.TestCase):
    def setUp(self):
        self.media = tempfile.mkdtemp(prefix="dialtop-media-")
        self.addCleanup(shutil.rmtree, self.media, True)

    def start(self, settings: str, env: dict = None) -> x11lib.Program:
        clock, _ = x11lib.start_clock(files={"settings.ini": settings}, env=env)
        self.addCleanup(clock.cleanup)
        return clock

    def alarm_window(self, clock: x11lib.Program, timeout: float) -> int:
        return x11lib.wait_for_window("Alarm", pid=clock.pid, timeout=timeout)

    def assert_window_goes(self, clock: x11lib.Program, timeout: float, why: str) -> None:
        x11lib.wait_until(lambda: not x11lib.find_windows("^Alarm$", pid=clock.pid), timeout=timeout,
                          what=why)

    def test_next_minute_rings_and_ends_with_its_file(self):
        sound = os.path.join(self.media, "one second #1.wav")
        x11lib.write_tone(sound, 1)
        due = (datetime.datetime.now() + datetime.timedelta(minutes=1)).replace(second=0, microsecond=0)
        clock = self.start(alarm_settings(3, due, sound))
        self.assertEqual(x11lib.find_windows("^Alarm$", pid=clock.pid), [], "rang before its minute")
        wid = self.alarm_window(clock, timeout=(due - datetime.datetime.now()).total_seconds() + 10)
        rang_at = datetime.datetime.now()
        self.assertGreaterEqual(rang_at, due)
        geometry = x11lib.window_geometry(wid)
        self.assertEqual((geometry.width, geometry.height), ALARM_SIZE)
        self.assert_window_goes(clock, timeout=5, why="the window to go at the end of the file")
        self.assertEqual(clock.message_boxes(), [])

    def test_ctrl_f1_stops_a_ringing_alarm(self):
        sound = os.path.join(self.media, "long.wav")
        x11lib.write_tone(sound, 60)
        clock = self.start(alarm_settings(5, ringing_soon(), sound))
        wid = self.alarm_window(clock, timeout=140)
        # Ringing: the frame flashes orange once a second.
        x11lib.wait_until(lambda: x11lib.screenshot(window=wid).colour(5, 300) == "#FF8000",
                          timeout=5, what="the frame to flash orange")
        x11lib.key("ctrl+F1")
        self.assert_window_goes(clock, timeout=5, why="Ctrl+F1 to stop the alarm")
        self.assertEqual(clock.message_boxes(), [])

    def test_stop_alarm_is_clickable_over_a_battery_warning(self):
        supplies = tempfile.mkdtemp(prefix="dialtop-supplies-")
        self.addCleanup(shutil.rmtree, supplies, True)
        for name, value in [("AC/type", "Mains"), ("AC/online", 0), ("BAT0/type", "Battery"),
                            ("BAT0/capacity", 5), ("BAT0/status", "Discharging")]:
            os.makedirs(os.path.join(supplies, os.path.dirname(name)), exist_ok=True)
            with open(os.path.join(supplies, name), "w") as file:
                file.write(f"{value}\n")
        clock = self.start(alarm_settings(1, ringing_soon(), "None"),
                           env={"DIALTOP_POWER_SUPPLY_DIR": supplies})
        box = x11lib.wait_for_window("Warning", pid=clock.pid, timeout=10)
        wid = self.alarm_window(clock, timeout=140)
        geometry = x11lib.window_geometry(wid)
        x11lib.click(geometry.x + STOP_ALARM[0], geometry.y + STOP_ALARM[1])
        self.assert_window_goes(clock, timeout=5, why="STOP ALARM to close the ringing window")
        self.assertIn(box, x11lib.find_windows("^Warning$", pid=clock.pid), "the warning stays open")

    def test_stop_alarm_is_clickable_over_a_dialog_opened_while_ringing(self):
        sound = os.path.join(self.media, "long.wav")
        x11lib.write_tone(sound, 60)
        clock, clock_wid = x11lib.start_clock(
            files={"settings.ini": alarm_settings(2, ringing_soon(), sound)})
        self.addCleanup(clock.cleanup)
        wid = self.alarm_window(clock, timeout=140)
        place = x11lib.window_geometry(clock_wid)
        x11lib.choose_from_menu(place.x + TIME_LABEL[0], place.y + TIME_LABEL[1],
                                *["Down"] * 5, "Return")  # Additional Country Settings

        def dialog():
            tree = x11lib.tool("xwininfo", "-root", "-tree")
            found = re.search(r"^\s*(0x[0-9a-f]+) \"dialtop\": .*  %dx%d\+" % COUNTRY, tree,
                              re.MULTILINE)
            return int(found.group(1), 16) if found else None

        country = x11lib.wait_until(dialog, timeout=10, what="the country dialog")
        stacking = [int(w, 16) for w in
                    re.findall(r"0x[0-9a-f]+", x11lib.xprop(x11lib.root_window(), "_NET_CLIENT_LIST_STACKING"))]
        self.assertGreater(stacking.index(country), stacking.index(wid),
                           "the dialog opened under the ringing window")
        geometry = x11lib.window_geometry(wid)
        x11lib.click(geometry.x + STOP_ALARM[0], geometry.y + STOP_ALARM[1])
        self.assert_window_goes(clock, timeout=5, why="STOP ALARM to close the ringing window")


if __name__ == "__main__":
    unittest.main()
