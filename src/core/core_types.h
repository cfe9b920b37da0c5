// The scalar types the effect's core is written in: the same names, and the
// same types, as the plug-in formats' own, so the adapters hand values over
// unconverted.
#pragma once

#include <cstdint>

using int32 = std::int32_t;
using uint8 = std::uint8_t;
