// Lists KWin's windows as a taskbar sees them (org_kde_plasma_window_management), one a line:
//   title <TAB> app id <TAB> WIDTHxHEIGHT+X+Y <TAB> states, comma-separated, of
//   active, keep_above, skip_taskbar, fullscreen
// KWin offers the interface to trusted clients only, or to all with KWIN_WAYLAND_NO_PERMISSION_CHECKS=1.
#include "plasma-window-management-client.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <list>
#include <string>
#include <wayland-client.h>

namespace {

struct Window {
    std::string title, appId;
    std::int32_t x = 0, y = 0;
    std::uint32_t width = 0, height = 0, states = 0;
    bool unmapped = false;
};

struct Listing {
    org_kde_plasma_window_management* manager = nullptr;
    std::list<Window> windows; // stable addresses: each is its proxy's listener data
};

template <typename... Args> void ignore(void*, Args...) {}

Window& windowOf(void* data) {
    return *static_cast<Window*>(data);
}

const org_kde_plasma_window_listener windowListener = {
    .title_changed = [](void* data, org_kde_plasma_window*,
                        const char* title) { windowOf(data).title = title; },
    .app_id_changed = [](void* data, org_kde_plasma_window*,
                         const char* appId) { windowOf(data).appId = appId; },
    .state_changed = [](void* data, org_kde_plasma_window*,
                        std::uint32_t states) { windowOf(data).states = states; },
    .virtual_desktop_changed = ignore,
    .themed_icon_name_changed = ignore,
    .unmapped = [](void* data, org_kde_plasma_window*) { windowOf(data).unmapped = true; },
    .initial_state = ignore,
    .parent_window = ignore,
    .geometry =
        [](void* data, org_kde_plasma_window*, std::int32_t x, std::int32_t y, std::uint32_t width,
           std::uint32_t height) {
            Window& window = windowOf(data);
            window.x = x;
            window.y = y;
            window.width = width;
            window.height = height;
        },
    .icon_changed = ignore,
    .pid_changed = ignore,
    .virtual_desktop_entered = ignore,
    .virtual_desktop_left = ignore,
    .application_menu = ignore,
    .activity_entered = ignore,
    .activity_left = ignore,
    .resource_name_changed = ignore,
};

const org_kde_plasma_window_management_listener managerListener = {
    .show_desktop_changed = ignore,
    .window = ignore, // also announced by uuid below
    .stacking_order_changed = ignore,
    .stacking_order_uuid_changed = ignore,
    .window_with_uuid =
        [](void* data, org_kde_plasma_window_management* manager, std::uint32_t, const char* uuid) {
            Window& window = static_cast<Listing*>(data)->windows.emplace_back();
            org_kde_plasma_window_add_listener(
                org_kde_plasma_window_management_get_window_by_uuid(manager, uuid), &windowListener, &window);
        },
};

const wl_registry_listener registryListener = {
    .global =
        [](void* data, wl_registry* registry, std::uint32_t name, const char* interface,
           std::uint32_t version) {
            // Windows are announced by uuid from version 13 on.
            if (std::strcmp(interface, org_kde_plasma_window_management_interface.name) != 0 || version < 13)
                return;
            auto* listing = static_cast<Listing*>(data);
            listing->manager = static_cast<org_kde_plasma_window_management*>(wl_registry_bind(
                registry, name, &org_kde_plasma_window_management_interface,
                std::min<std::uint32_t>(version, org_kde_plasma_window_management_interface.version)));
            org_kde_plasma_window_management_add_listener(listing->manager, &managerListener, listing);
        },
    .global_remove = ignore,
};

std::string stateNames(std::uint32_t states) {
    static const std::pair<std::uint32_t, const char*> names[] = {
        {ORG_KDE_PLASMA_WINDOW_MANAGEMENT_STATE_ACTIVE, "active"},
        {ORG_KDE_PLASMA_WINDOW_MANAGEMENT_STATE_KEEP_ABOVE, "keep_above"},
        {ORG_KDE_PLASMA_WINDOW_MANAGEMENT_STATE_SKIPTASKBAR, "skip_taskbar"},
        {ORG_KDE_PLASMA_WINDOW_MANAGEMENT_STATE_FULLSCREEN, "fullscreen"},
    };
    std::string text;
    for (const auto& [flag, name] : names) {
        if (!(states & flag))
            continue;
        if (!text.empty())
            text += ',';
        text += name;
    }
    return text;
}

} // namespace

int main() {
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        std::fprintf(stderr, "kwin_window_list: no Wayland display\n");
        return 1;
    }
    Listing listing;
    wl_registry_add_listener(wl_display_get_registry(display), &registryListener, &listing);
    wl_display_roundtrip(display);
    if (!listing.manager) {
        std::fprintf(stderr,
                     "kwin_window_list: the compositor offers no org_kde_plasma_window_management (v13+)\n");
        return 1;
    }
    // The windows, then their proxies, then each one's properties.
    for (int round = 0; round < 3; ++round)
        wl_display_roundtrip(display);
    for (const Window& window : listing.windows)
        if (!window.unmapped)
            std::printf("%s\t%s\t%ux%u%+d%+d\t%s\n", window.title.c_str(), window.appId.c_str(), window.width,
                        window.height, window.x, window.y, stateNames(window.states).c_str());
    wl_display_disconnect(display);
    return 0;
}
