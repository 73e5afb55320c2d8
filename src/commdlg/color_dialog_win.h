// The colour dialog on Windows: ChooseColorA with the chosen colour and the 16 custom colours.
#pragma once

#include <string>

#include "commdlg/common_dialog_win.h"
#include "dialogs/color_dialog.h"
#include "platform/system_color.h"  // ColorToRGB

// The string resources custom colour entry names are built from (color_strings.rc).
inline constexpr UINT kColorPrefixResource = 61614;  // "Color"
inline constexpr UINT kColorTagsResource = 61615;    // "ABCDEFGHIJKLMNOP"

struct CustomColorTexts {
  std::string prefix;
  std::string tags;
};
// Reads both texts from the program's string resources; throws EResNotFound when one is missing.
CustomColorTexts LoadCustomColorTexts();

// Builds the colour record from the dialog's properties (custom colours first, so a value that
// is not hexadecimal throws EConvertError before `function` is called), runs `function` with it
// through RunTaskModal and, on a non-zero answer, writes Color and CustomColors back. Answers
// the function's answer.
BOOL RunColorDialog(TColorDialog& dialog, const DialogFunction<CHOOSECOLORA>& function);

// The registry's execute routine: ChooseColorA; true when accepted.
bool ExecuteColorDialog(TComponent& dialog);
