#pragma once

#include "platform/HotKeyService.h"

class XcbHotKeyService : public platform::HotKeyService {
public:
    bool registerHotKey(std::uint16_t id, unsigned modifiers, unsigned virtualKey) override;
    bool unregisterHotKey(std::uint16_t id) override;
    void setPressHandler(PressHandler handler) override;
};
