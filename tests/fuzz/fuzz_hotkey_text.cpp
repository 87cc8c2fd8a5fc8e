// Any text parses to 0 or to a valid hotkey value whose formatted text parses back to the same
// modifiers and to a key of the same name; a key named like a modifier ("alt" finds the Alt key)
// formats to a text that names no key.
#include "hotkeys/HotKeyText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::uint32_t value = ParseHotKeyText(text);
    if (value == 0)
        return 0;
    const std::optional<UnpackedHotKey> unpacked = UnpackHotKey(value);
    if (!unpacked || unpacked->key < 8 || (value & 0x1F00) != 0)
        std::abort();
    const std::string formatted = FormatHotKeyText(value);
    const std::uint32_t again = ParseHotKeyText(formatted);
    const std::string name = KeyDisplayName(value, false);
    if (again == 0 && (name == "Shift" || name == "Ctrl" || name == "Alt"))
        return 0;
    // Keys sharing a name (Clear and Num 5) come back as the first of them.
    if ((again & ~0xFFu) != (value & ~0xFFu) || FormatHotKeyText(again) != formatted)
        std::abort();
    return 0;
}
