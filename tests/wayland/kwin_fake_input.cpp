// Presses keys and moves and clicks the pointer in KWin through org_kde_kwin_fake_input, as the
// user's own devices would: KWin's global shortcuts see the keys first, then the focused window.
// KWin offers the interface to trusted clients only, or to all with KWIN_WAYLAND_NO_PERMISSION_CHECKS=1.
//   kwin_fake_input ctrl+shift+F1 Escape move:X,Y click ...
// A key is named by its keysym in the default keymap (also ctrl, shift, alt); the keys joined by +
// go down in order and come up in reverse.
#include "fake-input-client.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <linux/input-event-codes.h>
#include <sstream>
#include <string>
#include <vector>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

namespace {

struct Connection {
    wl_display* display = nullptr;
    org_kde_kwin_fake_input* input = nullptr;
    xkb_keymap* keymap = nullptr;
};

template <typename... Args> void ignore(void*, Args...) {}

const wl_registry_listener registryListener = {
    .global =
        [](void* data, wl_registry* registry, std::uint32_t name, const char* interface,
           std::uint32_t version) {
            // keyboard_key came with version 4.
            if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 && version >= 4)
                static_cast<Connection*>(data)->input = static_cast<org_kde_kwin_fake_input*>(
                    wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 4));
        },
    .global_remove = ignore,
};

// The evdev code of the key that gives the keysym without modifiers, 0 when none does.
std::uint32_t evdevCode(xkb_keymap* keymap, const std::string& name) {
    static const std::vector<std::pair<std::string, std::string>> modifiers = {
        {"ctrl", "Control_L"}, {"shift", "Shift_L"}, {"alt", "Alt_L"}};
    std::string keysymName = name;
    for (const auto& [alias, keysym] : modifiers)
        if (name == alias)
            keysymName = keysym;
    xkb_keysym_t wanted = xkb_keysym_from_name(keysymName.c_str(), XKB_KEYSYM_NO_FLAGS);
    if (wanted == XKB_KEY_NoSymbol)
        wanted = xkb_keysym_from_name(keysymName.c_str(), XKB_KEYSYM_CASE_INSENSITIVE);
    if (wanted == XKB_KEY_NoSymbol)
        return 0;
    for (xkb_keycode_t code = xkb_keymap_min_keycode(keymap); code <= xkb_keymap_max_keycode(keymap);
         ++code) {
        const xkb_keysym_t* keysyms = nullptr;
        const int count = xkb_keymap_key_get_syms_by_level(keymap, code, 0, 0, &keysyms);
        if (std::find(keysyms, keysyms + count, wanted) != keysyms + count)
            return code - 8; // xkb numbers keys from evdev's code plus 8
    }
    return 0;
}

bool pressCombination(Connection& connection, const std::string& combination) {
    std::vector<std::uint32_t> codes;
    std::istringstream keys(combination);
    for (std::string key; std::getline(keys, key, '+');) {
        codes.push_back(evdevCode(connection.keymap, key));
        if (codes.back() == 0) {
            std::fprintf(stderr, "kwin_fake_input: no key gives '%s'\n", key.c_str());
            return false;
        }
    }
    for (std::uint32_t code : codes) {
        org_kde_kwin_fake_input_keyboard_key(connection.input, code, WL_KEYBOARD_KEY_STATE_PRESSED);
        wl_display_roundtrip(connection.display);
    }
    for (auto code = codes.rbegin(); code != codes.rend(); ++code) {
        org_kde_kwin_fake_input_keyboard_key(connection.input, *code, WL_KEYBOARD_KEY_STATE_RELEASED);
        wl_display_roundtrip(connection.display);
    }
    return true;
}

void click(Connection& connection) {
    for (auto state : {WL_POINTER_BUTTON_STATE_PRESSED, WL_POINTER_BUTTON_STATE_RELEASED}) {
        org_kde_kwin_fake_input_button(connection.input, BTN_LEFT, state);
        wl_display_roundtrip(connection.display);
    }
}

} // namespace

int main(int argc, char** argv) {
    Connection connection;
    connection.display = wl_display_connect(nullptr);
    if (!connection.display) {
        std::fprintf(stderr, "kwin_fake_input: no Wayland display\n");
        return 1;
    }
    wl_registry_add_listener(wl_display_get_registry(connection.display), &registryListener, &connection);
    wl_display_roundtrip(connection.display);
    if (!connection.input) {
        std::fprintf(stderr, "kwin_fake_input: the compositor offers no org_kde_kwin_fake_input (v4)\n");
        return 1;
    }
    org_kde_kwin_fake_input_authenticate(connection.input, "kwin_fake_input", "tests");
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    const xkb_rule_names defaults = {};
    connection.keymap = xkb_keymap_new_from_names(context, &defaults, XKB_KEYMAP_COMPILE_NO_FLAGS);

    int status = 0;
    for (int i = 1; i < argc && status == 0; ++i) {
        const std::string action = argv[i];
        double x = 0, y = 0;
        if (action == "click")
            click(connection);
        else if (std::sscanf(argv[i], "move:%lf,%lf", &x, &y) == 2) {
            org_kde_kwin_fake_input_pointer_motion_absolute(connection.input, wl_fixed_from_double(x),
                                                            wl_fixed_from_double(y));
            wl_display_roundtrip(connection.display);
        } else if (!pressCombination(connection, action))
            status = 2;
    }
    xkb_keymap_unref(connection.keymap);
    xkb_context_unref(context);
    wl_display_disconnect(connection.display);
    return status;
}
