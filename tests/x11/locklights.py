"""Reads and sets the keyboard's Caps Lock, Num Lock and Scroll Lock lights through XKB (libX11)."""

import ctypes
import select
import time

XK_NUM_LOCK = 0xFF7F
LOCK_MASK = 1 << 1
XKB_USE_CORE_KBD = 0x0100
XKB_INDICATOR_STATE_NOTIFY = 4  # the xkb_type of the event, and the bit of its mask
NAMES = ("Caps Lock", "Num Lock", "Scroll Lock")

_x11 = ctypes.CDLL("libX11.so.6")
_x11.XOpenDisplay.restype = ctypes.c_void_p
_x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
_x11.XInternAtom.restype = ctypes.c_ulong
_x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
_x11.XkbGetNamedIndicator.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_void_p,
                                      ctypes.POINTER(ctypes.c_int), ctypes.c_void_p, ctypes.c_void_p]
_x11.XkbSetNamedIndicator.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                      ctypes.c_int, ctypes.c_void_p]
_x11.XkbLockModifiers.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_uint, ctypes.c_uint]
_x11.XkbKeysymToModifiers.restype = ctypes.c_uint
_x11.XkbKeysymToModifiers.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
_x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
_x11.XkbQueryExtension.argtypes = [ctypes.c_void_p] + [ctypes.POINTER(ctypes.c_int)] * 5
_x11.XkbSelectEvents.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_ulong, ctypes.c_ulong]
_x11.XConnectionNumber.argtypes = [ctypes.c_void_p]
_x11.XPending.argtypes = [ctypes.c_void_p]
_x11.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]


class _IndicatorEvent(ctypes.Structure):
    """XkbIndicatorNotifyEvent, padded to the size of an XEvent."""
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("time", ctypes.c_ulong), ("xkb_type", ctypes.c_int),
                ("device", ctypes.c_int), ("changed", ctypes.c_uint), ("state", ctypes.c_uint),
                ("pad", ctypes.c_long * 18)]


class LockLights:
    def __init__(self):
        self.display = _x11.XOpenDisplay(None)
        if not self.display:
            raise RuntimeError("cannot open the X display")
        self.atoms = {name: _x11.XInternAtom(self.display, name.encode(), 0) for name in NAMES}

    def read(self) -> tuple[bool, bool, bool]:
        """(Caps Lock, Num Lock, Scroll Lock) as their lights show."""
        _x11.XSync(self.display, 0)
        states = []
        for name in NAMES:
            on = ctypes.c_int(0)
            if not _x11.XkbGetNamedIndicator(self.display, self.atoms[name], None, ctypes.byref(on), None, None):
                raise RuntimeError(f"the keyboard has no {name!r} indicator")
            states.append(bool(on.value))
        return tuple(states)

    def watch(self) -> None:
        """From now on, keep the server's reports of the lights' changes for changes()."""
        opcode, self.event_base, error_base = ctypes.c_int(), ctypes.c_int(), ctypes.c_int()
        major, minor = ctypes.c_int(1), ctypes.c_int(0)
        if not _x11.XkbQueryExtension(self.display, *(ctypes.byref(v) for v in
                                                       (opcode, self.event_base, error_base, major, minor))):
            raise RuntimeError("the X server has no XKB")
        mask = 1 << XKB_INDICATOR_STATE_NOTIFY
        _x11.XkbSelectEvents(self.display, XKB_USE_CORE_KBD, mask, mask)
        self.bits = []
        for name in NAMES:
            index = ctypes.c_int(-1)
            _x11.XkbGetNamedIndicator(self.display, self.atoms[name], ctypes.byref(index), None, None, None)
            self.bits.append(1 << index.value)
        _x11.XSync(self.display, 0)

    def changes(self, quiet: float, timeout: float) -> list[tuple[bool, bool, bool]]:
        """Every state the lights took since watch(), from the server's reports, until none has come
        for `quiet` seconds (after at least one) or `timeout` has passed."""
        states, deadline, last = [], time.monotonic() + timeout, None
        event = _IndicatorEvent()
        while True:
            now = time.monotonic()
            until = deadline if last is None else min(deadline, last + quiet)
            if now >= until:
                return states
            if not _x11.XPending(self.display):
                select.select([_x11.XConnectionNumber(self.display)], [], [], until - now)
                continue
            _x11.XNextEvent(self.display, ctypes.byref(event))
            if event.type == self.event_base.value and event.xkb_type == XKB_INDICATOR_STATE_NOTIFY:
                states.append(tuple(bool(event.state & bit) for bit in self.bits))
                last = time.monotonic()

    def set(self, caps: bool, num: bool, scroll: bool) -> None:
        _x11.XkbLockModifiers(self.display, XKB_USE_CORE_KBD, LOCK_MASK, LOCK_MASK if caps else 0)
        num_mask = _x11.XkbKeysymToModifiers(self.display, XK_NUM_LOCK)
        _x11.XkbLockModifiers(self.display, XKB_USE_CORE_KBD, num_mask, num_mask if num else 0)
        _x11.XkbSetNamedIndicator(self.display, self.atoms["Scroll Lock"], 1, int(scroll), 0, None)
        _x11.XSync(self.display, 0)
