#!/usr/bin/python3
"""The real program's global keys, pressed from outside the program with xdotool.

In a fresh X session nothing holds the three combinations, so the program starts without a
message box and each key reaches its action, as the "dialtop.hotkeys" log shows.

Run by ctest inside a private X session (run-in-xsession).
"""

import unittest

import x11lib

LOGGING = "dialtop.hotkeys.info=true;dialtop.messages.info=true"
PREFIX = "dialtop.hotkeys: "


class HotKeyPress(unittest.TestCase):
    def setUp(self):
        self.clock = x11lib.Program(env={"QT_LOGGING_RULES": LOGGING})
        self.addCleanup(self.clock.cleanup)
        x11lib.wait_for_window("Dialtop", pid=self.clock.pid)

    def dispatches(self) -> list[str]:
        return [line[len(PREFIX):] for line in self.clock.stderr().splitlines() if line.startswith(PREFIX)]

    def test_each_key_reaches_its_action(self):
        self.assertEqual(self.clock.message_boxes(), [], "a combination was taken in a fresh session")
        for keys, action in [("ctrl+F1", "pressed stop alarm"), ("ctrl+alt+r", "pressed penguin"),
                             ("ctrl+shift+F1", "pressed blank screen")]:
            before = len(self.dispatches())
            x11lib.key(keys)
            seen = x11lib.eventually(lambda: self.dispatches()[before:], timeout=10)
            self.assertEqual(seen, [action], f"after {keys}")

    def test_a_combination_that_is_not_held_does_nothing(self):
        # Typed before a held one, so it would have been logged first.
        x11lib.key("ctrl+F5", "ctrl+F1")
        seen = x11lib.eventually(self.dispatches, timeout=10)
        self.assertEqual(seen, ["pressed stop alarm"])


if __name__ == "__main__":
    unittest.main()
