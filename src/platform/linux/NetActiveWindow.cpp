#include "platform/linux/NetActiveWindow.h"

#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace {

std::uint32_t Intern(xcb_connection_t* connection, const char* name) {
    const auto cookie = xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const std::uint32_t atom = reply ? reply->atom : std::uint32_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

// A request that stands for the user's own action, as a pager's does.
constexpr std::uint32_t SourceUserAction = 2;
constexpr std::uint32_t SourceApplication = 1;

} // namespace

NetActiveWindow::NetActiveWindow(xcb_connection_t* connection) : connection_(connection) {
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    activeWindowAtom_ = Intern(connection, "_NET_ACTIVE_WINDOW");
    userTimeAtom_ = Intern(connection, "_NET_WM_USER_TIME");
    supportingWmAtom_ = Intern(connection, "_NET_SUPPORTING_WM_CHECK");
}

bool NetActiveWindow::hasWindowManager() const {
    const auto cookie = xcb_get_property(connection_, 0, root_, supportingWmAtom_, XCB_ATOM_WINDOW, 0, 1);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(connection_, cookie, nullptr);
    const bool present = reply && reply->format == 32 && xcb_get_property_value_length(reply) == 4 &&
                         *static_cast<const std::uint32_t*>(xcb_get_property_value(reply)) != 0;
    std::free(reply);
    return present;
}

void NetActiveWindow::request(std::uint32_t window, std::uint32_t userTime) const {
    if (userTime != 0)
        xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window, userTimeAtom_, XCB_ATOM_CARDINAL, 32,
                            1, &userTime);
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = activeWindowAtom_;
    message.data.data32[0] = userTime != 0 ? SourceUserAction : SourceApplication;
    message.data.data32[1] = userTime; // 0 is CurrentTime
    xcb_send_event(connection_, 0, root_,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection_);
}
