// The colour dialog's options as platform flags, and the flags every run adds.
#pragma once

#include <array>
#include <cstdint>

#include "dialogs/dialog_types.h"

namespace cc {
inline constexpr uint32_t kRgbInit = 0x1;          // CC_RGBINIT
inline constexpr uint32_t kFullOpen = 0x2;         // CC_FULLOPEN
inline constexpr uint32_t kPreventFullOpen = 0x4;  // CC_PREVENTFULLOPEN
inline constexpr uint32_t kShowHelp = 0x8;         // CC_SHOWHELP
inline constexpr uint32_t kEnableHook = 0x10;      // CC_ENABLEHOOK
inline constexpr uint32_t kSolidColor = 0x80;      // CC_SOLIDCOLOR
inline constexpr uint32_t kAnyColor = 0x100;       // CC_ANYCOLOR
}  // namespace cc

// The platform flag of each TColorDialogOption member, indexed by member (cdFullOpen .. cdAnyColor).
extern const std::array<uint32_t, 5> ColorOptionFlags;

// Flags of a colour dialog run: the initial colour and hook flags, and the flag of every
// member in `options`.
uint32_t ColorDialogFlags(TColorDialogOptions options);
