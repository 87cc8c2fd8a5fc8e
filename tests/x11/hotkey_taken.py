#!/usr/bin/python3
"""Another program holds Ctrl+F1 before ours starts.

The program tells the user in a plain box, takes Ctrl+F2 instead once the box is dismissed, and
lets Ctrl+F2 go when it ends, by its Exit square or by SIGTERM. The other program is
hotkey_holder, a small X client of our own ($HOTKEY_HOLDER).

Run by ctest inside a private X session (run-in-xsession).
"""

import os
import subprocess
import unittest

import x11lib

LOGGING = "dialtop.hotkeys.info=true;dialtop.messages.info=true"
FIRST_BOX = ('dialtop : The Combination "Ctrl+F1" Is NOT Available to stop the Alarm. '
             'Trying "Ctrl+F2"...')
EXIT_SQUARE = (64, 30)  # the middle of the Exit square, window coordinates
TAKEN = 3  # hotkey_holder's answer for a combination another client holds


class HotKeyTaken(unittest.TestCase):
    def setUp(self):
        self.holder_path = os.environ["HOTKEY_HOLDER"]
        holder = subprocess.Popen([self.holder_path, "hold", "ctrl", "F1"], stdout=subprocess.PIPE, text=True)
        self.addCleanup(holder.wait)
        self.addCleanup(holder.terminate)
        self.assertEqual(holder.stdout.readline().strip(), "held", "the holder could not take Ctrl+F1")
        holder.stdout.close()

        self.clock = x11lib.Program(env={"QT_LOGGING_RULES": LOGGING})
        self.addCleanup(self.clock.cleanup)

    def free(self, modifiers: str, key: str) -> bool:
        """Whether another client could grab the combination now."""
        code = subprocess.run([self.holder_path, "try", modifiers, key], timeout=10).returncode
        self.assertIn(code, (0, TAKEN), "hotkey_holder failed")
        return code == 0

    def dismiss_the_box_and_wait_for_the_clock(self) -> int:
        box = x11lib.wait_for_window("dialtop", pid=self.clock.pid)
        self.assertEqual(self.clock.message_boxes(), [FIRST_BOX])
        self.assertEqual([wid for wid in x11lib.find_windows("Dialtop", pid=self.clock.pid)
                          if x11lib.window_name(wid) == "Dialtop"], [],
                         "the clock shows while the box waits")
        x11lib.tool("xdotool", "windowactivate", "--sync", str(box))
        x11lib.key("Return")
        clock = x11lib.wait_for_window("Dialtop", pid=self.clock.pid)
        self.assertEqual(self.clock.message_boxes(), [FIRST_BOX], "one box only")
        self.assertFalse(self.free("ctrl", "F2"), "the program does not hold Ctrl+F2")
        return clock

    def test_takes_ctrl_f2_and_lets_it_go_on_exit(self):
        clock = self.dismiss_the_box_and_wait_for_the_clock()
        x11lib.key("ctrl+F2")
        self.assertTrue(x11lib.eventually(lambda: "dialtop.hotkeys: pressed stop alarm" in self.clock.stderr()),
                        "Ctrl+F2 did not reach the stop-alarm action")

        geometry = x11lib.window_geometry(clock)
        x11lib.click(geometry.x + EXIT_SQUARE[0], geometry.y + EXIT_SQUARE[1])
        self.assertEqual(self.clock.wait(timeout=10), 0)
        # The program let go and waited for the server before it ended.
        self.assertTrue(self.free("ctrl", "F2"))

    def test_lets_ctrl_f2_go_when_terminated(self):
        self.dismiss_the_box_and_wait_for_the_clock()
        self.clock.stop()
        self.assertTrue(x11lib.eventually(lambda: self.free("ctrl", "F2"), timeout=10))


def penguin_boxes() -> list[str]:
    """The messages of the penguin key's whole chain, down to its give-up."""
    texts = ["Alt+Ctrl+R"] + [f"Alt+Ctrl+F{n}" for n in range(1, 8)]
    boxes = [f'dialtop : The Combination "{taken}" Is NOT Available to show Penguin. Trying "{next}"...'
             for taken, next in zip(texts, texts[1:])]
    return boxes + ['dialtop : The Combination "Alt+Ctrl+F7" Is NOT Available to show Penguin. Giving Up. '
                    'Focus on Dialtop and hit "Alt+Ctrl+R".']


class ServerKeysTaken(unittest.TestCase):
    """With Alt+Ctrl+R held elsewhere, the penguin chain reaches Alt+Ctrl+F1..F7, which the X server
    keeps for switching virtual terminals: each counts as not available, so the chain ends in its
    give-up and none of them is grabbed."""

    def setUp(self):
        self.holder_path = os.environ["HOTKEY_HOLDER"]
        holder = subprocess.Popen([self.holder_path, "hold", "ctrl+alt", "r"], stdout=subprocess.PIPE, text=True)
        self.addCleanup(holder.wait)
        self.addCleanup(holder.terminate)
        self.assertEqual(holder.stdout.readline().strip(), "held", "the holder could not take Alt+Ctrl+R")
        holder.stdout.close()
        self.clock = x11lib.Program(env={"QT_LOGGING_RULES": LOGGING})
        self.addCleanup(self.clock.cleanup)

    def test_the_chain_passes_over_the_servers_keys(self):
        for count in range(1, len(penguin_boxes()) + 1):
            box = x11lib.wait_for_window("dialtop", pid=self.clock.pid)
            x11lib.wait_until(lambda: len(self.clock.message_boxes()) == count, what=f"box {count} in the log")
            x11lib.tool("xdotool", "windowactivate", "--sync", str(box))
            x11lib.key("Return")
            x11lib.wait_until(lambda: box not in x11lib.find_windows("^dialtop$", pid=self.clock.pid),
                              what=f"box {count} to close")
        x11lib.wait_for_window("Dialtop", pid=self.clock.pid)
        self.assertEqual(self.clock.message_boxes(), penguin_boxes())
        for key in ("F1", "F7"):
            code = subprocess.run([self.holder_path, "try", "ctrl+alt", key], timeout=10).returncode
            self.assertEqual(code, 0, f"Alt+Ctrl+{key} is held")


if __name__ == "__main__":
    unittest.main()
