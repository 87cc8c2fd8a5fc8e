#pragma once

#include "platform/HotKeyService.h"

#include <cstdint>
#include <functional>
#include <vector>

// One registered hotkey: its value and the registration id handed to the service.
struct HotKeyEntry {
    std::uint32_t HotKey = 0;
    std::uint16_t Index = 0;
};

using TOnHotKeyPressed = std::function<void(std::uint32_t HotKey, std::uint16_t Index)>;

// Turns hotkey values into system-wide registrations and reports their presses.
class THotKeyManager {
public:
    explicit THotKeyManager(platform::HotKeyService& service);
    ~THotKeyManager();

    THotKeyManager(const THotKeyManager&) = delete;
    THotKeyManager& operator=(const THotKeyManager&) = delete;

    // The registration id, or 0 when the combination is not available.
    std::uint16_t RegisterKey(std::uint32_t value);
    void UnregisterAll();

    TOnHotKeyPressed OnHotKeyPressed;

    const std::vector<HotKeyEntry>& Entries() const { return entries_; }
    // The window system's time of the last press, for the window an action shows.
    std::uint32_t LastPressTime() const { return lastPressTime_; }

private:
    void HandlePress(std::uint16_t id, unsigned modifiers, unsigned virtualKey);
    bool IsListed(std::uint32_t value) const;

    platform::HotKeyService& service_;
    std::vector<HotKeyEntry> entries_;
    std::uint32_t lastPressTime_ = 0;
};
