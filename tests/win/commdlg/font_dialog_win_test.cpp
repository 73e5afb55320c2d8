// The font dialog with a platform function of the test's own in place of ChooseFontA: the
// record, the answer read back, the Apply button through the hook, and runs of Wine's real
// dialog closed by a hook.
#include "commdlg/font_dialog_win.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/errors.h"
#include "commdlg/dialog_host.h"
#include "testing/expect_throw_msg.h"
#include "testing/watchdog_win.h"

namespace {

const bool kWatchdog = StartWatchdog(240);

constexpr int32_t kClWindowText = static_cast<int32_t>(0x80000008u);

struct Seen {
  CHOOSEFONTA record{};
  LOGFONTA logFont{};
  TFontDialog* current = nullptr;
  bool ctl3D = false;
};

// Records what it was given; on `accept` writes `answer` and `color` like the platform, on
// cancel scribbles over the logical font as Wine does.
FontDialogFunction Fake(Seen& seen, BOOL accept, LOGFONTA answer = {}, COLORREF color = 0) {
  return [&seen, accept, answer, color](CHOOSEFONTA* record) -> BOOL {
    seen.record = *record;
    seen.logFont = *record->lpLogFont;
    seen.current = CurrentFontDialog();
    seen.ctl3D = Ctl3DFlag();
    *record->lpLogFont = answer;
    if (accept) record->rgbColors = color;
    return accept;
  };
}

LOGFONTA Answer(const char* face, LONG height, LONG weight, BYTE italic = 0) {
  LOGFONTA logFont{};
  std::strncpy(logFont.lfFaceName, face, LF_FACESIZE);
  logFont.lfHeight = height;
  logFont.lfWeight = weight;
  logFont.lfItalic = italic;
  return logFont;
}

class FontDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedHandle_ = ApplicationHandle();
    SetApplicationHandle(reinterpret_cast<HWND>(0x1234));
  }
  void TearDown() override {
    SetApplicationHandle(savedHandle_);
    SetApplyFailureHandler(nullptr);
  }
  HWND savedHandle_ = nullptr;
};

TEST_F(FontDialogTest, RecordCarriesTheFontAndLimits) {
  TFontDialog dialog(nullptr);
  dialog.font()->setName("Courier New");
  dialog.font()->setHeight(-13);
  dialog.font()->setStyle(SetOf(fsBold) | SetOf(fsUnderline));
  dialog.font()->setPitch(fpFixed);
  dialog.FMinFontSize = 8;
  dialog.FMaxFontSize = 24;
  Seen seen;
  EXPECT_EQ(0, RunFontDialog(dialog, Fake(seen, 0)));
  const CHOOSEFONTA& r = seen.record;
  EXPECT_EQ(60u, r.lStructSize);
  EXPECT_EQ(reinterpret_cast<HWND>(0x1234), r.hwndOwner);
  EXPECT_EQ(static_cast<COLORREF>(kClWindowText), r.rgbColors) << "system colour passed as stored";
  EXPECT_EQ(0, r.lCustData);
  EXPECT_EQ(reinterpret_cast<void*>(FontDialogHook), reinterpret_cast<void*>(r.lpfnHook));
  EXPECT_EQ(8, r.nSizeMin);
  EXPECT_EQ(24, r.nSizeMax);
  EXPECT_EQ(nullptr, r.lpTemplateName);
  EXPECT_EQ(nullptr, r.lpszStyle);
  EXPECT_STREQ("Courier New", seen.logFont.lfFaceName);
  EXPECT_EQ(-13, seen.logFont.lfHeight);
  EXPECT_EQ(700, seen.logFont.lfWeight);
  EXPECT_EQ(1, seen.logFont.lfUnderline);
  EXPECT_EQ(0, seen.logFont.lfItalic);
  EXPECT_EQ(DEFAULT_CHARSET, seen.logFont.lfCharSet);
  EXPECT_EQ(FIXED_PITCH, seen.logFont.lfPitchAndFamily);
}

