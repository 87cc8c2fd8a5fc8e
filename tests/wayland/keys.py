#!/usr/bin/python3
"""The clock's three keys on a KWin Wayland desktop, pressed while a native Wayland window has the
focus, where no X key grab can see them: they reach the clock through the real GlobalShortcuts
portal (xdg-desktop-portal with its KDE backend). Ctrl+Shift+F1 blanks the screen, Alt+Ctrl+R shows
the penguins and Ctrl+F1 stops a ringing alarm (seen in the "dialtop.hotkeys" log: an alarm rings
only when a minute begins). `dialtop --action blank` run from a shell reaches the running clock too.

KWin binds Ctrl+F1 to "Switch to Desktop 1" out of the box, which leaves the clock's Ctrl+F1
inactive; the desktop's ~/.config/kglobalshortcutsrc frees it as a KDE user would in System Settings.

Run by ctest on a private headless desktop with the portal (run-in-kwin, DIALTOP_PORTAL=1).
"""

import os
import subprocess
import unittest

import waylandlib
import x11lib

LOGGING = "dialtop.hotkeys.info=true;dialtop.messages.info=true"
SHORTCUTS = {"stop-alarm", "penguin", "blank"}


class KeysOnKWin(unittest.TestCase):
    def setUp(self):
        self.clock = x11lib.Program(env={"QT_LOGGING_RULES": LOGGING})
        self.addCleanup(self.clock.cleanup)
        x11lib.wait_until(lambda: x11lib.program_window(self.clock.pid, 83, 44), what="the clock's window")

    def assert_covers_and_leaves(self, colour: str, leave: str) -> None:
        wid = x11lib.wait_until(lambda: waylandlib.covering_window(self.clock.pid, colour),
                                what=f"a {colour} window over the whole screen")
        waylandlib.keys(leave)
        x11lib.wait_until(lambda: x11lib.window_info(wid)["map_state"] != "IsViewable", what=f"{leave} to leave")

    def test_keys_typed_into_a_wayland_window_reach_the_clock(self):
        # The portal's session is named after the clock's fixed token; its keys are bound once listed.
        x11lib.wait_until(lambda: waylandlib.desktop_shortcuts("dialtop") == dict.fromkeys(SHORTCUTS, True),
                          what="the clock's three shortcuts bound by the desktop")
        with waylandlib.NativeWindow() as terminal:
            terminal.focus()
            waylandlib.keys("ctrl+shift+F1")
            self.assert_covers_and_leaves("#000000", "Escape")
            terminal.focus()
            waylandlib.keys("alt+ctrl+r")
            self.assert_covers_and_leaves("#FFFFFF", "Tab")
            terminal.focus()
            waylandlib.keys("ctrl+F1")
            x11lib.wait_until(lambda: "dialtop.hotkeys: pressed stop alarm" in self.clock.stderr(),
                              what="Ctrl+F1 to reach the clock")

    def test_an_action_from_a_shell_reaches_the_running_clock(self):
        done = subprocess.run([os.environ["DIALTOP_BINARY"], "--action", "blank"], stdin=subprocess.DEVNULL,
                              capture_output=True, text=True, timeout=30)
        self.assertEqual(done.returncode, 0, done.stderr)
        x11lib.wait_until(lambda: waylandlib.covering_window(self.clock.pid, "#000000"), what="the blank screen")


if __name__ == "__main__":
    unittest.main(verbosity=2)
