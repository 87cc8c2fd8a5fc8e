#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

struct xcb_connection_t;

// The EWMH _NET_WM_STATE of top-level windows, spoken over xcb.
class NetWmState {
public:
    enum Flag { SkipTaskbar, SkipPager, Above, FlagCount };

    // Interns the atoms in one round trip.
    explicit NetWmState(xcb_connection_t* connection);

    // The first question about a window reads its state (one round trip); later ones are answered
    // from memory until the property changes (see noteEvent).
    bool has(std::uint32_t window, Flag flag) const;
    // Fed every event of the connection (an xcb_generic_event_t): a PropertyNotify for _NET_WM_STATE makes
    // the next question about that window read the property again, a DestroyNotify forgets the window. Qt
    // selects both kinds of event on its own windows.
    void noteEvent(const void* xcbEvent) const;
    // A mapped window belongs to the window manager, so changes are requests to it (a client message
    // to the root window); it then rewrites the property.
    void request(std::uint32_t window, bool add, const std::vector<Flag>& flags) const;
    // An unmapped window's property is ours; the window manager reads it when the window is mapped.
    void setWhileUnmapped(std::uint32_t window, bool add, const std::vector<Flag>& flags) const;

private:
    std::vector<std::uint32_t> read(std::uint32_t window) const;

    xcb_connection_t* connection_;
    mutable std::unordered_map<std::uint32_t, std::vector<std::uint32_t>> known_;
    std::uint32_t root_ = 0;
    std::uint32_t stateAtom_ = 0;
    std::uint32_t flagAtoms_[FlagCount] = {};
};