TEST_F(FontDialogTest, FlagsDeviceContextAndCurrentDialogDuringTheCall) {
  constexpr DWORD kBase = CF_INITTOLOGFONTSTRUCT | CF_ENABLEHOOK;
  const struct {
    const char* label;
    TFontDialogDevice device;
    TFontDialogOptions options;
    bool applyHandler;
    int32_t min, max;
    DWORD flags;
  } kCases[] = {
      {"defaults", fdScreen, SetOf(fdEffects), false, 0, 0, kBase | CF_SCREENFONTS | CF_EFFECTS},
      {"printer", fdPrinter, SetOf(fdNoVectorFonts), false, 0, 0, kBase | CF_PRINTERFONTS | CF_NOVECTORFONTS},
      {"both", fdBoth, SetOf(fdTrueTypeOnly), false, 0, 0, kBase | CF_BOTH | CF_TTONLY},
      {"apply handler", fdScreen, 0, true, 0, 0, kBase | CF_SCREENFONTS | CF_APPLY},
      {"apply button option", fdScreen, SetOf(fdApplyButton), false, 0, 0, kBase | CF_SCREENFONTS | CF_APPLY},
      {"limit", fdScreen, SetOf(fdLimitSize), false, 8, 12, kBase | CF_SCREENFONTS | CF_LIMITSIZE},
      {"crossed limit", fdScreen, SetOf(fdLimitSize), false, 12, 8, kBase | CF_SCREENFONTS},
  };
  for (const auto& c : kCases) {
    TFontDialog dialog(nullptr);
    dialog.FDevice = c.device;
    dialog.FOptions = c.options;
    dialog.FMinFontSize = c.min;
    dialog.FMaxFontSize = c.max;
    dialog.FCtl3D = c.applyHandler;  // varied only to see the 3D flag follow it
    if (c.applyHandler) dialog.FOnApply.handler = [](TComponent*, intptr_t) {};
    Seen seen;
    RunFontDialog(dialog, Fake(seen, 0));
    EXPECT_EQ(c.flags, seen.record.Flags) << c.label;
    EXPECT_EQ(nullptr, seen.record.hDC) << c.label << ": no device context, whatever the device";
    EXPECT_EQ(c.min, seen.record.nSizeMin) << c.label << ": sizes passed in any case";
    EXPECT_EQ(c.max, seen.record.nSizeMax) << c.label;
    EXPECT_EQ(&dialog, seen.current) << c.label;
    EXPECT_EQ(c.applyHandler, seen.ctl3D) << c.label;
    EXPECT_EQ(nullptr, CurrentFontDialog()) << c.label << ": not restored";
  }
}

TEST_F(FontDialogTest, AcceptedChoiceIsWrittenBackCancelKeepsTheFont) {
  char fullFace[LF_FACESIZE];
  std::memset(fullFace, 'W', sizeof fullFace);  // no terminating NUL
  LOGFONTA unterminated = Answer("", -20, 400);
  std::memcpy(unterminated.lfFaceName, fullFace, sizeof fullFace);
  const struct {
    const char* label;
    BOOL accept;
    LOGFONTA answer;
    std::string name;
    int32_t height;
    TFontStyles style;
    int32_t color;
  } kCases[] = {
      {"weight 500 is bold", 1, Answer("Arial", -16, 500), "Arial", -16, SetOf(fsBold), 0xFF},
      {"weight 400 is not", 1, Answer("Arial", -16, 400, 1), "Arial", -16, SetOf(fsItalic), 0xFF},
      {"empty face keeps the name", 1, Answer("", -9, 700), "Before", -9, SetOf(fsBold), 0xFF},
      {"32 characters cut to 31", 1, unterminated, std::string(31, 'W'), -20, 0, 0xFF},
      {"cancel", 0, Answer("Arial", -30, 700, 1), "Before", -11, SetOf(fsUnderline), kClWindowText},
  };
  for (const auto& c : kCases) {
    TFontDialog dialog(nullptr);
    dialog.font()->setName("Before");
    dialog.font()->setHeight(-11);
    dialog.font()->setStyle(SetOf(fsUnderline));
    dialog.font()->setPitch(fpVariable);
    dialog.FMinFontSize = 3;
    Seen seen;
    EXPECT_EQ(c.accept, RunFontDialog(dialog, Fake(seen, c.accept, c.answer, 0xFF))) << c.label;
    EXPECT_EQ(c.name, dialog.font()->name()) << c.label;
    EXPECT_EQ(c.height, dialog.font()->height()) << c.label;
    EXPECT_EQ(c.style, dialog.font()->style()) << c.label;
    EXPECT_EQ(c.color, dialog.font()->color()) << c.label;
    EXPECT_EQ(fpVariable, dialog.font()->pitch()) << c.label << ": pitch is never read back";
    EXPECT_EQ(3, dialog.FMinFontSize) << c.label;
  }
}

