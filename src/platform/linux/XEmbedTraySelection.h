#pragma once

#include <cstdint>

struct xcb_connection_t;

// The freedesktop XEmbed tray of the program's X screen: a tray host owns the screen's
// _NET_SYSTEM_TRAY_S<n> selection. Asked over the program's own X connection, never through Qt's tray.
class XEmbedTraySelection {
public:
    // Without an X connection (another platform than xcb) there is no such tray.
    XEmbedTraySelection();

    bool owned() const;

private:
    xcb_connection_t* connection_ = nullptr;
    std::uint32_t selection_ = 0;
};
