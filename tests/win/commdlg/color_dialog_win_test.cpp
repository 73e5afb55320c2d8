// The colour dialog with a platform function of the test's own in place of ChooseColorA: the
// record, the custom colours in and out, and what a failure or a cancel leaves. Wine's real
// dialog runs in the end-to-end tests.
#include "commdlg/color_dialog_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/errors.h"
#include "commdlg/dialog_host.h"
#include "platform/record_sizes.h"
#include "dialogs/color_options.h"
#include "testing/expect_throw_msg.h"
#include "testing/watchdog_win.h"

namespace {

const bool kWatchdog = StartWatchdog(240);

constexpr int32_t kClBtnFace = static_cast<int32_t>(0x8000000F);

// What the platform function saw, copied while it ran.
struct Seen {
  bool called = false, ctl3D = true;
  CHOOSECOLORA record{};
  std::vector<COLORREF> custom;
};

// Records what it was given, then sets the colour and custom colour 1 as a user would (on
// cancel too) and answers `result`.
DialogFunction<CHOOSECOLORA> Fake(Seen& seen, BOOL result) {
  return [&seen, result](CHOOSECOLORA* record) -> BOOL {
    seen = {true, Ctl3DFlag(), *record, {record->lpCustColors, record->lpCustColors + 16}};
    record->rgbResult = 0x123456;
    record->lpCustColors[1] = 0xABCDEF;
    return result;
  };
}

TEST(ColorDialogTest, RecordCarriesWhatThePortableFunctionsCompute) {
  TColorDialog dialog(nullptr);
  dialog.FColor = kClBtnFace;
  dialog.FOptions = static_cast<TColorDialogOptions>(SetOf(cdFullOpen) | SetOf(cdPreventFullOpen) | SetOf(cdShowHelp) |
                                                     SetOf(cdSolidColor) | SetOf(cdAnyColor));
  dialog.FCustomColors.setLines({"note", "colorc=c0c0c0", "ColorA=0000FF", "ColorP="});
  dialog.FCtl3D = false;
  SetCtl3DFlag(true);
  Seen seen;
  EXPECT_EQ(0, RunColorDialog(dialog, Fake(seen, 0)));
  EXPECT_EQ(record_size::kChooseColor, seen.record.lStructSize);
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), seen.record.rgbResult) << "a system colour reaches the platform as RGB";
  EXPECT_EQ(static_cast<DWORD>(CC_RGBINIT | CC_ENABLEHOOK | CC_FULLOPEN | CC_PREVENTFULLOPEN | CC_SHOWHELP |
                               CC_SOLIDCOLOR | CC_ANYCOLOR),
            seen.record.Flags) << "every option's flag";
  EXPECT_EQ(reinterpret_cast<void*>(ClassicDialogHook), reinterpret_cast<void*>(seen.record.lpfnHook));
  std::vector<COLORREF> custom(16, 0xFFFFFFFF);
  custom[0] = 0x0000FF;
  custom[2] = 0xC0C0C0;
  EXPECT_EQ(custom, seen.custom);
  EXPECT_FALSE(seen.ctl3D) << "the 3D flag does not follow Ctl3D";
}

TEST(ColorDialogTest, AcceptWritesColourAndEntriesBackCancelLeavesThemAsReceived) {
  const std::vector<std::string> received = {"first", "colorb=1"};
  std::vector<std::string> accepted = {"first", "ColorB=ABCDEF", "ColorA=FFFFFFFF"};
  for (char tag = 'C'; tag <= 'P'; ++tag) accepted.push_back(std::string("Color") + tag + "=FFFFFFFF");
  for (BOOL accept : {1, 0}) {
    TColorDialog dialog(nullptr);
    dialog.FColor = kClBtnFace;
    dialog.FCustomColors.setLines(received);
    Seen seen;
    EXPECT_EQ(accept, RunColorDialog(dialog, Fake(seen, accept)));
    EXPECT_EQ(accept ? 0x123456 : kClBtnFace, dialog.FColor) << "accepted " << accept;
    EXPECT_EQ(accept ? accepted : received, dialog.FCustomColors.lines()) << "accepted " << accept;
  }
}

TEST(ColorDialogTest, InvalidCustomColourFailsBeforeTheDialogOpens) {
  TColorDialog dialog(nullptr);
  dialog.FCustomColors.setLines({"ColorA=FF", "ColorB=12G"});
  Seen seen;
  EXPECT_THROW_MSG(RunColorDialog(dialog, Fake(seen, 1)), EConvertError, "'$12G' is not a valid integer value");
  EXPECT_FALSE(seen.called) << "the platform function ran";
}

}  // namespace
