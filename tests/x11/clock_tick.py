#!/usr/bin/python3
"""The clock ticks: the time area of the face shows amber #E4C156 digits that change once a second.

The time label sits at client (6, 5), 71x19 pixels; client = window + (1, 1). The area is sampled
until it has changed four times; the changes must be about one second apart, and every time shown
must differ from the ones before (the time moves on, it does not flicker between two pictures).

Run by ctest inside a private X session (run-in-xsession).
"""

import time
import unittest

import x11lib

AMBER = "#E4C156"
TIME_AREA = (7, 6, 71, 19)  # window coordinates: x, y, width, height
MAX_SAMPLING_SECONDS = 15


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
        # A screenshot shows the screen at some moment between the start and the end of taking it,
        # and on a loaded machine taking one can last a second: every time is kept as the interval
        # it may lie in, never as the moment the test happened to look.
        start = time.monotonic()
        samples = []  # (started, ended, picture), seconds since start

        def sample():
            started = time.monotonic() - start
            picture = self.time_area()
            samples.append((started, time.monotonic() - start, picture))

        sample()
        pictures = [samples[0][2]]
        changes = []  # (earliest, latest) moment of each change seen
        while len(changes) < 4 and time.monotonic() - start < MAX_SAMPLING_SECONDS:
            sample()
            if samples[-1][2] != pictures[-1]:
                changes.append((samples[-2][0], samples[-1][1]))
                pictures.append(samples[-1][2])
            time.sleep(0.05)

        report = f"changes seen within {[(round(a, 2), round(b, 2)) for a, b in changes]} s"
        self.assertGreaterEqual(len(changes), 4, report)
        self.assertLess(changes[0][0], 1.5, report)
        for (earliest, latest), (next_earliest, next_latest) in zip(changes, changes[1:]):
            shortest, longest = next_earliest - latest, next_latest - earliest
            self.assertTrue(shortest <= 1.5 and longest >= 0.5,
                            f"changes between {shortest:.2f} and {longest:.2f} s apart; {report}")
        self.assertEqual(len(set(pictures)), len(pictures),
                         f"the time area went back to a picture it showed before; {report}")
        for picture in pictures:
            self.assertGreater(picture.count(AMBER), 0, "a picture of the time without amber pixels")


if __name__ == "__main__":
    unittest.main(verbosity=2)
