#include "platform/linux/XcbHotKeyService.h"

bool XcbHotKeyService::registerHotKey(std::uint16_t, unsigned, unsigned) {
    return false;
}

bool XcbHotKeyService::unregisterHotKey(std::uint16_t) {
    return false;
}

void XcbHotKeyService::setPressHandler(PressHandler) {}
