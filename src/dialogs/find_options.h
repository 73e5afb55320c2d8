// The find dialog's options as platform flags, both ways.
#pragma once

#include <array>
#include <cstdint>

#include "dialogs/dialog_types.h"

namespace fr {
inline constexpr uint32_t kDown = 0x1;                // FR_DOWN
inline constexpr uint32_t kWholeWord = 0x2;           // FR_WHOLEWORD
inline constexpr uint32_t kMatchCase = 0x4;           // FR_MATCHCASE
inline constexpr uint32_t kFindNext = 0x8;            // FR_FINDNEXT
inline constexpr uint32_t kReplace = 0x10;            // FR_REPLACE
inline constexpr uint32_t kReplaceAll = 0x20;         // FR_REPLACEALL
inline constexpr uint32_t kDialogTerm = 0x40;         // FR_DIALOGTERM
inline constexpr uint32_t kShowHelp = 0x80;           // FR_SHOWHELP
inline constexpr uint32_t kEnableHook = 0x100;        // FR_ENABLEHOOK
inline constexpr uint32_t kNoUpDown = 0x400;          // FR_NOUPDOWN
inline constexpr uint32_t kNoMatchCase = 0x800;       // FR_NOMATCHCASE
inline constexpr uint32_t kNoWholeWord = 0x1000;      // FR_NOWHOLEWORD
inline constexpr uint32_t kHideUpDown = 0x4000;       // FR_HIDEUPDOWN
inline constexpr uint32_t kHideMatchCase = 0x8000;    // FR_HIDEMATCHCASE
inline constexpr uint32_t kHideWholeWord = 0x10000;   // FR_HIDEWHOLEWORD
}  // namespace fr

// The platform flag of each TFindOption member, indexed by member (frDown .. frShowHelp).
extern const std::array<uint32_t, 13> FindOptionFlags;

// Flags of a find dialog run: the hook flag and the flag of every member in `options`.
uint32_t FindDialogFlags(TFindOptions options);

// The members whose flags are in `flags` (what the find window reports back).
TFindOptions FindOptionsFromFlags(uint32_t flags);
