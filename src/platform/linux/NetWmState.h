#pragma once

#include <cstdint>
#include <vector>

struct xcb_connection_t;

// The EWMH _NET_WM_STATE of top-level windows, spoken over xcb.
class NetWmState {
public:
    enum Flag { SkipTaskbar, SkipPager, Above, FlagCount };

    // Interns the atoms in one round trip.
    explicit NetWmState(xcb_connection_t* connection);

    // Reads the window's state: one round trip.
    bool has(std::uint32_t window, Flag flag) const;
    // A mapped window belongs to the window manager, so changes are requests to it (a client message
    // to the root window); it then rewrites the property.
    void request(std::uint32_t window, bool add, const std::vector<Flag>& flags) const;
    // An unmapped window's property is ours; the window manager reads it when the window is mapped.
    void setWhileUnmapped(std::uint32_t window, bool add, const std::vector<Flag>& flags) const;

private:
    std::vector<std::uint32_t> read(std::uint32_t window) const;

    xcb_connection_t* connection_;
    std::uint32_t root_ = 0;
    std::uint32_t stateAtom_ = 0;
    std::uint32_t flagAtoms_[FlagCount] = {};
};
