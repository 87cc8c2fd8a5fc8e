// Another X client for the hotkey tests: holds a key combination, or checks whether it could.
//
//   hotkey_holder hold MODIFIERS KEY   grab it on the root window in every lock variant, print
//                                      "held" and keep it until killed; exit 3 if it is taken
//   hotkey_holder try MODIFIERS KEY    exit 0 if it could be grabbed (and let it go), 3 if taken
//
// MODIFIERS is "none" or words joined by "+" (ctrl, shift, alt, win); KEY is an X keysym name.
#include <X11/Xlib.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

namespace {

constexpr int Taken = 3;
constexpr int Usage = 2;

bool ParseModifiers(const std::string& text, std::uint16_t& mask) {
    mask = 0;
    if (text == "none")
        return true;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('+', start), text.size());
        const std::string word = text.substr(start, end - start);
        if (word == "ctrl")
            mask |= XCB_MOD_MASK_CONTROL;
        else if (word == "shift")
            mask |= XCB_MOD_MASK_SHIFT;
        else if (word == "alt")
            mask |= XCB_MOD_MASK_1;
        else if (word == "win")
            mask |= XCB_MOD_MASK_4;
        else
            return false;
        start = end + 1;
    }
    return true;
}

void Release(xcb_connection_t* connection, xcb_window_t root, xcb_keycode_t keycode,
             const std::vector<std::uint16_t>& masks) {
    for (const std::uint16_t mask : masks)
        xcb_ungrab_key(connection, keycode, root, mask);
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

// Grabs each variant; on a refusal lets go of the others and answers false.
bool GrabAll(xcb_connection_t* connection, xcb_window_t root, xcb_keycode_t keycode,
             const std::vector<std::uint16_t>& masks) {
    std::vector<xcb_void_cookie_t> cookies;
    for (const std::uint16_t mask : masks)
        cookies.push_back(xcb_grab_key_checked(connection, 0, root, mask, keycode, XCB_GRAB_MODE_ASYNC,
                                               XCB_GRAB_MODE_ASYNC));
    bool all = true;
    for (const xcb_void_cookie_t cookie : cookies) {
        if (xcb_generic_error_t* error = xcb_request_check(connection, cookie)) {
            all = false;
            std::free(error);
        }
    }
    if (!all)
        Release(connection, root, keycode, masks);
    return all;
}

} // namespace

int main(int argc, char** argv) {
    std::uint16_t modifiers = 0;
    if (argc != 4 || (std::strcmp(argv[1], "hold") != 0 && std::strcmp(argv[1], "try") != 0) ||
        !ParseModifiers(argv[2], modifiers)) {
        std::fprintf(stderr, "usage: hotkey_holder hold|try none|ctrl+alt+... KEYSYM\n");
        return Usage;
    }
    const KeySym keysym = XStringToKeysym(argv[3]);
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (keysym == NoSymbol || xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "hotkey_holder: no keysym %s or no X display\n", argv[3]);
        return Usage;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(connection);
    xcb_keycode_t* keycodes = xcb_key_symbols_get_keycode(symbols, static_cast<xcb_keysym_t>(keysym));
    if (!keycodes || keycodes[0] == XCB_NO_SYMBOL) {
        std::fprintf(stderr, "hotkey_holder: %s is on no key\n", argv[3]);
        return Usage;
    }
    const xcb_keycode_t keycode = keycodes[0];
    std::free(keycodes);
    xcb_key_symbols_free(symbols);

    if (std::strcmp(argv[1], "try") == 0) {
        if (!GrabAll(connection, root, keycode, {modifiers}))
            return Taken;
        // Let go before answering, so whoever grabs next does not race our disconnection.
        Release(connection, root, keycode, {modifiers});
        return 0;
    }
    // Num Lock is Mod2 in the test server's map.
    const std::uint16_t locks[] = {0, XCB_MOD_MASK_2, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2 | XCB_MOD_MASK_LOCK};
    std::vector<std::uint16_t> masks;
    for (const std::uint16_t lock : locks)
        masks.push_back(modifiers | lock);
    if (!GrabAll(connection, root, keycode, masks))
        return Taken;
    std::printf("held\n");
    std::fflush(stdout);
    for (;;)
        pause();
}