TEST_F(FontDialogTest, FortyCharacterNameReachesThePlatformCutTo31) {
  TFontDialog dialog(nullptr);
  dialog.font()->setName(std::string(40, 'N'));
  Seen seen;
  RunFontDialog(dialog, Fake(seen, 0));
  EXPECT_EQ(std::string(31, 'N'), std::string(seen.logFont.lfFaceName));
}

TEST_F(FontDialogTest, CurrentDialogIsRestoredAroundANestedRunAndAFailure) {
  TFontDialog outer(nullptr), inner(nullptr);
  TFontDialog* seenInside = nullptr;
  RunFontDialog(outer, [&](CHOOSEFONTA*) -> BOOL {
    Seen seen;
    RunFontDialog(inner, Fake(seen, 0));
    seenInside = CurrentFontDialog();
    return 0;
  });
  EXPECT_EQ(&outer, seenInside);
  EXPECT_THROW_MSG(RunFontDialog(outer, [](CHOOSEFONTA*) -> BOOL { throw EConvertError("inside"); }),
                   EConvertError, "inside");
  EXPECT_EQ(nullptr, CurrentFontDialog());
}

// --- Apply through the hook, on a window that answers like the platform's dialog ---------------

LOGFONTA g_dialogFont;

LRESULT CALLBACK FakeDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CHOOSEFONT_GETLOGFONT) {
    *reinterpret_cast<LOGFONTA*>(lParam) = g_dialogFont;
    return 1;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// A platform function that opens a stand-in dialog (with a colour box when `withColors`), has
// the record's hook see Apply pressed, then cancels.
FontDialogFunction ApplyThenCancel(bool withColors, HWND& window) {
  return [withColors, &window](CHOOSEFONTA* record) -> BOOL {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = FakeDialogProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "FakeFontDialog";
    RegisterClassA(&windowClass);
    window = CreateWindowExA(0, "FakeFontDialog", "Font", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    if (withColors) {
      HWND colors = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 100, 100, window,
                                    reinterpret_cast<HMENU>(cmb4), GetModuleHandleA(nullptr), nullptr);
      for (COLORREF color : {0x000000u, 0x0000FFu, 0x00FF00u}) {
        LRESULT index = SendMessageA(colors, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("c"));
        SendMessageA(colors, CB_SETITEMDATA, index, color);
      }
      SendMessageA(colors, CB_SETCURSEL, 2, 0);
    }
    *record->lpLogFont = g_dialogFont;  // Wine fills the caller's font on cancel too
    EXPECT_EQ(0u, record->lpfnHook(window, WM_COMMAND, MAKEWPARAM(psh3, 1), 0)) << "not a click";
    EXPECT_EQ(1u, record->lpfnHook(window, WM_COMMAND, MAKEWPARAM(psh3, BN_CLICKED), 0));
    DestroyWindow(window);
    return 0;
  };
}

TEST_F(FontDialogTest, ApplyUpdatesFontAndACancelKeepsIt) {
  g_dialogFont = Answer("Applied", -24, 500, 1);
  const struct {
    const char* label;
    bool withColors;
    int32_t color;
  } kCases[] = {
      {"colour box", true, 0x00FF00},
      {"no colour box (no effects): colour kept", false, 0x123456},
  };
  for (const auto& c : kCases) {
    TFontDialog dialog(nullptr);
    dialog.font()->setColor(0x123456);
    dialog.font()->setPitch(fpFixed);
    TComponent* sender = nullptr;
    intptr_t applyWindow = 0;
    int applied = 0;
    dialog.FOnApply.handler = [&](TComponent* s, intptr_t w) {
      sender = s;
      applyWindow = w;
      ++applied;
    };
    HWND window = nullptr;
    EXPECT_EQ(0, RunFontDialog(dialog, ApplyThenCancel(c.withColors, window))) << c.label;
    EXPECT_EQ(1, applied) << c.label;
    EXPECT_EQ(&dialog, sender) << c.label;
    EXPECT_EQ(reinterpret_cast<intptr_t>(window), applyWindow) << c.label;
    EXPECT_EQ("Applied", dialog.font()->name()) << c.label;
    EXPECT_EQ(-24, dialog.font()->height()) << c.label;
    EXPECT_EQ(SetOf(fsBold) | SetOf(fsItalic), dialog.font()->style()) << c.label;
    EXPECT_EQ(c.color, dialog.font()->color()) << c.label;
    EXPECT_EQ(fpFixed, dialog.font()->pitch()) << c.label;
  }
}

TEST_F(FontDialogTest, ApplyHandlerFailureIsReportedAndTheDialogGoesOn) {
  g_dialogFont = Answer("Applied", -24, 400);
  std::string reported;
  SetApplyFailureHandler([&](HWND, std::exception_ptr failure) { reported = FailureText(failure); });
  TFontDialog dialog(nullptr);
  dialog.FOnApply.handler = [](TComponent*, intptr_t) { throw EConvertError("bad apply"); };
  HWND window = nullptr;
  EXPECT_EQ(0, RunFontDialog(dialog, ApplyThenCancel(true, window))) << "the failure must not leave the run";
  EXPECT_EQ("bad apply", reported);
  EXPECT_EQ("Applied", dialog.font()->name());
}

TEST_F(FontDialogTest, ApplyWithoutAnOpenFontDialogDoesNothing) {
  EXPECT_EQ(nullptr, CurrentFontDialog());
  EXPECT_EQ(1u, FontDialogHook(nullptr, WM_COMMAND, MAKEWPARAM(psh3, BN_CLICKED), 0));
}

// --- Wine's real dialog ---------------------------------------------------------------------------

// Wraps the real ChooseFontA: the record's hook still runs; after WM_INITDIALOG the test's hook
// either presses OK, or picks the "Bold" style as a user would, presses Apply, then Cancel.
struct RealRun {
  static bool applyBold;
  static LPCFHOOKPROC original;
  static UINT_PTR CALLBACK Hook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) {
      HWND styles = GetDlgItem(window, cmb2);
      LRESULT bold = SendMessageA(styles, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                  reinterpret_cast<LPARAM>("Bold"));
      EXPECT_NE(CB_ERR, bold) << "no Bold style offered";
      SendMessageA(styles, CB_SETCURSEL, bold, 0);
      SendMessageA(window, WM_COMMAND, MAKEWPARAM(cmb2, CBN_SELCHANGE), reinterpret_cast<LPARAM>(styles));
      SendMessageA(window, WM_COMMAND, MAKEWPARAM(psh3, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(window, psh3)));
      PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
      return 1;
    }
    UINT_PTR result = original(window, message, wParam, lParam);
    if (message == WM_INITDIALOG) {
      if (applyBold)
        PostMessageA(window, WM_APP, 0, 0);
      else
        PostMessageA(window, WM_COMMAND, IDOK, 0);
    }
    return result;
  }
  static BOOL Choose(CHOOSEFONTA* record) {
    original = record->lpfnHook;
    record->lpfnHook = Hook;
    return ChooseFontA(record);
  }
};
bool RealRun::applyBold = false;
LPCFHOOKPROC RealRun::original = nullptr;

