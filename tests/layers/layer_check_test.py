"""scripts/check-layers on made-up trees: one that keeps to the layers, one that breaks each rule."""
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

CHECKER = sys.argv.pop(1)
CLEAN = {"base/Text.h": [], "platform/Clock.h": ["base/Text.h"],
         "platform/linux/LinuxClock.h": ["platform/Clock.h"], "ui/Button.h": ["platform/Clock.h"],
         "settings/Store.h": ["base/Text.h"], "alarms/Ringer.h": ["settings/Store.h", "ui/Button.h"],
         "clock/Face.cpp": ["clock/Face.h", "ui/Button.h"], "clock/Face.h": [],
         "app/Program.cpp": ["clock/Face.h", "alarms/Ringer.h", "platform/linux/LinuxClock.h"]}


def check(tree):
    with tempfile.TemporaryDirectory() as root:
        for name, headers in tree.items():
            path = Path(root, "src", name)
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_text("".join(f'#include "{h}"\n' for h in headers) + "#include <vector>\n")
        run = subprocess.run([CHECKER, str(Path(root, "src"))], capture_output=True, text=True)
        return run.returncode, run.stdout.splitlines()


class LayerCheck(unittest.TestCase):
    def test_a_tree_that_keeps_to_the_layers_passes(self):
        self.assertEqual(check(CLEAN), (0, ["check-layers: 11 includes in 9 files keep to the layers"]))

    def test_each_broken_rule_is_reported_at_its_line(self):
        code, out = check({**CLEAN, "ui/Button.h": ["base/Text.h", "settings/Store.h"],
                           "clock/Face.cpp": ["alarms/Ringer.h"],
                           "platform/Clock.h": ["platform/linux/LinuxClock.h"]})
        self.assertEqual((code, sorted(out)), (1, [
            "src/clock/Face.cpp:1: clock includes alarms/Ringer.h"
            " (a feature folder includes another feature folder)",
            "src/platform/Clock.h:1: platform includes platform/linux/LinuxClock.h"
            " (a platform interface includes platform/linux)",
            "src/ui/Button.h:2: ui includes settings/Store.h (settings is a higher layer than ui)"]))


if __name__ == "__main__":
    unittest.main()
