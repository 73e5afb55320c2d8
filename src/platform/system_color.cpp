#include "platform/system_color.h"

COLORREF ColorToRGB(int32_t color) {
  return color < 0 ? GetSysColor(color & 0xFF) : static_cast<COLORREF>(color);
}
