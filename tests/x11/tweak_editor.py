#!/usr/bin/python3
"""The tweak editor on the real program, over the real file store.

"Tweaking" from the clock's popup menu opens the editor below the clock with the first tweak
chosen. A value typed for it and OK write it to the store's file under $XDG_CONFIG_HOME (a temp
folder here) and close the editor after the closing message; CANCEL leaves the file as it was.

Run by ctest inside a private X session (run-in-xsession).
"""

import os
import re
import shutil
import stat
import tempfile
import unittest

import x11lib

TIME_LABEL = (41, 14)  # a point on the clock's time label, window coordinates
EDITOR_SIZE = (540, 392)
VALUE_BOX = (288 + 120, 75 + 10)
OK_BUTTON = (56 + 38, 367 + 10)
CANCEL_BUTTON = (135 + 41, 367 + 10)
DESKTOP_KEY = "[HKEY_CURRENT_USER\\Control Panel\\Desktop]"


def shown_dialogs() -> dict:
    """{window id: (width, height)} of the program's viewable dialogs and message boxes. They are
    titled like the program; xdotool's search misses them once openbox has framed them, xwininfo
    does not."""
    tree = x11lib.tool("xwininfo", "-root", "-tree")
    shown = {}
    for match in re.finditer(r'^\s*(0x[0-9a-f]+) "dialtop": .*\s(\d+)x(\d+)\+', tree, re.MULTILINE):
        wid = int(match.group(1), 16)
        if x11lib.window_info(wid)["map_state"] == "IsViewable":
            shown[wid] = (int(match.group(2)), int(match.group(3)))
    return shown


def shown_editor():
    """The id of the viewable editor window, or None."""
    return next((wid for wid, size in shown_dialogs().items() if size == EDITOR_SIZE), None)


def focused_message_box():
    """The id of a viewable message box holding the keyboard focus, or None."""
    focus = int(x11lib.tool("xdotool", "getwindowfocus", check=False).strip() or 0)
    boxes = [wid for wid, size in shown_dialogs().items() if size != EDITOR_SIZE]
    return focus if focus in boxes else None


class TweakEditor(unittest.TestCase):
    def setUp(self):
        self.config = tempfile.mkdtemp(prefix="dialtop-x11-config-")
        self.addCleanup(shutil.rmtree, self.config, ignore_errors=True)
        self.store = os.path.join(self.config, "dialtop", "registry", "HKEY_CURRENT_USER.reg")
        self.clock, self.wid = x11lib.start_clock(env={"XDG_CONFIG_HOME": self.config})
        self.addCleanup(self.clock.cleanup)
        # Away from every point the test clicks: a move with --sync to where the pointer is never ends.
        x11lib.tool("xdotool", "mousemove", "0", "0")

    def open_editor(self) -> int:
        """Chooses "Tweaking" from the clock's popup menu; returns the editor's window id."""
        clock = x11lib.window_geometry(self.wid)
        before = x11lib.popup_windows()
        x11lib.click(clock.x + TIME_LABEL[0], clock.y + TIME_LABEL[1], button=3)
        x11lib.wait_until(lambda: x11lib.popup_windows() - before, timeout=5, what="the popup menu")
        # Always On Top, Transparency, Scedule Shutdown, Scedule Reboot, Additional Country Settings, Tweaking
        x11lib.key(*["Down"] * 6, "Return")

        wid = x11lib.wait_until(shown_editor, what="the tweak editor")
        x11lib.wait_until(lambda: x11lib.tool("xdotool", "getwindowfocus", check=False).strip() == str(wid),
                          what="the editor to take the keyboard")
        # Right edge on the clock's right edge, top just below it.
        geometry = x11lib.window_geometry(wid)
        self.assertEqual((geometry.x + geometry.width, geometry.y),
                         (clock.x + clock.width, clock.y + clock.height))
        return wid

    def click(self, wid: int, point: tuple) -> None:
        geometry = x11lib.window_geometry(wid)
        x11lib.click(geometry.x + point[0], geometry.y + point[1])

    def type_value(self, editor: int, text: str) -> None:
        self.click(editor, VALUE_BOX)
        x11lib.key("ctrl+a", "BackSpace")
        x11lib.type_text(text)

    def wait_closed(self, editor: int) -> None:
        x11lib.wait_until(lambda: shown_editor() != editor,
                          what="the editor to close")

    def test_ok_writes_the_typed_value_to_the_store(self):
        editor = self.open_editor()
        self.type_value(editor, "1")
        self.click(editor, OK_BUTTON)

        closing = "dialtop : For your changes to be applied, you must logoff"
        x11lib.wait_until(lambda: closing in self.clock.message_boxes(), what="the closing message")
        # The box is logged before it is shown: Return must wait until it has the keyboard.
        x11lib.wait_until(focused_message_box, what="the message box to take the keyboard")
        x11lib.key("Return")
        self.wait_closed(editor)

        with open(self.store, encoding="utf-8") as file:
            text = file.read()
        self.assertIn(DESKTOP_KEY + "\n\"PaintDesktopVersion\"=dword:00000001\n", text)
        self.assertEqual(stat.S_IMODE(os.stat(self.store).st_mode), 0o600)
        self.assertTrue(self.clock.running())

    def test_cancel_leaves_the_store_untouched(self):
        os.makedirs(os.path.dirname(self.store))
        before = "REGEDIT4\n\n" + DESKTOP_KEY + "\n\"MenuShowDelay\"=\"400\"\n"
        with open(self.store, "w", encoding="utf-8") as file:
            file.write(before)
        mtime = os.stat(self.store).st_mtime_ns

        editor = self.open_editor()
        self.type_value(editor, "0")
        self.click(editor, CANCEL_BUTTON)
        self.wait_closed(editor)

        with open(self.store, encoding="utf-8") as file:
            self.assertEqual(file.read(), before)
        self.assertEqual(os.stat(self.store).st_mtime_ns, mtime)
        self.assertEqual(self.clock.message_boxes(), [])
        self.assertEqual(sorted(os.listdir(os.path.dirname(self.store))), ["HKEY_CURRENT_USER.reg"])


if __name__ == "__main__":
    unittest.main(verbosity=2)
