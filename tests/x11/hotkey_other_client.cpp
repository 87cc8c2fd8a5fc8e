#include "hotkey_other_client.h"

#include <X11/XKBlib.h>
#include <X11/Xlib-xcb.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <cstdlib>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

namespace {

xcb_connection_t* ConnectionOf(Display* display) {
    return XGetXCBConnection(display);
}

void RoundTrip(xcb_connection_t* connection) {
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

} // namespace

OtherClient::OtherClient() : display_(XOpenDisplay(nullptr)) {
    // Asked of the server's XKB keyboard map, not worked out as the service does.
    if (display_)
        numLock_ = static_cast<std::uint16_t>(XkbKeysymToModifiers(display_, XK_Num_Lock));
}

OtherClient::~OtherClient() {
    if (display_)
        XCloseDisplay(display_);
}

std::vector<std::uint16_t> OtherClient::lockVariants() const {
    return {0, numLock_, XCB_MOD_MASK_LOCK, static_cast<std::uint16_t>(numLock_ | XCB_MOD_MASK_LOCK)};
}

std::uint8_t OtherClient::keycode(const std::string& key) const {
    return XKeysymToKeycode(display_, XStringToKeysym(key.c_str()));
}

bool OtherClient::grab(std::uint16_t state, const std::string& key) {
    xcb_connection_t* connection = ConnectionOf(display_);
    const xcb_void_cookie_t cookie =
        xcb_grab_key_checked(connection, 0, DefaultRootWindow(display_), state, keycode(key),
                             XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    xcb_generic_error_t* error = xcb_request_check(connection, cookie);
    std::free(error);
    return error == nullptr;
}

void OtherClient::ungrab(std::uint16_t state, const std::string& key) {
    xcb_connection_t* connection = ConnectionOf(display_);
    xcb_ungrab_key(connection, keycode(key), DefaultRootWindow(display_), state);
    RoundTrip(connection);
}

bool OtherClient::couldGrabEveryVariant(std::uint16_t state, const std::string& key) {
    bool all = true;
    for (const std::uint16_t lock : lockVariants()) {
        if (grab(state | lock, key))
            ungrab(state | lock, key);
        else
            all = false;
    }
    return all;
}

bool OtherClient::refusedEveryVariant(std::uint16_t state, const std::string& key) {
    bool none = true;
    for (const std::uint16_t lock : lockVariants()) {
        if (grab(state | lock, key)) {
            ungrab(state | lock, key);
            none = false;
        }
    }
    return none;
}

void OtherClient::type(const std::vector<std::string>& keys) {
    for (const std::string& key : keys)
        fake(XCB_KEY_PRESS, key);
    for (auto key = keys.rbegin(); key != keys.rend(); ++key)
        fake(XCB_KEY_RELEASE, *key);
    RoundTrip(ConnectionOf(display_));
}

void OtherClient::fake(std::uint8_t type, const std::string& key) {
    xcb_test_fake_input(ConnectionOf(display_), type, keycode(key), XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
}
