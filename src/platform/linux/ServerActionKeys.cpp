#include "platform/linux/ServerActionKeys.h"

#include <X11/XF86keysym.h>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace {

bool serverActionKeySym(KeySym keysym) {
    return (keysym >= XF86XK_Switch_VT_1 && keysym <= XF86XK_Switch_VT_12) || keysym == XK_Terminate_Server ||
           keysym == XF86XK_Ungrab || keysym == XF86XK_ClearGrab || keysym == XF86XK_Next_VMode ||
           keysym == XF86XK_Prev_VMode || keysym == XF86XK_LogWindowTree || keysym == XF86XK_LogGrabInfo;
}

} // namespace

bool IsServerActionKey(_XDisplay* display, std::uint8_t keycode, std::uint16_t modifiers) {
    if (!display)
        return false;
    XkbDescPtr keymap = XkbGetMap(display, XkbAllClientInfoMask, XkbUseCoreKbd);
    if (!keymap)
        return false;
    // The key types say which level the modifiers select, e.g. the fifth for Ctrl+Alt on F1.
    unsigned consumed = 0;
    KeySym keysym = NoSymbol;
    const bool translated = XkbTranslateKeyCode(keymap, keycode, modifiers, &consumed, &keysym);
    XkbFreeKeyboard(keymap, 0, True);
    return translated && serverActionKeySym(keysym);
}
