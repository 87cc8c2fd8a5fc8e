#!/usr/bin/python3
"""The clock on a KWin Wayland desktop, left to choose its own platform (QT_QPA_PLATFORM unset):
it runs through XWayland, sits in the top-right corner at 83x44, has no taskbar entry in KWin's
window list, and its tray item, with the clock's menu, is there for a panel over D-Bus.

Run by ctest on a private headless desktop (run-in-kwin).
"""

import unittest

import waylandlib
import x11lib

SIZE = (83, 44)


class ClockOnKWin(unittest.TestCase):
    def test_corner_no_taskbar_entry_and_a_tray_item(self):
        with waylandlib.StatusNotifierWatcher() as tray, x11lib.Program(env={"QT_QPA_PLATFORM": None}) as clock:
            wid = x11lib.wait_until(lambda: x11lib.program_window(clock.pid, *SIZE),
                                    what="the clock's window on XWayland")
            width, _ = x11lib.screen_size()
            corner = x11lib.Geometry(width - SIZE[0], 0, *SIZE)
            self.assertIsNone(x11lib.geometry_becomes(wid, corner), "not in the top-right corner")
            window = x11lib.wait_until(lambda: waylandlib.placed_window("Dialtop"), what="KWin to list the clock")
            self.assertEqual(window.geometry, corner)
            self.assertIn("skip_taskbar", window.states)

            item = tray.first_item()
            self.assertEqual(item.id, "dialtop")
            self.assertIn("Always On Top", item.menu)


if __name__ == "__main__":
    unittest.main(verbosity=2)
