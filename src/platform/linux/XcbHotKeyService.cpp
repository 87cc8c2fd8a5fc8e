#include "platform/linux/XcbHotKeyService.h"

#include "platform/linux/ServerActionKeys.h"
#include "platform/linux/XcbKeySyms.h"

#include <QByteArray>
#include <QGuiApplication>

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

namespace {

// Lock keys and other modifiers must not stop a combination from matching.
constexpr std::uint16_t ComparedState =
    XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;

using KeySymbols = std::unique_ptr<xcb_key_symbols_t, decltype(&xcb_key_symbols_free)>;

std::uint16_t StateOf(unsigned modifiers) {
    std::uint16_t state = 0;
    if (modifiers & platform::ModShift)
        state |= XCB_MOD_MASK_SHIFT;
    if (modifiers & platform::ModCtrl)
        state |= XCB_MOD_MASK_CONTROL;
    if (modifiers & platform::ModAlt)
        state |= XCB_MOD_MASK_1;
    if (modifiers & platform::ModWin)
        state |= XCB_MOD_MASK_4;
    return state;
}

std::vector<xcb_keycode_t> KeycodesOf(xcb_key_symbols_t* symbols, xcb_keysym_t keysym) {
    std::vector<xcb_keycode_t> keycodes;
    if (xcb_keycode_t* found = xcb_key_symbols_get_keycode(symbols, keysym)) {
        for (xcb_keycode_t* code = found; *code != XCB_NO_SYMBOL; ++code)
            keycodes.push_back(*code);
        std::free(found);
    }
    return keycodes;
}

// The modifier bit the server's modifier mapping gives Num Lock (not always Mod2); 0 when none.
std::uint16_t NumLockMask(xcb_connection_t* connection, xcb_key_symbols_t* symbols) {
    const std::vector<xcb_keycode_t> numLock = KeycodesOf(symbols, XK_Num_Lock);
    xcb_get_modifier_mapping_reply_t* mapping =
        xcb_get_modifier_mapping_reply(connection, xcb_get_modifier_mapping(connection), nullptr);
    if (!mapping)
        return 0;
    const xcb_keycode_t* keycodes = xcb_get_modifier_mapping_keycodes(mapping);
    const int perModifier = mapping->keycodes_per_modifier;
    std::uint16_t mask = 0;
    for (int modifier = 0; modifier < 8 && mask == 0; ++modifier) {
        for (int i = 0; i < perModifier; ++i) {
            const xcb_keycode_t keycode = keycodes[modifier * perModifier + i];
            if (keycode != 0 && std::find(numLock.begin(), numLock.end(), keycode) != numLock.end())
                mask = static_cast<std::uint16_t>(1u << modifier);
        }
    }
    std::free(mapping);
    return mask;
}

// None, Num Lock, Caps Lock and both, without repeats when Num Lock drives no modifier.
std::vector<std::uint16_t> LockVariants(std::uint16_t numLock) {
    std::vector<std::uint16_t> variants;
    for (const std::uint16_t variant : {std::uint16_t(0), numLock, std::uint16_t(XCB_MOD_MASK_LOCK),
                                        std::uint16_t(numLock | XCB_MOD_MASK_LOCK)}) {
        if (std::find(variants.begin(), variants.end(), variant) == variants.end())
            variants.push_back(variant);
    }
    return variants;
}

// Other clients see an ungrab only once the server has processed it.
void RoundTrip(xcb_connection_t* connection) {
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

} // namespace

XcbHotKeyService::XcbHotKeyService() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return;
    connection_ = x11->connection();
    int screen = x11->display() ? XDefaultScreen(x11->display()) : 0;
    xcb_screen_iterator_t roots = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (; screen > 0 && roots.rem > 1; --screen)
        xcb_screen_next(&roots);
    root_ = roots.data->root;
    qGuiApp->installNativeEventFilter(this);
}

