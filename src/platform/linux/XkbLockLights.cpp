#include "platform/linux/XkbLockLights.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>
#include <X11/keysym.h>

_XDisplay* XkbLockLights::display() {
    if (!display_) {
        auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
        display_ = x11 ? x11->display() : nullptr;
        if (display_) {
            // Num Lock's modifier bit differs between keymaps; ask the keymap rather than assume Mod2.
            numLockMask_ = XkbKeysymToModifiers(display_, XK_Num_Lock);
            scrollLock_ = XInternAtom(display_, "Scroll Lock", False);
        }
    }
    return display_;
}

void XkbLockLights::toggle(platform::LockKey key) {
    Display* dpy = display();
    if (!dpy)
        return;
    if (key == platform::LockKey::Scroll) {
        Bool on = False;
        if (XkbGetNamedIndicator(dpy, scrollLock_, nullptr, &on, nullptr, nullptr))
            XkbSetNamedIndicator(dpy, scrollLock_, True, !on, False, nullptr);
    } else {
        const unsigned mask = key == platform::LockKey::Caps ? LockMask : numLockMask_;
        XkbStateRec state{};
        if (mask != 0 && XkbGetState(dpy, XkbUseCoreKbd, &state) == Success)
            XkbLockModifiers(dpy, XkbUseCoreKbd, mask, (state.locked_mods & mask) ? 0 : mask);
    }
    // Each change shows at once rather than with the next request the program happens to send.
    XFlush(dpy);
}
