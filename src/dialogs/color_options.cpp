#include "dialogs/color_options.h"

const std::array<uint32_t, 5> ColorOptionFlags = {
    cc::kFullOpen,         // cdFullOpen
    cc::kPreventFullOpen,  // cdPreventFullOpen
    cc::kShowHelp,         // cdShowHelp
    cc::kSolidColor,       // cdSolidColor
    cc::kAnyColor,         // cdAnyColor
};

uint32_t ColorDialogFlags(TColorDialogOptions options) {
  return cc::kRgbInit | cc::kEnableHook | FlagsOfSet(options, ColorOptionFlags);
}
