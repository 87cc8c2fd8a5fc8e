#pragma once

#include "platform/HotKeyService.h"

#include <QAbstractNativeEventFilter>
#include <QObject>

#include <cstdint>
#include <map>
#include <vector>

struct xcb_connection_t;

// Key combinations held as passive key grabs on the X root window. Without an X connection
// (e.g. Qt's offscreen platform) every registration is refused.
class XcbHotKeyService : public platform::HotKeyService, private QAbstractNativeEventFilter {
public:
    XcbHotKeyService();
    ~XcbHotKeyService() override;

    XcbHotKeyService(const XcbHotKeyService&) = delete;
    XcbHotKeyService& operator=(const XcbHotKeyService&) = delete;

    bool registerHotKey(std::uint16_t id, unsigned modifiers, unsigned virtualKey) override;
    bool unregisterHotKey(std::uint16_t id) override;
    void setPressHandler(PressHandler handler) override { handler_ = std::move(handler); }

private:
    struct Grab {
        unsigned modifiers = 0;
        unsigned virtualKey = 0;
        std::uint8_t keycode = 0;
        std::uint16_t state = 0; // X modifier mask of the combination
        std::vector<std::uint16_t> lockVariants;
    };

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
    void ungrab(const Grab& grab, const std::vector<std::uint16_t>& variants);

    xcb_connection_t* connection_ = nullptr;
    std::uint32_t root_ = 0;
    std::map<std::uint16_t, Grab> grabs_;
    PressHandler handler_;
    QObject dispatch_; // context of queued presses, gone with the service
};
