#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A hotkey value: virtual-key code in bits 0-7, Shift 0x2000, Ctrl 0x4000, Alt 0x8000, Win 0x10000.
// Modifier flags are those of platform::HotKeyModifier: Alt 1, Ctrl 2, Shift 4, Win 8.
//
// Key names come from our own table of the US English layout, so the `localized` flag names keys
// alike in both modes.

// The words the texts use for the modifiers; "Shift", "Ctrl", "Alt", "Win" until changed.
extern std::string ShiftWord;
extern std::string CtrlWord;
extern std::string AltWord;
extern std::string WinWord;

// Takes the modifier words from the key names, once at program start.
void InitModifierWords();
// Empties the modifier words, at program end.
void ClearModifierWords();

struct UnpackedHotKey {
    std::uint16_t modifiers = 0;
    std::uint16_t key = 0;
};

// "Ctrl+F1" -> 16496; 0 when the text names no valid combination.
std::uint32_t ParseHotKeyText(std::string_view text, bool localized = true);
// 16496 -> "Ctrl+F1"; the modifiers come in the order Ctrl, Shift, Alt, Win.
std::string FormatHotKeyText(std::uint32_t value, bool localized = true);
std::uint32_t PackHotKey(std::uint16_t modifiers, std::uint16_t key);
// Nothing for a value of 2^24 or more.
std::optional<UnpackedHotKey> UnpackHotKey(std::uint32_t value);
// The display name of the key in bits 0-7; empty when the key has none.
std::string KeyDisplayName(std::uint32_t value, bool extended, bool localized = true);
