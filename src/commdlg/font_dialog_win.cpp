#include "commdlg/font_dialog_win.h"

#include <cstring>
#include <string>

#include "base/errors.h"
#include "commdlg/dialog_host.h"
#include "commdlg/dialog_library_win.h"
#include "dialogs/font_choice.h"
#include "platform/record_sizes.h"

static_assert(cf::kScreenFonts == CF_SCREENFONTS && cf::kPrinterFonts == CF_PRINTERFONTS &&
                  cf::kEnableHook == CF_ENABLEHOOK && cf::kInitToLogFontStruct == CF_INITTOLOGFONTSTRUCT &&
                  cf::kEffects == CF_EFFECTS && cf::kApply == CF_APPLY && cf::kLimitSize == CF_LIMITSIZE &&
                  (cf::kScreenFonts | cf::kPrinterFonts) == CF_BOTH,
              "flag constants match the platform's");
static_assert(kDefaultPitch == DEFAULT_PITCH && kFixedPitch == FIXED_PITCH && kVariablePitch == VARIABLE_PITCH,
              "pitch bits match the platform's");

// The Apply button and the colour combo box of the platform's font dialog.
constexpr int kApplyButton = psh3;
constexpr int kColorCombo = cmb4;

namespace {
TFontDialog*& Current() {
  static TFontDialog* dialog = nullptr;
  return dialog;
}

ApplyFailureHandler& FailureHandler() {
  static ApplyFailureHandler handler;
  return handler;
}

// Sets CurrentFontDialog for one platform call and restores the previous one on every path.
class CurrentFontDialogScope {
 public:
  explicit CurrentFontDialogScope(TFontDialog* dialog) : saved_(Current()) { Current() = dialog; }
  ~CurrentFontDialogScope() { Current() = saved_; }
  CurrentFontDialogScope(const CurrentFontDialogScope&) = delete;
  CurrentFontDialogScope& operator=(const CurrentFontDialogScope&) = delete;

 private:
  TFontDialog* saved_;
};

void ReportApplyFailure(HWND window, std::exception_ptr failure) {
  if (FailureHandler()) {
    FailureHandler()(window, failure);
    return;
  }
  std::string text = FailureText(failure) + ".";
  MessageBoxA(window, text.c_str(), nullptr, MB_OK | MB_ICONERROR);
}
}  // namespace

LOGFONTA LogicalFontOf(const TFont& font) {
  FontChoice choice = FontChoiceOf(font);
  LOGFONTA logFont{};
  logFont.lfHeight = choice.height;
  logFont.lfWeight = choice.weight;
  logFont.lfItalic = choice.italic;
  logFont.lfUnderline = choice.underline;
  logFont.lfStrikeOut = choice.strikeOut;
  logFont.lfCharSet = DEFAULT_CHARSET;
  logFont.lfPitchAndFamily = choice.pitchAndFamily;
  choice.faceName.copy(logFont.lfFaceName, LF_FACESIZE - 1);  // TFont keeps at most 31
  if (HFONT handle = CreateFontIndirectA(&logFont)) {
    LOGFONTA created{};
    if (GetObjectA(handle, sizeof created, &created) == sizeof created) logFont = created;
    DeleteObject(handle);
  }
  return logFont;
}

void UpdateFromLogFont(TFontDialog& dialog, const LOGFONTA& logFont) {
  FontChoice choice;
  choice.height = logFont.lfHeight;
  choice.weight = logFont.lfWeight;
  choice.italic = logFont.lfItalic != 0;
  choice.underline = logFont.lfUnderline != 0;
  choice.strikeOut = logFont.lfStrikeOut != 0;
  choice.pitchAndFamily = logFont.lfPitchAndFamily;
  choice.faceName = FaceNameFromBuffer(logFont.lfFaceName, LF_FACESIZE);
  UpdateFromFontChoice(*dialog.font(), choice);
}

BOOL RunFontDialog(TFontDialog& dialog, const FontDialogFunction& function) {
  TFont& font = *dialog.font();
  LOGFONTA logFont = LogicalFontOf(font);
  CHOOSEFONTA record{};
  record.lStructSize = record_size::kChooseFont;
  record.hwndOwner = ApplicationHandle();
  record.hDC = nullptr;  // whatever the device: the platform finds the fonts itself
  record.lpLogFont = &logFont;
  record.Flags = FontDialogFlags(dialog.FDevice, dialog.FOptions, static_cast<bool>(dialog.FOnApply),
                                 dialog.FMinFontSize, dialog.FMaxFontSize);
  record.rgbColors = static_cast<COLORREF>(font.color());  // as stored, system colours too
  record.lCustData = 0;
  record.lpfnHook = FontDialogHook;
  record.nSizeMin = dialog.FMinFontSize;
  record.nSizeMax = dialog.FMaxFontSize;

  SetCtl3DFlag(dialog.FCtl3D);
  BOOL answer;
  {
    CurrentFontDialogScope current(&dialog);
    answer = RunTaskModal(dialog, function, record);
  }
  // Only an accepted answer is read: the platform may write its choice into the logical font
  // even when the user cancels, and Font must then stay as it was (or as Apply left it).
  if (answer) {
    UpdateFromLogFont(dialog, logFont);
    font.setColor(static_cast<int32_t>(record.rgbColors));
  }
  return answer;
}

bool ExecuteFontDialog(TComponent& dialog) {
  return RunFontDialog(dynamic_cast<TFontDialog&>(dialog), ChooseFontFunction()) != 0;
}

TFontDialog* CurrentFontDialog() { return Current(); }

UINT_PTR CALLBACK FontDialogHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == kApplyButton && HIWORD(wParam) == BN_CLICKED) {
    try {
      ApplyFont(CurrentFontDialog(), window);
    } catch (...) {
      FailDialog(window);
    }
    return 1;
  }
  return ClassicDialogHook(window, message, wParam, lParam);
}

void ApplyFont(TFontDialog* dialog, HWND window) {
  if (!dialog) return;  // a font dialog this program did not start
  LOGFONTA logFont{};
  SendMessageA(window, WM_CHOOSEFONT_GETLOGFONT, 0, reinterpret_cast<LPARAM>(&logFont));
  UpdateFromLogFont(*dialog, logFont);
  // Without effects the dialog has no colour box; a message to a missing control would answer
  // 0 and turn the colour black, so the colour is read only from a box that exists.
  if (HWND colors = GetDlgItem(window, kColorCombo)) {
    LRESULT selected = SendMessageA(colors, CB_GETCURSEL, 0, 0);
    if (selected != CB_ERR)
      dialog->font()->setColor(static_cast<int32_t>(SendMessageA(colors, CB_GETITEMDATA, selected, 0)));
  }
  if (dialog->FOnApply) {
    try {
      dialog->FOnApply(dialog, reinterpret_cast<intptr_t>(window));
    } catch (...) {
      ReportApplyFailure(window, std::current_exception());
    }
  }
}

void SetApplyFailureHandler(ApplyFailureHandler handler) { FailureHandler() = std::move(handler); }
