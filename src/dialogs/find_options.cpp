#include "dialogs/find_options.h"

const std::array<uint32_t, 13> FindOptionFlags = {
    fr::kDown,            // frDown
    fr::kFindNext,        // frFindNext
    fr::kHideMatchCase,   // frHideMatchCase
    fr::kHideWholeWord,   // frHideWholeWord
    fr::kHideUpDown,      // frHideUpDown
    fr::kMatchCase,       // frMatchCase
    fr::kNoMatchCase,     // frDisableMatchCase
    fr::kNoUpDown,        // frDisableUpDown
    fr::kNoWholeWord,     // frDisableWholeWord
    fr::kReplace,         // frReplace
    fr::kReplaceAll,      // frReplaceAll
    fr::kWholeWord,       // frWholeWord
    fr::kShowHelp,        // frShowHelp
};

uint32_t FindDialogFlags(TFindOptions options) {
  return fr::kEnableHook | FlagsOfSet(options, FindOptionFlags);
}

TFindOptions FindOptionsFromFlags(uint32_t flags) {
  TFindOptions options = 0;
  for (size_t member = 0; member < FindOptionFlags.size(); ++member)
    if (flags & FindOptionFlags[member]) options |= static_cast<TFindOptions>(SetOf(static_cast<int>(member)));
  return options;
}
