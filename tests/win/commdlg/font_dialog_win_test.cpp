// The font dialog with a platform function of the test's own in place of ChooseFontA: the
// record, the answer read back, and the Apply button through the hook. Wine's real dialog runs
// in the end-to-end tests.
#include "commdlg/font_dialog_win.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <utility>

#include "base/errors.h"
#include "commdlg/dialog_host.h"
#include "platform/record_sizes.h"
#include "dialogs/font_choice.h"
#include "testing/expect_throw_msg.h"
#include "testing/watchdog_win.h"

namespace {

const bool kWatchdog = StartWatchdog(240);

constexpr int32_t kClWindowText = static_cast<int32_t>(0x80000008u);

struct Seen {
  CHOOSEFONTA record{};
  LOGFONTA logFont{};
  TFontDialog* current = nullptr;
};

// Records what it was given; on `accept` writes `answer` and `color` like the platform, on
// cancel scribbles over the logical font as Wine does.
FontDialogFunction Fake(Seen& seen, BOOL accept, LOGFONTA answer = {}, COLORREF color = 0) {
  return [&seen, accept, answer, color](CHOOSEFONTA* record) -> BOOL {
    seen = {*record, *record->lpLogFont, CurrentFontDialog()};
    *record->lpLogFont = answer;
    if (accept) record->rgbColors = color;
    return accept;
  };
}

LOGFONTA Answer(const char* face, LONG height, LONG weight, BYTE italic = 0) {
  LOGFONTA logFont{};
  logFont.lfHeight = height;
  logFont.lfWeight = weight;
  logFont.lfItalic = italic;
  std::strncpy(logFont.lfFaceName, face, LF_FACESIZE);
  return logFont;
}

TEST(FontDialogTest, RecordCarriesTheFontAndTheFlagsOfTheProperties) {
  TFontDialog dialog(nullptr);
  dialog.font()->setName(std::string(40, 'N'));
  dialog.font()->setHeight(-13);
  dialog.font()->setStyle(SetOf(fsBold) | SetOf(fsUnderline));
  dialog.font()->setPitch(fpFixed);
  dialog.FDevice = fdPrinter;
  dialog.FOptions = SetOf(fdLimitSize);
  dialog.FMinFontSize = 24;  // crossed: passed as they are, without CF_LIMITSIZE
  dialog.FMaxFontSize = 8;
  dialog.FOnApply.handler = [](TComponent*, intptr_t) {};
  Seen seen;
  EXPECT_EQ(0, RunFontDialog(dialog, Fake(seen, 0)));
  const CHOOSEFONTA& r = seen.record;
  EXPECT_EQ(record_size::kChooseFont, r.lStructSize);
  EXPECT_EQ(nullptr, r.hDC) << "a device context for the printer";
  // The limit is dropped: crossed limits would leave no size to choose.
  EXPECT_EQ(static_cast<DWORD>(CF_PRINTERFONTS | CF_INITTOLOGFONTSTRUCT | CF_ENABLEHOOK | CF_APPLY), r.Flags);
  EXPECT_EQ(static_cast<COLORREF>(kClWindowText), r.rgbColors) << "system colour not passed as stored";
  EXPECT_EQ(reinterpret_cast<void*>(FontDialogHook), reinterpret_cast<void*>(r.lpfnHook));
  EXPECT_EQ(std::make_pair(24, 8), std::make_pair(r.nSizeMin, r.nSizeMax)) << "sizes min, max";
  EXPECT_EQ(&dialog, seen.current) << "CurrentFontDialog during the call";
  EXPECT_EQ(nullptr, CurrentFontDialog()) << "CurrentFontDialog not restored";
  const LOGFONTA& f = seen.logFont;
  EXPECT_EQ(std::string(31, 'N'), f.lfFaceName) << "a 40-character name reaches the platform cut to 31";
  EXPECT_EQ(std::make_tuple(LONG{-13}, LONG{FW_BOLD}, BYTE{1}, BYTE{0}, BYTE{FIXED_PITCH}),
            std::make_tuple(f.lfHeight, f.lfWeight, f.lfUnderline, f.lfItalic, f.lfPitchAndFamily));
  EXPECT_EQ(DEFAULT_CHARSET, f.lfCharSet);
}

TEST(FontDialogTest, AcceptedChoiceIsWrittenBackCancelKeepsTheFont) {
  LOGFONTA answer = Answer("", -20, 500, 1);
  std::memset(answer.lfFaceName, 'W', LF_FACESIZE);  // no terminating NUL
  for (BOOL accept : {1, 0}) {
    TFontDialog dialog(nullptr);
    dialog.font()->setName("Before");
    dialog.font()->setHeight(-11);
    dialog.font()->setStyle(SetOf(fsUnderline));
    dialog.font()->setPitch(fpVariable);
    Seen seen;
    EXPECT_EQ(accept, RunFontDialog(dialog, Fake(seen, accept, answer, 0xFF)));
    EXPECT_EQ(accept ? std::string(31, 'W') : "Before", dialog.font()->name()) << "accepted " << accept;
    EXPECT_EQ(accept ? -20 : -11, dialog.font()->height()) << "accepted " << accept;
    EXPECT_EQ(accept ? SetOf(fsBold) | SetOf(fsItalic) : SetOf(fsUnderline), dialog.font()->style())
        << "accepted " << accept;
    EXPECT_EQ(accept ? 0xFF : kClWindowText, dialog.font()->color()) << "accepted " << accept;
    EXPECT_EQ(fpVariable, dialog.font()->pitch()) << "accepted " << accept << ": pitch read back";
  }
}

TEST(FontDialogTest, CurrentDialogIsRestoredAfterANestedRunAndAFailure) {
  TFontDialog outer(nullptr), inner(nullptr);
  TFontDialog* afterNested = nullptr;
  Seen seen;
  EXPECT_THROW_MSG(RunFontDialog(outer, [&](CHOOSEFONTA*) -> BOOL {
    RunFontDialog(inner, Fake(seen, 0));
    afterNested = CurrentFontDialog();
    throw EConvertError("inside");
  }), EConvertError, "inside");
  EXPECT_EQ(&outer, afterNested);
  EXPECT_EQ(nullptr, CurrentFontDialog());
}

// Apply through the hook, on a stand-in dialog window without a colour box (no fdEffects):
// the hook is shown Apply pressed, then the run is cancelled.
LOGFONTA g_dialogFont;

LRESULT CALLBACK FakeDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_CHOOSEFONT_GETLOGFONT) return DefWindowProcA(window, message, wParam, lParam);
  *reinterpret_cast<LOGFONTA*>(lParam) = g_dialogFont;
  return 1;
}

