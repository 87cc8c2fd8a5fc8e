#pragma once

#include <cstdint>

// The X keysym of a virtual-key code (letters as lower-case keysyms); 0 when X has no such key.
std::uint32_t XcbKeySymOfVirtualKey(unsigned virtualKey);
