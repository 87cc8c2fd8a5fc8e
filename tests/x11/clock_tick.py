#!/usr/bin/python3
"""The clock ticks: the time area of the face shows amber #E4C156 digits that change once a second.

The time label sits at client (6, 5), 71x19 pixels; client = window + (1, 1). The area is sampled
for a few seconds; the moments at which it changes must be about one second apart, and every
time shown must differ from the ones before (the time moves on, it does not flicker between two
pictures).

Run by ctest inside a private X session (run-in-xsession).
"""

import time
import unittest

import x11lib

AMBER = "#E4C156"
TIME_AREA = (7, 6, 71, 19)  # window coordinates: x, y, width, height
SAMPLING_SECONDS = 4.6


class ClockTick(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.clock, cls.wid = x11lib.start_clock()

    @classmethod
    def tearDownClass(cls):
        cls.clock.cleanup()

    def time_area(self) -> x11lib.Image:
        x, y, width, height = TIME_AREA
        return x11lib.screenshot(window=self.wid).crop(x, y, width, height)

    def test_digits_are_amber(self):
        counts = []

        def amber_pixels():
            counts.append(self.time_area().count(AMBER))
            return counts[-1] >= 20

        # Bold 17-pixel digits have plenty of fully covered pixels in the exact text colour.
        if not x11lib.eventually(amber_pixels, timeout=5, interval=0.2):
            self.fail(f"the time area has {counts[-1]} pixels of {AMBER}; expected at least 20")

    def test_digits_change_every_second(self):
        start = time.monotonic()
        pictures = [self.time_area()]
        changes = []  # seconds since start at which a new picture was first seen
        while time.monotonic() - start < SAMPLING_SECONDS:
            picture = self.time_area()
            if picture != pictures[-1]:
                changes.append(time.monotonic() - start)
                pictures.append(picture)
            time.sleep(0.05)

        report = f"changes seen at {[round(t, 2) for t in changes]} s"
        self.assertGreaterEqual(len(changes), 3, report)
        self.assertLessEqual(len(changes), 6, report)
        self.assertLess(changes[0], 1.5, report)
        gaps = [later - earlier for earlier, later in zip(changes, changes[1:])]
        for gap in gaps:
            self.assertTrue(0.5 <= gap <= 1.5, f"a gap of {gap:.2f} s between changes; {report}")
        self.assertEqual(len(set(pictures)), len(pictures),
                         f"the time area went back to a picture it showed before; {report}")
        for picture in pictures:
            self.assertGreater(picture.count(AMBER), 0, "a picture of the time without amber pixels")


if __name__ == "__main__":
    unittest.main(verbosity=2)