BOOL ApplyThenCancel(CHOOSEFONTA* record) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = FakeDialogProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "FakeFontDialog";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, "FakeFontDialog", "Font", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  *record->lpLogFont = g_dialogFont;  // Wine fills the caller's font on cancel too
  EXPECT_EQ(0u, record->lpfnHook(window, WM_COMMAND, MAKEWPARAM(psh3, 1), 0)) << "not a click";
  EXPECT_EQ(1u, record->lpfnHook(window, WM_COMMAND, MAKEWPARAM(psh3, BN_CLICKED), 0));
  DestroyWindow(window);
  return 0;
}

TEST(FontDialogTest, ApplyUpdatesFontReportsAFailureAndACancelKeepsIt) {
  g_dialogFont = Answer("Applied", -24, 500, 1);
  TFontDialog dialog(nullptr);
  dialog.font()->setColor(0x123456);
  TComponent* sender = nullptr;
  dialog.FOnApply.handler = [&](TComponent* s, intptr_t) {
    sender = s;
    throw EConvertError("bad apply");
  };
  std::string reported;
  SetApplyFailureHandler([&](HWND, std::exception_ptr failure) { reported = FailureText(failure); });
  EXPECT_EQ(0, RunFontDialog(dialog, ApplyThenCancel)) << "the failure left the run";
  SetApplyFailureHandler(nullptr);
  EXPECT_EQ(&dialog, sender) << "OnApply not called with the dialog";
  EXPECT_EQ("bad apply", reported);
  const TFont& font = *dialog.font();
  EXPECT_EQ(std::make_tuple(std::string("Applied"), -24, TFontStyles(SetOf(fsBold) | SetOf(fsItalic))),
            std::make_tuple(font.name(), font.height(), font.style())) << "Font after Apply: name, height, style";
  EXPECT_EQ(0x123456, font.color()) << "colour lost without a colour box";
  EXPECT_EQ(1u, FontDialogHook(nullptr, WM_COMMAND, MAKEWPARAM(psh3, BN_CLICKED), 0))
      << "Apply with no font dialog of ours open";
}

// Wine's real dialog with effects on: a colour picked in its colour list reaches OnApply as the
// font's colour. The test's hook picks red, presses Apply, then cancels.
LPCFHOOKPROC g_serverHook = nullptr;

UINT_PTR CALLBACK PickRedThenApply(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  UINT_PTR result = g_serverHook(window, message, wParam, lParam);
  if (message == WM_INITDIALOG) {
    HWND colors = GetDlgItem(window, cmb4);
    const LRESULT count = SendMessageA(colors, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i)
      if (SendMessageA(colors, CB_GETITEMDATA, i, 0) == 0x0000FF) SendMessageA(colors, CB_SETCURSEL, i, 0);
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(psh3, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, psh3)));
    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
  }
  return result;
}

TEST(FontDialogReal, ApplyReadsTheColourPickedInTheList) {
  SetApplicationHandle(nullptr);
  TFontDialog dialog(nullptr);
  dialog.font()->setColor(0x123456);
  int32_t applied = -1;
  dialog.FOnApply.handler = [&](TComponent*, intptr_t) { applied = dialog.font()->color(); };
  EXPECT_EQ(0, RunFontDialog(dialog, [](CHOOSEFONTA* record) -> BOOL {
              g_serverHook = record->lpfnHook;
              record->lpfnHook = PickRedThenApply;
              return ChooseFontA(record);
            }));
  EXPECT_EQ(0x0000FF, applied) << "the colour list's choice did not reach OnApply";
}

}  // namespace
