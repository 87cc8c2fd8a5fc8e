#!/usr/bin/python3
"""The clock window of the real program: title, size, place in the top-right corner of the screen
and the colours of its face, read from a screenshot.

Run by ctest inside a private X session (run-in-xsession); DIALTOP_TEST_SCREEN, when set, names
the screen size the session was started with, and the window must follow it.
"""

import os
import unittest

import x11lib

WIDTH, HEIGHT = 83, 44

BLACK, WHITE, MAROON = "#000000", "#FFFFFF", "#800000"
GREEN, NAVY, SILVER = "#008000", "#000080", "#C0C0C0"

# The four squares of the face: client position of the top-left corner and the fill colour.
# Each is 10x10 with a one-pixel silver outline.
SQUARES = {"Move": ((25, 24), GREEN), "About": ((36, 24), BLACK),
           "Corner": ((47, 24), NAVY), "Exit": ((58, 24), MAROON)}


def expected_face() -> dict:
    """{(x, y) in window coordinates: (colour, what)}. Client coordinates are window + (1, 1)."""
    def client(x, y):
        return x + 1, y + 1

    points = {
        (0, 0): (BLACK, "border, top-left"),
        (WIDTH // 2, 0): (BLACK, "border, top"),
        (0, HEIGHT // 2): (BLACK, "border, left"),
        (WIDTH - 1, HEIGHT // 2): (BLACK, "border, right"),
        (WIDTH // 2, HEIGHT - 1): (BLACK, "border, bottom"),
        (WIDTH - 1, HEIGHT - 1): (BLACK, "border, bottom-right"),
        client(0, 0): (WHITE, "outer box outline, top-left"),
        client(80, 41): (WHITE, "outer box outline, bottom-right"),
        client(40, 0): (WHITE, "outer box outline, top"),
        client(1, 1): (MAROON, "outer box fill, top-left"),
        client(1, 40): (MAROON, "outer box fill, bottom-left"),
        client(79, 40): (MAROON, "outer box fill, bottom-right"),
        client(3, 3): (WHITE, "inner box outline, top-left"),
        client(77, 38): (WHITE, "inner box outline, bottom-right"),
        client(3, 20): (WHITE, "inner box outline, left"),
        client(4, 37): (BLACK, "inner box fill, bottom-left"),
    }
    for name, ((left, top), fill) in SQUARES.items():
        points[client(left, top)] = (SILVER, f"{name} square outline, top-left")
        points[client(left + 9, top + 9)] = (SILVER, f"{name} square outline, bottom-right")
        points[client(left + 1, top + 1)] = (fill, f"{name} square fill, top-left")
        points[client(left + 5, top + 5)] = (fill, f"{name} square fill, middle")
        points[client(left + 8, top + 8)] = (fill, f"{name} square fill, bottom-right")
    return points


class ClockFace(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.clock, cls.wid = x11lib.start_clock()

    @classmethod
    def tearDownClass(cls):
        cls.clock.cleanup()

    def test_screen_is_the_one_asked_for(self):
        # Guards the other checks: a session started at the wrong size would test nothing new.
        asked = os.environ.get("DIALTOP_TEST_SCREEN", "1024x768x24")
        width, height = (int(part) for part in asked.split("x")[:2])
        self.assertEqual(x11lib.screen_size(), (width, height))

    def test_title(self):
        self.assertEqual(x11lib.window_name(self.wid), "Dialtop")

    def test_size_and_top_right_corner(self):
        screen_width, _ = x11lib.screen_size()
        expected = x11lib.Geometry(screen_width - WIDTH, 0, WIDTH, HEIGHT)
        last = x11lib.geometry_becomes(self.wid, expected, timeout=3, interval=0.05)
        if last is not None:
            self.fail(f"window geometry {last}, expected {expected}")

    def test_face_colours(self):
        expected = expected_face()
        geometry = x11lib.window_geometry(self.wid)

        shots, wrong = [], []

        def face_matches():
            shots[:] = [x11lib.screenshot()]
            wrong[:] = [f"({x},{y}) {what}: {shots[0].colour(geometry.x + x, geometry.y + y)}, "
                        f"expected {colour}"
                        for (x, y), (colour, what) in sorted(expected.items())
                        if shots[0].colour(geometry.x + x, geometry.y + y) != colour]
            return not wrong

        # The first paint may follow the map by a moment; then every point must match.
        if not x11lib.eventually(face_matches, timeout=5, interval=0.2):
            saved = shots[0].crop(geometry.x, geometry.y, WIDTH, HEIGHT).save(
                os.path.abspath(f"clock_face_failure_{os.getpid()}.png"))
            self.fail(f"{len(wrong)} of {len(expected)} face pixels are wrong (window crop saved as "
                      f"{saved}):\n  " + "\n  ".join(wrong))


if __name__ == "__main__":
    unittest.main(verbosity=2)
