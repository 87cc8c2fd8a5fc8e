#!/usr/bin/python3
"""The clock's three keys on a KWin Wayland desktop, pressed while a native Wayland window has the
focus, where no X key grab can see them: they reach the clock through the real GlobalShortcuts
portal (xdg-desktop-portal with its KDE backend). Ctrl+Shift+F1 blanks the screen, Alt+Ctrl+R shows
the penguins and Ctrl+F1 stops a ringing alarm (seen in the "dialtop.hotkeys" log: an alarm rings
only when a minute begins).

KWin binds Ctrl+F1 to "Switch to Desktop 1" out of the box, which leaves the clock's Ctrl+F1
inactive; the desktop's ~/.config/kglobalshortcutsrc frees it as a KDE user would in System Settings.

Run by ctest on a private headless desktop with the portal (run-in-kwin, DIALTOP_PORTAL=1).
"""

import unittest

import waylandlib
import x11lib

LOGGING = "dialtop.hotkeys.info=true;dialtop.messages.info=true"
BOUND = {"stop-alarm": True, "penguin": True, "blank": True}


def viewable(wid: int) -> bool:
    try:
        return x11lib.window_info(wid)["map_state"] == "IsViewable"
    except x11lib.X11Error:
        return False  # gone from the X server altogether: it has left too


class KeysOnKWin(unittest.TestCase):
    def assert_covers_and_leaves(self, clock: x11lib.Program, colour: str, leave: str) -> None:
        wid = x11lib.wait_until(lambda: waylandlib.covering_window(clock.pid, colour),
                                what=f"a {colour} window over the whole screen")
        waylandlib.keys(leave)
        x11lib.wait_until(lambda: not viewable(wid), what=f"{leave} to leave")

    def test_keys_typed_into_a_wayland_window_reach_the_clock(self):
        with x11lib.Program(env={"QT_LOGGING_RULES": LOGGING}) as clock, waylandlib.NativeWindow() as terminal:
            # The portal names the desktop's record after the clock's fixed session token; a fresh
            # desktop has none before the clock.
            x11lib.eventually(lambda: waylandlib.desktop_shortcuts("dialtop") == BOUND, timeout=30)
            self.assertEqual(waylandlib.desktop_shortcuts("dialtop"), BOUND,
                             "the desktop's shortcuts (True: with a key)")
            terminal.focus()
            waylandlib.keys("ctrl+shift+F1")
            self.assert_covers_and_leaves(clock, "#000000", "Escape")
            terminal.focus()
            waylandlib.keys("alt+ctrl+r")
            self.assert_covers_and_leaves(clock, "#FFFFFF", "Tab")
            terminal.focus()
            waylandlib.keys("ctrl+F1")
            x11lib.wait_until(lambda: "dialtop.hotkeys: pressed stop alarm" in clock.stderr(),
                              what="Ctrl+F1 to reach the clock")

if __name__ == "__main__":
    unittest.main(verbosity=2)
