#include "commdlg/color_dialog_win.h"

#include "base/errors.h"
#include "base/format.h"
#include "base/messages.h"
#include "commdlg/dialog_host.h"
#include "commdlg/dialog_library_win.h"
#include "dialogs/color_options.h"
#include "dialogs/custom_colors.h"
#include "platform/program_strings.h"
#include "platform/record_sizes.h"

static_assert(cc::kRgbInit == CC_RGBINIT && cc::kFullOpen == CC_FULLOPEN &&
                  cc::kPreventFullOpen == CC_PREVENTFULLOPEN && cc::kShowHelp == CC_SHOWHELP &&
                  cc::kEnableHook == CC_ENABLEHOOK && cc::kSolidColor == CC_SOLIDCOLOR &&
                  cc::kAnyColor == CC_ANYCOLOR,
              "flag constants match the platform's");

namespace {

std::string LoadResourceText(UINT id) {
  std::optional<std::string> text = ProgramString(id);
  if (!text) throw EResNotFound(Format(msg::kResourceNotFound, {static_cast<int32_t>(id)}));
  return *text;
}

}  // namespace

CustomColorTexts LoadCustomColorTexts() {
  return {LoadResourceText(kColorPrefixResource), LoadResourceText(kColorTagsResource)};
}

BOOL RunColorDialog(TColorDialog& dialog, const DialogFunction<CHOOSECOLORA>& function) {
  const CustomColorTexts texts = LoadCustomColorTexts();
  const CustomColorArray colors = ReadCustomColors(dialog.FCustomColors, texts.prefix, texts.tags);
  COLORREF custom[16];
  for (size_t i = 0; i < 16; ++i) custom[i] = static_cast<COLORREF>(colors[i]);

  CHOOSECOLORA record{};
  record.lStructSize = record_size::kChooseColor;
  record.hwndOwner = ApplicationHandle();
  record.rgbResult = ColorToRGB(dialog.FColor);
  record.lpCustColors = custom;
  record.Flags = ColorDialogFlags(dialog.FOptions);
  record.lpfnHook = ClassicDialogHook;
  SetCtl3DFlag(dialog.FCtl3D);

  BOOL answer = RunTaskModal(dialog, function, record);
  if (answer) {
    dialog.FColor = static_cast<int32_t>(record.rgbResult);
    CustomColorArray chosen;
    for (size_t i = 0; i < 16; ++i) chosen[i] = static_cast<int32_t>(custom[i]);
    WriteCustomColors(dialog.FCustomColors, chosen, texts.prefix, texts.tags);
  }
  return answer;
}

bool ExecuteColorDialog(TComponent& dialog) {
  return RunColorDialog(dynamic_cast<TColorDialog&>(dialog), ChooseColorFunction()) != 0;
}
