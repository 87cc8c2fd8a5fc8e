#pragma once

#include <cstdint>

struct _XDisplay;

// Whether the keymap turns the key, pressed with these X modifiers, into a keysym that the X server
// acts on itself: Ctrl+Alt+F1 becomes XF86Switch_VT_1 and switches to a text console,
// Ctrl+Alt+Backspace may end the server. A grab of such a combination succeeds, yet no client ever
// receives its press. False when the keymap cannot be read.
bool IsServerActionKey(_XDisplay* display, std::uint8_t keycode, std::uint16_t modifiers);