TEST_F(FontDialogTest, RealDialogReturnsTheSeedFontOnOk) {
  SetApplicationHandle(nullptr);
  TFontDialog dialog(nullptr);
  dialog.font()->setName("Tahoma");
  dialog.font()->setSize(12);
  dialog.font()->setStyle(SetOf(fsItalic));
  dialog.font()->setColor(0x0000FF);
  RealRun::applyBold = false;
  EXPECT_EQ(1, RunFontDialog(dialog, RealRun::Choose)) << CommDlgExtendedError();
  EXPECT_FALSE(dialog.font()->name().empty());
  EXPECT_EQ(12, dialog.font()->size());
  EXPECT_EQ(SetOf(fsItalic), dialog.font()->style());
  EXPECT_EQ(0x0000FF, dialog.font()->color());
}

TEST_F(FontDialogTest, RealDialogApplyThenCancelReturnsTheAppliedFont) {
  SetApplicationHandle(nullptr);
  TFontDialog dialog(nullptr);
  dialog.font()->setName("Tahoma");
  dialog.font()->setSize(12);
  dialog.FOptions = SetOf(fdEffects) | SetOf(fdApplyButton);
  RealRun::applyBold = true;
  EXPECT_EQ(0, RunFontDialog(dialog, RealRun::Choose)) << CommDlgExtendedError();
  EXPECT_EQ(SetOf(fsBold), dialog.font()->style()) << "the applied style";
  EXPECT_EQ(12, dialog.font()->size());
  EXPECT_EQ(nullptr, CurrentFontDialog());
}

}  // namespace
