"""Helpers for the Wayland test tier.

Every Wayland test runs on its own headless KWin desktop with XWayland, started by run-in-kwin,
which sets WAYLAND_DISPLAY, DISPLAY and the desktop's session bus. The program runs through
XWayland, so x11lib's helpers (Program, xwininfo, xprop, window screenshots) work as in the X11
tier; what only the desktop knows comes from KWin itself:

    import waylandlib, x11lib

    with x11lib.Program() as clock:
        waylandlib.kwin_window("Dialtop").states          # {"skip_taskbar", ...}
    with waylandlib.NativeWindow() as terminal:           # a Wayland client, not an X one
        terminal.focus()
        waylandlib.keys("ctrl+shift+F1")                  # as if typed, through KWin's fake input

Nothing here asserts on its own: the helpers return values or raise x11lib.X11Error when something
does not appear in time. Run the tests with /usr/bin/python3 (Debian's dbus module).
"""

from __future__ import annotations

import os
import select
import subprocess
from typing import NamedTuple, Optional

import dbus

import x11lib


# --------------------------------------------------------------------------------------------
# KWin: input and windows


def keys(*actions: str) -> None:
    """Key combinations ("ctrl+shift+F1", "Escape"), pointer moves ("move:X,Y") and "click", one
    after another, through KWin's fake input: KWin routes them as a user's own keyboard and mouse."""
    x11lib.tool(os.environ["DIALTOP_FAKE_INPUT"], *actions)


class KWinWindow(NamedTuple):
    title: str
    app_id: str
    geometry: x11lib.Geometry
    states: frozenset  # of "active", "keep_above", "skip_taskbar", "fullscreen"


def kwin_windows() -> list[KWinWindow]:
    """KWin's mapped windows, as a taskbar sees them."""
    windows = []
    for line in x11lib.tool(os.environ["DIALTOP_WINDOW_LIST"]).splitlines():
        title, app_id, geometry, states = line.split("\t")
        size, x, y = geometry.replace("-", "+-").split("+")
        width, height = size.split("x")
        windows.append(KWinWindow(title, app_id, x11lib.Geometry(int(x), int(y), int(width), int(height)),
                                  frozenset(filter(None, states.split(",")))))
    return windows


def kwin_window(title: str) -> Optional[KWinWindow]:
    return next((window for window in kwin_windows() if window.title == title), None)


def placed_window(title: str) -> Optional[KWinWindow]:
    """The window once KWin has placed it: it lists a new window before that, at 0x0+0+0."""
    window = kwin_window(title)
    return window if window and window.geometry.width > 0 else None


class NativeWindow:
    """weston-terminal, a plain Wayland client that KWin gives the keyboard to like any other."""

    TITLE = "Wayland Terminal"

    def __init__(self):
        self.process = subprocess.Popen(["weston-terminal", "--shell=/bin/cat"], stdin=subprocess.DEVNULL,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.window = x11lib.wait_until(lambda: placed_window(self.TITLE), what="weston-terminal's window")

    def focus(self) -> None:
        """Clicks into the window and waits until KWin has made it the active one."""
        where = self.window.geometry
        keys(f"move:{where.x + where.width // 2},{where.y + where.height // 2}", "click")
        x11lib.wait_until(lambda: "active" in (kwin_window(self.TITLE) or self.window).states,
                          what="the Wayland window to take the focus")

    def __enter__(self) -> "NativeWindow":
        return self

    def __exit__(self, *exc) -> None:
        self.process.terminate()
        self.process.wait(timeout=x11lib.DEFAULT_TIMEOUT)


def covering_window(pid: int, colour: str) -> Optional[int]:
    """The program's viewable window that covers the whole screen, once it shows mostly this colour."""
    width, height = x11lib.screen_size()
    wid = x11lib.program_window(pid, width, height)
    if wid is None:
        return None
    try:
        shot = x11lib.screenshot(window=wid)
    except x11lib.X11Error:
        return None  # unmapped meanwhile
    return wid if shot.count(colour) > width * height * 0.9 else None


# --------------------------------------------------------------------------------------------
# The session bus: the desktop's shortcuts and the tray


def session_bus() -> dbus.Bus:
    return dbus.SessionBus()


def desktop_shortcuts(component: str) -> dict[str, bool]:
    """The shortcuts KWin's kglobalaccel holds for a component (the portal names it after the
    session's handle token): {id: whether a key is bound}. {} while there is no such component."""
    accel = session_bus().get_object("org.kde.kglobalaccel", "/kglobalaccel")
    paths = [str(path) for path in accel.allComponents(dbus_interface="org.kde.KGlobalAccel")]
    path = f"/component/{component}"
    if path not in paths:
        return {}
    infos = session_bus().get_object("org.kde.kglobalaccel", path).allShortcutInfos(
        dbus_interface="org.kde.kglobalaccel.Component")
    # (id, name, component, component name, context, context name, keys, default keys); an inactive
    # shortcut's keys are [0].
    return {str(info[0]): any(info[6]) for info in infos}


class TrayItem(NamedTuple):
    id: str
    menu: list[str]  # every label, submenus included, without the & of mnemonics


class StatusNotifierWatcher:
    """The X11 tier's stand-in for a panel's tray (sni_watcher.py) on the desktop's bus, until the
    block ends. Qt looks for a tray when the program starts, so it runs before the program."""

    def __enter__(self) -> "StatusNotifierWatcher":
        here = os.path.dirname(os.path.abspath(__file__))
        self.process = subprocess.Popen(["/usr/bin/python3", os.path.join(here, "sni_watcher.py")],
                                        stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, text=True)
        x11lib.wait_until(lambda: session_bus().name_has_owner("org.kde.StatusNotifierWatcher"),
                          what="the StatusNotifierWatcher stand-in")
        return self

    def first_item(self, timeout: float = x11lib.DEFAULT_TIMEOUT) -> TrayItem:
        """The first item that registered, read as a panel reads it."""
        if not select.select([self.process.stdout], [], [], timeout)[0]:
            raise x11lib.X11Error(f"no tray item registered in {timeout} s")
        service, _, path = self.process.stdout.readline().split()[1].partition("/")
        bus = session_bus()
        properties = bus.get_object(service, "/" + path).GetAll("org.kde.StatusNotifierItem",
                                                                dbus_interface=dbus.PROPERTIES_IFACE)
        menu = bus.get_object(service, properties["Menu"])
        _, root = menu.GetLayout(0, -1, dbus.Array([], signature="s"), dbus_interface="com.canonical.dbusmenu")
        labels, pending = [], list(root[2])
        while pending:
            _, node_properties, children = pending.pop(0)
            labels.append(str(node_properties.get("label", "")).replace("&", ""))
            pending.extend(children)
        return TrayItem(str(properties["Id"]), labels)

    def __exit__(self, *exc) -> None:
        self.process.terminate()
        self.process.wait(timeout=x11lib.DEFAULT_TIMEOUT)
