"""Reads and sets the keyboard's Caps Lock, Num Lock and Scroll Lock lights through XKB (libX11)."""

import ctypes

XK_NUM_LOCK = 0xFF7F
LOCK_MASK = 1 << 1
XKB_USE_CORE_KBD = 0x0100
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

    def set(self, caps: bool, num: bool, scroll: bool) -> None:
        _x11.XkbLockModifiers(self.display, XKB_USE_CORE_KBD, LOCK_MASK, LOCK_MASK if caps else 0)
        num_mask = _x11.XkbKeysymToModifiers(self.display, XK_NUM_LOCK)
        _x11.XkbLockModifiers(self.display, XKB_USE_CORE_KBD, num_mask, num_mask if num else 0)
        _x11.XkbSetNamedIndicator(self.display, self.atoms["Scroll Lock"], 1, int(scroll), 0, None)
        _x11.XSync(self.display, 0)
