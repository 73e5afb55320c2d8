#include "dialogs/color_options.h"

const std::array<uint32_t, 5> ColorOptionFlags = {
    cc::kFullOpen,         // cdFullOpen
    cc::kPreventFullOpen,  // cdPreventFullOpen
    cc::kShowHelp,         // cdShowHelp
    cc::kSolidColor,       // cdSolidColor
    cc::kAnyColor,         // cdAnyColor
};

uint32_t ColorDialogFlags(TColorDialogOptions options) {
  uint32_t flags = cc::kRgbInit | cc::kEnableHook;
  for (size_t member = 0; member < ColorOptionFlags.size(); ++member)
    if (InSet(options, static_cast<int>(member))) flags |= ColorOptionFlags[member];
  return flags;
}
