#include "server/dialog_kinds.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "base/errors.h"
#include "commdlg/color_dialog_win.h"
#include "commdlg/custom_open_dialog_win.h"
#include "commdlg/find_dialog_win.h"
#include "commdlg/font_dialog_win.h"
#include "commdlg/print_dialog_win.h"
#include "objects/type_info.h"
#include "server/application.h"
#include "testing/expect_throw_msg.h"
#include "testing/watchdog_win.h"

namespace {

const bool kWatchdog = StartWatchdog(120);

TEST(DialogKindRegistryTest, FindsServedKindsByNameInAnyLetterCase) {
  DialogKindRegistry registry;
  AddServedDialogKinds(registry);
  // All eight kinds, filled in the order FSL, open, save, font, colour, print, printer set-up,
  // find; kept sorted.
  const char* sorted[] = {"TColorDialog", "TFindDialog",  "TFontDialog",         "TFSL16OpenDialog",
                          "TOpenDialog",  "TPrintDialog", "TPrinterSetupDialog", "TSaveDialog"};
  ASSERT_EQ(std::size(sorted), registry.entries().size());
  for (size_t i = 0; i < std::size(sorted); ++i) EXPECT_STREQ(sorted[i], registry.entries()[i].info->name) << i;
  const struct {
    const char* name;
    const char* found;
    ExecuteRoutine execute;
  } kCases[] = {
      {"tfsl16opendialog", "TFSL16OpenDialog", ExecuteCustomOpenDialog},
      {"TOpenDialog", "TOpenDialog", ExecuteOpenDialog},
      {"topendialog", "TOpenDialog", ExecuteOpenDialog},
      {"TSAVEDIALOG", "TSaveDialog", ExecuteSaveDialog},
      {"tfontdialog", "TFontDialog", ExecuteFontDialog},
      {"TColorDialog", "TColorDialog", ExecuteColorDialog},
      {"TFINDDIALOG", "TFindDialog", ExecuteFindDialog},
      {"tprintdialog", "TPrintDialog", ExecutePrintDialog},
      {"TPrinterSetupDialog", "TPrinterSetupDialog", ExecutePrinterSetupDialog},
  };
  for (const auto& c : kCases) {
    DialogKind kind = registry.find(c.name);
    ASSERT_NE(nullptr, kind.info) << c.name;
    EXPECT_STREQ(c.found, kind.info->name) << c.name;
    EXPECT_EQ(c.execute, kind.execute) << c.name;
  }
}

TEST(DialogKindRegistryTest, AncestorsAreKnownClassesWithoutAKind) {
  DialogKindRegistry registry;
  AddServedDialogKinds(registry);
  for (const char* name : {"TCommonDialog", "TCustomOpenDialog", "tcomponent", "TPersistent"}) {
    DialogKind kind = registry.find(name);
    EXPECT_EQ(nullptr, kind.info) << name;
    EXPECT_EQ(nullptr, kind.execute) << name;
  }
  EXPECT_THROW_MSG(registry.find("TNoSuchDialog"), EClassNotFound, "Class TNoSuchDialog not found");
  EXPECT_THROW_MSG(registry.find(""), EClassNotFound, "Class  not found");
}

TEST(ApplicationTitleTest, ProgramFileNameWithoutFolderAndExtension) {
  const struct {
    const char* path;
    const char* title;
  } kCases[] = {
      {"C:\\bin\\dlgserver.exe", "dlgserver"},
      {"C:\\bin\\DLGSERVER.EXE", "Dlgserver"},
      {"Z:\\a.b\\My.Server.exe", "My.server"},
      {"dlgserver", "dlgserver"},
      {"C:\\x\\1st.exe", "1st"},
      {"C:\\x\\\xC4RGER\xC9.EXE", "\xC4rger\xE9"},  // every letter after the first, accented ones too
  };
  for (const auto& c : kCases) EXPECT_EQ(c.title, ApplicationTitleFor(c.path)) << c.path;
}

}  // namespace
