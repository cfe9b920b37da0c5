// A key the host hands the editor, in the toolkit's own terms: the character
// typed, a virtual key for keys without one, and the modifiers held.
#pragma once

#include <cstdint>

struct KeyCode {
    std::int32_t character = 0; // 0 for none
    std::uint8_t virt = 0;      // a VirtualKey, 0 for none
    std::uint8_t modifier = 0;  // ModifierKey bits
};

// The virtual keys the controls act on.
enum VirtualKey : std::uint8_t {
    kKeyLeft = 11,
    kKeyUp = 12,
    kKeyRight = 13,
    kKeyDown = 14,
};

enum ModifierKey : std::uint8_t { kModifierShift = 1 };
