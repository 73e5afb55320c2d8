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
constexpr int32_t kClWindowText = static_cast<int32_t>(0x80000008);

// What the platform function saw, copied while it ran.
struct Seen {
  bool called = false;
  CHOOSECOLORA record{};
  std::vector<COLORREF> custom;
};

// Records the record, then answers `result` after setting the colour and custom colour 1 as a
// user would (on cancel too: the platform changes the record either way).
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

TEST_F(ColorDialogTest, EntryNamesComeFromTheProgramsStringResources) {
  CustomColorTexts texts = LoadCustomColorTexts();
  EXPECT_EQ("Color", texts.prefix);
  EXPECT_EQ("ABCDEFGHIJKLMNOP", texts.tags);
}

TEST_F(ColorDialogTest, RecordCarriesThePropertiesAsThePlatformExpects) {
  TColorDialog dialog(nullptr);
  dialog.FColor = 0x00FF8000;
  dialog.FOptions = static_cast<TColorDialogOptions>(SetOf(cdFullOpen) | SetOf(cdAnyColor));
  dialog.FCustomColors.setLines({"note", "colorc=c0c0c0", "ColorA=0000FF", "ColorP="});
  dialog.setTag(0x777);
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
  EXPECT_EQ(nullptr, r.lpTemplateName);
  std::vector<COLORREF> custom(16, 0xFFFFFFFF);
  custom[0] = 0x0000FF;
  custom[2] = 0xC0C0C0;
  EXPECT_EQ(custom, seen.custom);
}

TEST_F(ColorDialogTest, Ctl3DSetsTheThreeDFlagBeforeTheCall) {
  for (bool ctl3D : {false, true}) {
    TColorDialog dialog(nullptr);
    dialog.FCtl3D = ctl3D;
    bool seenFlag = !ctl3D;
    RunColorDialog(dialog, [&](CHOOSECOLORA*) -> BOOL {
      seenFlag = Ctl3DFlag();
      return 0;
    });
    EXPECT_EQ(ctl3D, seenFlag);
  }
}

TEST_F(ColorDialogTest, SystemColoursReachThePlatformAsTheirRgbValue) {
  const struct {
    int32_t color;
    COLORREF rgb;
  } kCases[] = {
      {0, 0},
      {0x00C0FFEE, 0x00C0FFEE},
      {kClBtnFace, GetSysColor(COLOR_BTNFACE)},
      {kClWindowText, GetSysColor(COLOR_WINDOWTEXT)},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(c.rgb, ColorToRGB(c.color)) << std::hex << c.color;
    TColorDialog dialog(nullptr);
    dialog.FColor = c.color;
    Seen seen;
    // Accepting without a change returns the plain RGB value.
    RunColorDialog(dialog, [&](CHOOSECOLORA* record) -> BOOL {
      seen.record = *record;
      return 1;
    });
    EXPECT_EQ(c.rgb, seen.record.rgbResult) << std::hex << c.color;
    EXPECT_EQ(static_cast<int32_t>(c.rgb), dialog.FColor) << std::hex << c.color;
  }
}

TEST_F(ColorDialogTest, AcceptedColoursAreWrittenBackInPlace) {
  TColorDialog dialog(nullptr);
  dialog.FColor = kClBtnFace;
  dialog.FCustomColors.setLines({"first", "colorb=1", "ColorA=FF"});
  Seen seen;
  EXPECT_EQ(1, RunColorDialog(dialog, Fake(seen, 1, 0x00123456, 0x00ABCDEF)));
  EXPECT_EQ(0x00123456, dialog.FColor);
  const auto& lines = dialog.FCustomColors.lines();
  ASSERT_EQ(17u, lines.size());
  EXPECT_EQ("first", lines[0]);
  EXPECT_EQ("ColorB=ABCDEF", lines[1]);
  EXPECT_EQ("ColorA=0000FF", lines[2]);
  EXPECT_EQ("ColorC=FFFFFFFF", lines[3]);
  EXPECT_EQ("ColorP=FFFFFFFF", lines[16]);
}

TEST_F(ColorDialogTest, InvalidCustomColourFailsBeforeTheDialogOpens) {
  TColorDialog dialog(nullptr);
  dialog.FColor = 5;
  dialog.FCustomColors.setLines({"ColorA=FF", "ColorB=12G"});
  Seen seen;
  EXPECT_THROW_MSG(RunColorDialog(dialog, Fake(seen, 1)), EConvertError, "'$12G' is not a valid integer value");
  EXPECT_FALSE(seen.called) << "the platform function ran";
  EXPECT_EQ(5, dialog.FColor);
  EXPECT_EQ((std::vector<std::string>{"ColorA=FF", "ColorB=12G"}), dialog.FCustomColors.lines());
}

TEST_F(ColorDialogTest, CancelLeavesColorAndCustomColorsAsReceived) {
  const std::vector<std::string> lines = {"colorb=1", "x"};
  for (int32_t color : {kClBtnFace, 0x00FF00}) {
    TColorDialog dialog(nullptr);
    dialog.FColor = color;
    dialog.FCustomColors.setLines(lines);
    Seen seen;
    EXPECT_EQ(0, RunColorDialog(dialog, Fake(seen, 0)));
    EXPECT_TRUE(seen.called);
    EXPECT_EQ(color, dialog.FColor);
    EXPECT_EQ(lines, dialog.FCustomColors.lines());
  }
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
  int height = RealRun::frame.bottom - RealRun::frame.top;
  EXPECT_GT(width, 0);
  EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - width) / 2, RealRun::frame.left) << "centred";
  EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - height) / 3, RealRun::frame.top) << "centred";
}

}  // namespace
