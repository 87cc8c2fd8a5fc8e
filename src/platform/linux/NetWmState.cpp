#include "platform/linux/NetWmState.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace {

constexpr std::uint32_t NetWmStateRemove = 0;
constexpr std::uint32_t NetWmStateAdd = 1;
constexpr std::uint32_t SourceApplication = 1;

const char* const FlagNames[NetWmState::FlagCount] = {"_NET_WM_STATE_SKIP_TASKBAR",
                                                      "_NET_WM_STATE_SKIP_PAGER", "_NET_WM_STATE_ABOVE"};

} // namespace

NetWmState::NetWmState(xcb_connection_t* connection) : connection_(connection) {
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    // Send every request before waiting for the first reply.
    xcb_intern_atom_cookie_t cookies[FlagCount + 1];
    cookies[FlagCount] = xcb_intern_atom(connection, 0, std::strlen("_NET_WM_STATE"), "_NET_WM_STATE");
    for (int flag = 0; flag < FlagCount; ++flag)
        cookies[flag] = xcb_intern_atom(connection, 0, std::strlen(FlagNames[flag]), FlagNames[flag]);
    for (int index = 0; index <= FlagCount; ++index) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookies[index], nullptr);
        const std::uint32_t atom = reply ? reply->atom : std::uint32_t{XCB_ATOM_NONE};
        std::free(reply);
        if (index == FlagCount)
            stateAtom_ = atom;
        else
            flagAtoms_[index] = atom;
    }
}

std::vector<std::uint32_t> NetWmState::read(std::uint32_t window) const {
    const auto cookie = xcb_get_property(connection_, 0, window, stateAtom_, XCB_ATOM_ATOM, 0, 64);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(connection_, cookie, nullptr);
    std::vector<std::uint32_t> atoms;
    if (reply && reply->format == 32 && reply->type == XCB_ATOM_ATOM) {
        const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
        atoms.assign(values, values + xcb_get_property_value_length(reply) / 4);
    }
    std::free(reply);
    return atoms;
}

bool NetWmState::has(std::uint32_t window, Flag flag) const {
    auto known = known_.find(window);
    if (known == known_.end())
        known = known_.emplace(window, read(window)).first;
    const std::vector<std::uint32_t>& atoms = known->second;
    return std::find(atoms.begin(), atoms.end(), flagAtoms_[flag]) != atoms.end();
}

void NetWmState::noteEvent(const void* xcbEvent) const {
    const auto* event = static_cast<const xcb_generic_event_t*>(xcbEvent);
    switch (event->response_type & ~0x80) {
    case XCB_PROPERTY_NOTIFY: {
        const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event);
        if (notify->atom == stateAtom_)
            known_.erase(notify->window);
        break;
    }
    case XCB_DESTROY_NOTIFY: // Qt re-creates windows now and then; forget the old ones
        known_.erase(reinterpret_cast<const xcb_destroy_notify_event_t*>(event)->window);
        break;
    }
}

void NetWmState::request(std::uint32_t window, bool add, const std::vector<Flag>& flags) const {
    // What is known stays true until the window manager rewrites the property; noteEvent hears that.
    // One message carries at most two properties.
    for (std::size_t at = 0; at < flags.size(); at += 2) {
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = stateAtom_;
        message.data.data32[0] = add ? NetWmStateAdd : NetWmStateRemove;
        message.data.data32[1] = flagAtoms_[flags[at]];
        message.data.data32[2] =
            at + 1 < flags.size() ? flagAtoms_[flags[at + 1]] : std::uint32_t{XCB_ATOM_NONE};
        message.data.data32[3] = SourceApplication;
        xcb_send_event(connection_, 0, root_,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&message));
    }
    xcb_flush(connection_);
}

void NetWmState::setWhileUnmapped(std::uint32_t window, bool add, const std::vector<Flag>& flags) const {
    known_.erase(window); // written below, before its PropertyNotify comes back
    std::vector<std::uint32_t> atoms = read(window);
    for (Flag flag : flags) {
        const auto found = std::find(atoms.begin(), atoms.end(), flagAtoms_[flag]);
        if (add && found == atoms.end())
            atoms.push_back(flagAtoms_[flag]);
        else if (!add && found != atoms.end())
            atoms.erase(found);
    }
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window, stateAtom_, XCB_ATOM_ATOM, 32,
                        static_cast<std::uint32_t>(atoms.size()), atoms.data());
    xcb_flush(connection_);
}
