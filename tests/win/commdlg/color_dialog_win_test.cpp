// The colour dialog with a platform function of the test's own in place of ChooseColorA: the
// record, the custom colours in and out, and what a failure or a cancel leaves. One run uses
// the real Wine dialog, closed by a hook.
#include "commdlg/color_dialog_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/errors.h"
#include "commdlg/dialog_host.h"
#include "testing/expect_throw_msg.h"
#include "testing/watchdog_win.h"

namespace {

const bool kWatchdog = StartWatchdog(240);

constexpr int32_t kClBtnFace = static_cast<int32_t>(0x8000000F);

// What the platform function saw, copied while it ran.
struct Seen {
  bool called = false;
  CHOOSECOLORA record{};
  std::vector<COLORREF> custom;
};

// Records the record, then sets the colour and custom colour 1 as a user would (on cancel too)
// and answers `result`.
DialogFunction<CHOOSECOLORA> Fake(Seen& seen, BOOL result, COLORREF chosen = 0x123456, COLORREF custom1 = 0xABCDEF) {
  return [&seen, result, chosen, custom1](CHOOSECOLORA* record) -> BOOL {
    seen.called = true;
    seen.record = *record;
    seen.custom.assign(record->lpCustColors, record->lpCustColors + 16);
    record->rgbResult = chosen;
    record->lpCustColors[1] = custom1;
    return result;
  };
}

class ColorDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedHandle_ = ApplicationHandle();
    SetApplicationHandle(reinterpret_cast<HWND>(0x1234));
  }
  void TearDown() override { SetApplicationHandle(savedHandle_); }
  HWND savedHandle_ = nullptr;
};

TEST_F(ColorDialogTest, RecordCarriesThePropertiesAsThePlatformExpects) {
  TColorDialog dialog(nullptr);
  dialog.FColor = 0x00FF8000;
  dialog.FOptions = static_cast<TColorDialogOptions>(SetOf(cdFullOpen) | SetOf(cdAnyColor));
  dialog.FCustomColors.setLines({"note", "colorc=c0c0c0", "ColorA=0000FF", "ColorP="});
  Seen seen;
  EXPECT_EQ(0, RunColorDialog(dialog, Fake(seen, 0)));
  const CHOOSECOLORA& r = seen.record;
  EXPECT_EQ(36u, r.lStructSize);
  EXPECT_EQ(reinterpret_cast<HWND>(0x1234), r.hwndOwner);
  EXPECT_EQ(nullptr, r.hInstance);
  EXPECT_EQ(0x00FF8000u, r.rgbResult);
  EXPECT_EQ(static_cast<DWORD>(CC_RGBINIT | CC_ENABLEHOOK | CC_FULLOPEN | CC_ANYCOLOR), r.Flags);
  EXPECT_EQ(0, r.lCustData);
  EXPECT_EQ(reinterpret_cast<void*>(ClassicDialogHook), reinterpret_cast<void*>(r.lpfnHook));
  std::vector<COLORREF> custom(16, 0xFFFFFFFF);
  custom[0] = 0x0000FF;
  custom[2] = 0xC0C0C0;
  EXPECT_EQ(custom, seen.custom);
}

TEST_F(ColorDialogTest, SystemColourReachesThePlatformAndComesBackAsRgb) {
  EXPECT_EQ(0x00C0FFEEu, ColorToRGB(0x00C0FFEE));
  TColorDialog dialog(nullptr);
  dialog.FColor = kClBtnFace;
  dialog.FCtl3D = false;
  SetCtl3DFlag(true);
  COLORREF passed = 0;
  bool flag3D = true;
  EXPECT_EQ(1, RunColorDialog(dialog, [&](CHOOSECOLORA* record) -> BOOL {
    passed = record->rgbResult;
    flag3D = Ctl3DFlag();
    return 1;
  }));
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), passed);
  EXPECT_EQ(static_cast<int32_t>(GetSysColor(COLOR_BTNFACE)), dialog.FColor) << "accepted unchanged: plain RGB";
  EXPECT_FALSE(flag3D) << "the 3D flag follows Ctl3D";
}

TEST_F(ColorDialogTest, AcceptedChoiceIsWrittenBackInPlace) {
  TColorDialog dialog(nullptr);
  dialog.FCustomColors.setLines({"first", "colorb=1"});
  Seen seen;
  EXPECT_EQ(1, RunColorDialog(dialog, Fake(seen, 1, 0x00123456, 0x00ABCDEF)));
  EXPECT_EQ(0x00123456, dialog.FColor);
  const auto& lines = dialog.FCustomColors.lines();
  ASSERT_EQ(17u, lines.size());
  EXPECT_EQ("ColorB=ABCDEF", lines[1]);
  EXPECT_EQ("ColorA=FFFFFFFF", lines[2]);
}

TEST_F(ColorDialogTest, InvalidCustomColourFailsBeforeTheDialogOpens) {
  TColorDialog dialog(nullptr);
  dialog.FCustomColors.setLines({"ColorA=FF", "ColorB=12G"});
  Seen seen;
  EXPECT_THROW_MSG(RunColorDialog(dialog, Fake(seen, 1)), EConvertError, "'$12G' is not a valid integer value");
  EXPECT_FALSE(seen.called) << "the platform function ran";
}

TEST_F(ColorDialogTest, CancelLeavesColorAndCustomColorsAsReceived) {
  const std::vector<std::string> lines = {"colorb=1", "x"};
  TColorDialog dialog(nullptr);
  dialog.FColor = kClBtnFace;
  dialog.FCustomColors.setLines(lines);
  Seen seen;
  EXPECT_EQ(0, RunColorDialog(dialog, Fake(seen, 0)));
  EXPECT_EQ(kClBtnFace, dialog.FColor);
  EXPECT_EQ(lines, dialog.FCustomColors.lines());
}

// --- The real dialog ----------------------------------------------------------------------------

// Wraps the real ChooseColorA: the record's own hook still runs, then OK is posted.
struct RealRun {
  static LPCCHOOKPROC original;
  static RECT frame;
  static UINT_PTR CALLBACK Hook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    UINT_PTR result = original(window, message, wParam, lParam);
    if (message == WM_INITDIALOG) {
      GetWindowRect(window, &frame);
      PostMessageA(window, WM_COMMAND, IDOK, 0);
    }
    return result;
  }
  static BOOL Choose(CHOOSECOLORA* record) {
    original = record->lpfnHook;
    record->lpfnHook = Hook;
    return ChooseColorA(record);
  }
};
LPCCHOOKPROC RealRun::original = nullptr;
RECT RealRun::frame{};

TEST_F(ColorDialogTest, RealDialogAcceptsTheRecordAndAnswers) {
  SetApplicationHandle(nullptr);
  TColorDialog dialog(nullptr);
  dialog.FColor = 0x00FF8000;
  dialog.FCustomColors.setLines({"ColorC=00FF00"});
  EXPECT_EQ(1, RunColorDialog(dialog, RealRun::Choose)) << CommDlgExtendedError();
  EXPECT_EQ(0x00FF8000, dialog.FColor);
  const auto& lines = dialog.FCustomColors.lines();
  ASSERT_EQ(16u, lines.size());
  EXPECT_EQ("ColorC=00FF00", lines[0]);
  EXPECT_EQ("ColorA=FFFFFFFF", lines[1]);
  int width = RealRun::frame.right - RealRun::frame.left;
  EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - width) / 2, RealRun::frame.left) << "centred by the hook";
}

}  // namespace