XcbHotKeyService::~XcbHotKeyService() {
    // After the application is gone, so is its connection, and the server has dropped the grabs.
    if (!connection_ || !QCoreApplication::instance())
        return;
    QCoreApplication::instance()->removeNativeEventFilter(this);
    for (const auto& [id, grab] : grabs_)
        ungrab(grab, grab.lockVariants);
    RoundTrip(connection_);
}

bool XcbHotKeyService::registerHotKey(std::uint16_t id, unsigned modifiers, unsigned virtualKey) {
    if (!connection_ || id == 0 || grabs_.count(id))
        return false;
    const xcb_keysym_t keysym = XcbKeySymOfVirtualKey(virtualKey);
    if (keysym == 0)
        return false;
    KeySymbols symbols(xcb_key_symbols_alloc(connection_), &xcb_key_symbols_free);
    const std::vector<xcb_keycode_t> keycodes = KeycodesOf(symbols.get(), keysym);
    if (keycodes.empty())
        return false;
    // The server keeps these for itself: no press would ever arrive.
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (IsServerActionKey(x11->display(), keycodes.front(), StateOf(modifiers)))
        return false;

    Grab grab{modifiers, virtualKey, keycodes.front(), StateOf(modifiers),
              LockVariants(NumLockMask(connection_, symbols.get()))};
    // X lets us grab our own combination again, and ungrabbing either hold would end both.
    for (const auto& [otherId, held] : grabs_) {
        if (held.keycode == grab.keycode && held.state == grab.state)
            return false;
    }

    std::vector<xcb_void_cookie_t> cookies;
    for (const std::uint16_t variant : grab.lockVariants) {
        cookies.push_back(xcb_grab_key_checked(connection_, 0, root_, grab.state | variant, grab.keycode,
                                               XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    }
    std::vector<std::uint16_t> grabbed;
    for (std::size_t i = 0; i < cookies.size(); ++i) {
        // BadAccess: another client holds this variant.
        if (xcb_generic_error_t* error = xcb_request_check(connection_, cookies[i]))
            std::free(error);
        else
            grabbed.push_back(grab.lockVariants[i]);
    }
    if (grabbed.size() != grab.lockVariants.size()) {
        ungrab(grab, grabbed);
        RoundTrip(connection_);
        return false;
    }
    grabs_.emplace(id, std::move(grab));
    return true;
}

bool XcbHotKeyService::unregisterHotKey(std::uint16_t id) {
    const auto found = grabs_.find(id);
    if (found == grabs_.end())
        return false;
    ungrab(found->second, found->second.lockVariants);
    RoundTrip(connection_);
    grabs_.erase(found);
    return true;
}

void XcbHotKeyService::ungrab(const Grab& grab, const std::vector<std::uint16_t>& variants) {
    for (const std::uint16_t variant : variants)
        xcb_ungrab_key(connection_, grab.keycode, root_, grab.state | variant);
}

bool XcbHotKeyService::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_KEY_PRESS)
        return false;
    const auto* press = static_cast<const xcb_key_press_event_t*>(message);
    if (press->event != root_)
        return false;
    const std::uint16_t state = press->state & ComparedState;
    const auto match = std::find_if(grabs_.begin(), grabs_.end(), [&](const auto& held) {
        return held.second.keycode == press->detail && held.second.state == state;
    });
    if (match == grabs_.end())
        return false;
    // The action runs after the X event has been dealt with, not inside Qt's event reader: it may
    // open boxes and windows, or unregister. A press arriving after the service is gone is dropped.
    const std::uint16_t id = match->first;
    const Grab grab = match->second;
    const std::uint32_t time = press->time;
    QMetaObject::invokeMethod(
        &dispatch_,
        [this, id, grab, time] {
            const PressHandler handler = handler_; // it may replace itself
            if (handler)
                handler(id, grab.modifiers, grab.virtualKey, time);
        },
        Qt::QueuedConnection);
    return true;
}
