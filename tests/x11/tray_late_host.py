#!/usr/bin/python3
"""A StatusNotifierItem host that comes up after the clock, as a panel often does at log-in: the
clock, started on a private session bus with no tray at all, registers its icon with the host's
watcher once it runs, and the item carries the clock's Id and Title.

Run by ctest inside a private X session (run-in-xsession) with DIALTOP_NO_TRAY=1.
"""

import os
import subprocess
import unittest
from unittest import mock

import x11lib
from tray_icon import stop

WATCHER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "sni_watcher.py")


def item_property(entry: str, name: str) -> str:
    service, _, path = entry.partition("/")
    reply = x11lib.tool("dbus-send", "--session", "--print-reply=literal", f"--dest={service}", "/" + path,
                        "org.freedesktop.DBus.Properties.Get", "string:org.kde.StatusNotifierItem",
                        f"string:{name}", check=False).split()
    return reply[-1] if reply else ""  # "   variant       dialtop"; nothing from an item that went


class LateStatusNotifierHost(unittest.TestCase):
    def test_the_icon_registers_with_a_host_that_comes_later(self):
        bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.addCleanup(stop, bus)
        address = bus.stdout.readline().strip()
        self.assertTrue(address, "no private session bus")
        environment = mock.patch.dict(os.environ, {"DBUS_SESSION_BUS_ADDRESS": address})
        environment.start()
        self.addCleanup(environment.stop)

        clock, _ = x11lib.start_clock(env={"QT_LOGGING_RULES": "dialtop.tray.debug=true"})
        self.addCleanup(clock.cleanup)
        x11lib.wait_until(lambda: clock.stderr().count("dialtop.tray: tip") >= 2, what="two ticks, no host")

        with open(clock.file("watcher.txt"), "w", encoding="utf-8") as out:
            watcher = subprocess.Popen(["/usr/bin/python3", WATCHER], stdout=out, stderr=subprocess.STDOUT)
        self.addCleanup(stop, watcher)

        def registered() -> list[str]:
            with open(clock.file("watcher.txt"), encoding="utf-8") as lines:
                return [line.split()[1] for line in lines if line.startswith("REGISTERED ")]

        x11lib.wait_until(registered, timeout=30, what="the clock's item to register")
        # Shown afresh for the new host, the icon may register again: the last item is the current one.
        names = []

        def named() -> bool:
            names[:] = [item_property(registered()[-1], name) for name in ("Id", "Title")]
            return names == ["dialtop"] * 2

        if not x11lib.eventually(named, timeout=15, interval=0.2):
            self.fail(f"the item's Id and Title: {names}")
        self.assertTrue(clock.running())


if __name__ == "__main__":
    unittest.main(verbosity=2)
