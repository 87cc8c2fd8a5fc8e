#include "hotkeys/HotKeyManager.h"

#include "hotkeys/HotKeyText.h"

#include <algorithm>

namespace {

// Registration ids stand in for global atoms: non-zero, and counted over the whole run so that no two
// managers on one service hand out the same id (the program registers at most 17).
std::uint16_t NextIndex() {
    static std::uint16_t last = 0;
    if (++last == 0)
        ++last;
    return last;
}

} // namespace

THotKeyManager::THotKeyManager(platform::HotKeyService& service) : service_(service) {
    service_.setPressHandler(
        [this](std::uint16_t id, unsigned modifiers, unsigned virtualKey, std::uint32_t time) {
            lastPressTime_ = time;
            HandlePress(id, modifiers, virtualKey);
        });
}

THotKeyManager::~THotKeyManager() {
    UnregisterAll();
    service_.setPressHandler({});
}

std::uint16_t THotKeyManager::RegisterKey(std::uint32_t value) {
    const std::optional<UnpackedHotKey> unpacked = UnpackHotKey(value);
    // X lets a program grab its own combination again without complaint, so a second hold is refused here.
    if (!unpacked || unpacked->key == 0 || IsListed(value))
        return 0;
    const std::uint16_t index = NextIndex();
    if (!service_.registerHotKey(index, unpacked->modifiers, unpacked->key))
        return 0;
    entries_.push_back({value, index});
    return index;
}

void THotKeyManager::UnregisterAll() {
    while (!entries_.empty()) {
        service_.unregisterHotKey(entries_.back().Index);
        entries_.pop_back();
    }
}

void THotKeyManager::HandlePress(std::uint16_t id, unsigned modifiers, unsigned virtualKey) {
    if (!OnHotKeyPressed)
        return;
    const std::uint32_t value =
        PackHotKey(static_cast<std::uint16_t>(modifiers), static_cast<std::uint16_t>(virtualKey));
    if (IsListed(value))
        OnHotKeyPressed(value, id);
}

bool THotKeyManager::IsListed(std::uint32_t value) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [value](const HotKeyEntry& entry) { return entry.HotKey == value; });
}
