#!/usr/bin/python3
"""The information window of the real program: the About square unrolls it to its full height,
LIGHTS plays the lock-key show and leaves the three lights as they were, EXIT rolls it up.

Run by ctest inside a private X session (run-in-xsession).
"""

import unittest

import locklights
import x11lib

WIDTH, FULL_HEIGHT, ROLLED_UP_HEIGHT = 328, 302, 15
LIGHTS_BUTTON = (85, 277, 66, 21)
EXIT_BUTTON = (160, 277, 73, 21)
ABOUT_SQUARE = (36 + 1 + 5, 24 + 1 + 5)  # the middle of the square, in clock window coordinates


class AboutWindow(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.clock, cls.clock_wid = x11lib.start_clock()

    @classmethod
    def tearDownClass(cls):
        cls.clock.cleanup()

    def about_window(self) -> int:
        """Opens the window from the About square and waits for it to unroll fully."""
        clock = x11lib.window_geometry(self.clock_wid)
        x11lib.click(clock.x + ABOUT_SQUARE[0], clock.y + ABOUT_SQUARE[1])

        def unrolled():
            for wid in x11lib.find_windows("^System Information$", pid=self.clock.pid):
                geometry = x11lib.window_geometry(wid)
                if geometry.width == WIDTH and geometry.height == FULL_HEIGHT:
                    return wid
            return None

        wid = x11lib.wait_until(unrolled, what=f"a {WIDTH}x{FULL_HEIGHT} information window")
        # Centred in the work area for the full height of 275, on every opening.
        work = [int(v) for v in x11lib.xprop(x11lib.root_window(), "_NET_WORKAREA").split(",")[:4]]
        geometry = x11lib.window_geometry(wid)
        self.assertEqual((geometry.x, geometry.y), ((work[2] - WIDTH) // 2, (work[3] - 275) // 2))
        return wid

    def click_button(self, wid: int, button: tuple) -> None:
        window = x11lib.window_geometry(wid)
        x, y, width, height = button
        x11lib.click(window.x + x + width // 3, window.y + y + height // 3)

    def test_1_lights_end_as_they_began(self):
        wid = self.about_window()
        lights = locklights.LockLights()
        lights.set(caps=True, num=False, scroll=True)
        before = lights.read()
        self.assertEqual(before, (True, False, True))

        lights.watch()
        self.click_button(wid, LIGHTS_BUTTON)
        # Every round changes one light, 100 ms apart; the show is over once they rest.
        seen = [before]
        for state in lights.changes(quiet=0.8, timeout=10):
            if state != seen[-1]:
                seen.append(state)
        # One light per round (the last round and the restoring toggle may cancel out); in 31
        # rounds each of the three is all but certain to be picked.
        self.assertGreaterEqual(len(seen), 29, f"the lights changed only {len(seen) - 1} times")
        changed = {light for a, b in zip(seen, seen[1:]) for light in range(3) if a[light] != b[light]}
        self.assertEqual(changed, {0, 1, 2}, "not every light took part in the show")
        self.assertEqual(lights.read(), before)

    def test_2_exit_rolls_the_window_up_and_it_reopens_centred(self):
        for _ in range(3):
            wid = self.about_window()
            self.click_button(wid, EXIT_BUTTON)
            x11lib.wait_until(lambda: x11lib.window_info(wid)["map_state"] != "IsViewable",
                              what="the information window to close")
            self.assertEqual(x11lib.window_info(wid)["height"], ROLLED_UP_HEIGHT)


if __name__ == "__main__":
    unittest.main()
