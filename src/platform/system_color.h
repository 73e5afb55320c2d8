// Colour values as the platform draws them.
#pragma once

#include <cstdint>

#include "platform/win32.h"

// A TColor as RGB: a system colour (top bit set, the platform's colour index in the low byte)
// is read from the platform; any other value is already RGB.
COLORREF ColorToRGB(int32_t color);
