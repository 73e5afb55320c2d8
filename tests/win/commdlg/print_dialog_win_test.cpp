// The print and printer set-up dialogs with platform functions of the test's own in place of
// PrintDlgA, on the prefix's test printer (the `printer` fixture: tools/testprinter), made the
// default whatever printers the host has, and on a current printer that finds no printer.
// Wine's real dialogs, over the test printer and a queue of the host, run end to end.
#include "commdlg/print_dialog_win.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/errors.h"
#include "base/messages.h"
#include "commdlg/current_printer_win.h"
#include "commdlg/dialog_host.h"
#include "platform/record_sizes.h"
#include "dialogs/printer_records.h"
#include "platform/program_strings.h"
#include "testing/expect_throw_msg.h"
#include "testing/printers_win.h"
#include "testing/watchdog_win.h"

namespace {

const bool kWatchdog = StartWatchdog(240);

// What the platform function saw, copied while it ran.
struct Seen {
  bool called = false, ctl3D = true;
  PRINTDLGA record{};
  std::string names;   // the device names block's bytes
  int copies = -1;     // dmCopies of the device mode passed in
};

// How the fake answers: the record's Flags, pages and count, and what it does with the blocks.
struct Answer {
  BOOL result = 1;
  uint32_t flags = 0;
  WORD from = 0, to = 0, copies = 1;
  int deviceModeCopies = 0;  // non-zero: written into the device mode handed back
  bool dropDeviceMode = false;
  std::string device = "";   // non-empty: hand back device names naming this printer
  bool unlockableNames = false;  // hand back a device names block that cannot be locked
};

// A movable block that cannot be locked: discarded, as a zero-size one is from the start.
HGLOBAL DiscardedBlock() { return GlobalAlloc(GMEM_MOVEABLE, 0); }

HGLOBAL Block(const std::vector<uint8_t>& bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
  GlobalUnlock(block);
  return block;
}

DialogFunction<PRINTDLGA> Fake(Seen& seen, Answer answer) {
  return [&seen, answer](PRINTDLGA* r) -> BOOL {
    seen.called = true;
    seen.ctl3D = Ctl3DFlag();
    seen.record = *r;
    if (r->hDevNames) {
      seen.names.assign(static_cast<const char*>(GlobalLock(r->hDevNames)), GlobalSize(r->hDevNames));
      GlobalUnlock(r->hDevNames);
    }
    if (r->hDevMode) {
      seen.copies = static_cast<DEVMODEA*>(GlobalLock(r->hDevMode))->dmCopies;
      GlobalUnlock(r->hDevMode);
    }
    r->Flags = answer.flags;
    r->nFromPage = answer.from;
    r->nToPage = answer.to;
    r->nCopies = answer.copies;
    if (answer.deviceModeCopies && r->hDevMode) {
      static_cast<DEVMODEA*>(GlobalLock(r->hDevMode))->dmCopies = static_cast<short>(answer.deviceModeCopies);
      GlobalUnlock(r->hDevMode);
    }
    if (answer.dropDeviceMode && r->hDevMode) {
      GlobalFree(r->hDevMode);
      r->hDevMode = nullptr;
    }
    if (!answer.device.empty() || answer.unlockableNames) {
      if (r->hDevNames) GlobalFree(r->hDevNames);
      r->hDevNames = answer.unlockableNames ? DiscardedBlock()
                                            : Block(DeviceNamesBlock({"winspool", answer.device, "FILE:"}));
    }
    return answer.result;
  };
}

PrinterSource NoPrinter() {
  return {[] { return std::vector<PrinterEntry>{}; }, [] { return std::string(); }};
}

class PrintDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testPrinter_ = std::make_unique<DefaultPrinter>(kTestPrinter);
    ASSERT_TRUE(testPrinter_->made()) << "the test printer could not be made the default";
    ResetWindowsPrinter(PlatformPrinterSource());
    InstallWindowsPrinter();
  }
  void TearDown() override {
    InstallPrinter(nullptr);
    ResetWindowsPrinter(PlatformPrinterSource());
    testPrinter_.reset();
  }

 private:
  std::unique_ptr<DefaultPrinter> testPrinter_;
};

TEST_F(PrintDialogTest, TestPrinterIsListedInBothFormsAndIsTheDefault) {
  EXPECT_EQ(kTestPrinter, DefaultPrinterDevice());
  const std::vector<PrinterEntry> nt = EnumeratePrinters(true);
  const int index = FindPrinter(nt, kTestPrinter);
  ASSERT_GE(index, 0) << "level 4 lists " << nt.size() << " printers";
  EXPECT_EQ((PrinterNames{"", kTestPrinter, ""}), nt[index].names);
  const std::vector<PrinterEntry> ports = EnumeratePrinters(false);
  const std::string file = "FILE:";
  const int byPort = FindPrinter(ports, kTestPrinter, &file);
  ASSERT_GE(byPort, 0) << "level 5 lists " << ports.size() << " entries";
  EXPECT_EQ(kTestPrinter + " on FILE:", ports[byPort].display);
  // The host's queues, in both forms too; a run with a scheduler of its own names them.
  const std::vector<std::string> queues = HostQueues();
  std::string seen;
  for (const std::string& queue : queues) seen += (seen.empty() ? "" : ", ") + queue;
  std::printf("printers: %s, and the host's queues: %s\n", kTestPrinter.c_str(), seen.empty() ? "none" : seen.c_str());
  if (!ExpectedHostQueues().empty()) {
    EXPECT_EQ(ExpectedHostQueues(), queues);
  }
  for (const std::string& queue : queues) {
    const std::string port = "CUPS:" + queue;
    EXPECT_GE(FindPrinter(nt, queue), 0) << queue;
    const int at = FindPrinter(ports, queue, &port);
    ASSERT_GE(at, 0) << queue;
    EXPECT_EQ(queue + " on CUPS:" + queue, ports[at].display);
  }
  EXPECT_EQ(std::string(msg::kNoDefaultPrinter), PrinterText(kNoDefaultPrinterResource));
  EXPECT_EQ(std::string(msg::kPrinterNotSupported), PrinterText(kPrinterNotSupportedResource));
}

TEST_F(PrintDialogTest, RecordCarriesFlagsPagesAndHooksCancelLeavesEverything) {
  TPrintDialog dialog(nullptr);
  dialog.FPrintRange = prPageNums;  // without poPageNums
  dialog.FFromPage = 2;
  dialog.FToPage = 70001;
  dialog.FMinPage = 1;
  dialog.FMaxPage = 70000;
  dialog.FCtl3D = false;
  SetCtl3DFlag(true);
  Seen seen;
  EXPECT_EQ(0, RunPrintDialog(dialog, Fake(seen, {0, pd::kCollate | pd::kSelection, 9, 9, 9})));
  const PRINTDLGA& r = seen.record;
  EXPECT_EQ(record_size::kPrintDlg, r.lStructSize);
  EXPECT_EQ(static_cast<DWORD>(PD_PAGENUMS | PD_NOPAGENUMS | PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK |
                               PD_HIDEPRINTTOFILE | PD_NOSELECTION | PD_NOWARNING),
            r.Flags);
  EXPECT_EQ(2, r.nFromPage);
  EXPECT_EQ(4465, r.nToPage);
  EXPECT_EQ(1, r.nMinPage);
  EXPECT_EQ(4464, r.nMaxPage) << "MaxPage 70000 reaches the dialog as its low 16 bits";
  EXPECT_EQ(0, r.nCopies);
  EXPECT_EQ(GetModuleHandleA(nullptr), r.hInstance);
  EXPECT_EQ(ApplicationHandle(), r.hwndOwner);
  EXPECT_EQ(reinterpret_cast<void*>(ClassicDialogHook), reinterpret_cast<void*>(r.lpfnPrintHook));
  EXPECT_EQ(reinterpret_cast<void*>(ClassicDialogHook), reinterpret_cast<void*>(r.lpfnSetupHook));
  EXPECT_FALSE(seen.ctl3D) << "the 3D flag does not follow Ctl3D";
  EXPECT_EQ(nullptr, r.hDevMode) << "without Copies the dialog opens on the platform's defaults";
  EXPECT_EQ(nullptr, r.hDevNames);
  EXPECT_EQ(prPageNums, dialog.FPrintRange) << "a cancelled dialog writes nothing back";
  EXPECT_EQ(2, dialog.FFromPage);
  EXPECT_EQ(70001, dialog.FToPage);
  EXPECT_FALSE(dialog.FCollate);
  EXPECT_EQ(0, dialog.FCopies);
}

TEST_F(PrintDialogTest, CopiesStartTheDialogOnTheDefaultPrintersNamesAndACopyOfItsDeviceMode) {
  TPrintDialog dialog(nullptr);
  dialog.setCopies(3);
  Seen seen;
  EXPECT_EQ(0, RunPrintDialog(dialog, Fake(seen, {0})));
  const std::vector<uint8_t> names = DeviceNamesBlock({"", kTestPrinter, ""});
  EXPECT_EQ(std::string(names.begin(), names.end()), seen.names);
  EXPECT_EQ(3, seen.copies);
  EXPECT_EQ(3, WindowsPrinter().copies()) << "a cancel leaves the current printer as it was";
  EXPECT_EQ(0u, GlobalSize(seen.record.hDevMode)) << "the device mode copy is freed on cancel";
  EXPECT_EQ(0u, GlobalSize(seen.record.hDevNames)) << "the device names are freed on cancel";
}

TEST_F(PrintDialogTest, AcceptedDialogWritesItsAnswerAndTheCopyCountBack) {
  const struct { const char* label; bool setCopies; Answer answer; int32_t copies; } kCases[] = {
      {"count in nCopies", true, {1, pd::kPageNums | pd::kCollate, 3, 65535, 4}, 4},
      {"count in the device mode", true, {1, pd::kSelection | pd::kPrintToFile, 0, 0, 1, 5}, 5},
      {"accepted unchanged", true, {1, 0, 0, 0, 1}, 3},
      {"no Copies line, count in nCopies", false, {1, 0, 0, 0, 2, 0, false, kTestPrinter}, 2},
  };
  for (const auto& c : kCases) {
    ResetWindowsPrinter(PlatformPrinterSource());
    TPrintDialog dialog(nullptr);
    if (c.setCopies) dialog.setCopies(3);
    Seen seen;
    EXPECT_EQ(1, RunPrintDialog(dialog, Fake(seen, c.answer))) << c.label;
    EXPECT_EQ(c.copies, dialog.FCopies) << c.label;
    EXPECT_EQ(c.copies, WindowsPrinter().copies()) << c.label << ": the setter reached the printer";
    TPrintDialog expected(nullptr);
    ReadPrintAnswer(expected, c.answer.flags, c.answer.from, c.answer.to);
    EXPECT_EQ(expected.FPrintRange, dialog.FPrintRange) << c.label;
    EXPECT_EQ(expected.FCollate, dialog.FCollate) << c.label;
    EXPECT_EQ(expected.FPrintToFile, dialog.FPrintToFile) << c.label;
    EXPECT_EQ(c.answer.to, dialog.FToPage) << c.label;
  }
}

TEST_F(PrintDialogTest, AcceptedWithoutADeviceModeKeepsTheDialogsCount) {
  // The choice names a printer that cannot be opened, so no device mode can be made for it.
  for (WORD copies : {1, 4}) {
    ResetWindowsPrinter(PlatformPrinterSource());
    TPrintDialog dialog(nullptr);
    dialog.setCopies(3);
    Seen seen;
    EXPECT_EQ(1, RunPrintDialog(dialog, Fake(seen, {1, pd::kPageNums, 2, 3, copies, 0, true, "Gone Printer"})));
    EXPECT_FALSE(WindowsPrinter().hasDeviceMode());
    EXPECT_EQ(copies, dialog.FCopies);
    EXPECT_EQ(prPageNums, dialog.FPrintRange);
  }
}

TEST_F(PrintDialogTest, SetupDialogMakesTheChoiceTheCurrentPrinter) {
  for (BOOL accept : {0, 1}) {
    ResetWindowsPrinter(PlatformPrinterSource());
    TPrinterSetupDialog dialog(nullptr);
    Seen seen;
    EXPECT_EQ(accept, RunPrinterSetupDialog(dialog, Fake(seen, {accept, 0, 0, 0, 1, 0, false, kTestPrinter})));
    EXPECT_EQ(kPrinterSetupFlags, seen.record.Flags);
    EXPECT_EQ(nullptr, seen.record.lpfnPrintHook);
    EXPECT_EQ(reinterpret_cast<void*>(ClassicDialogHook), reinterpret_cast<void*>(seen.record.lpfnSetupHook));
    CurrentPrinter& printer = WindowsPrinter();
    const PrinterEntry& selected = printer.list()[static_cast<size_t>(printer.selectedIndex())];
    // Accepted: the names handed back (with their port) are a new entry and the selection.
    EXPECT_EQ(accept ? "FILE:" : "", selected.names.port) << "accepted " << accept;
    EXPECT_EQ(accept ? "winspool" : "", selected.names.driver) << "accepted " << accept;
    EXPECT_TRUE(printer.hasDeviceMode()) << "accepted " << accept;
  }
}

// The texts are the program's string resources, not only the built-in fallbacks.
TEST(PrinterTextTest, ComeFromTheProgramsStringTable) {
  const struct { UINT id; const char* text; } kTexts[] = {
      {kPrinterOnPortResource, "%s on %s"},
      {kPrinterNotSupportedResource, msg::kPrinterNotSupported},
      {kNoDefaultPrinterResource, msg::kNoDefaultPrinter},
  };
  for (const auto& t : kTexts) {
    EXPECT_EQ(std::optional<std::string>(t.text), ProgramString(t.id)) << "resource " << t.id;
    EXPECT_EQ(t.text, PrinterText(t.id)) << "resource " << t.id;
  }
}

TEST_F(PrintDialogTest, BlocksThatCannotBeLockedFailWithThePrinterFailureAndChangeNothing) {
  TPrinterSetupDialog dialog(nullptr);
  Seen seen;
  Answer answer;
  answer.unlockableNames = true;
  EXPECT_THROW_MSG(RunPrinterSetupDialog(dialog, Fake(seen, answer)), EPrinter, msg::kPrinterNotSupported);
  CurrentPrinter& printer = WindowsPrinter();
  for (const PrinterEntry& entry : printer.list()) EXPECT_NE(" on ", entry.display.substr(0, 4)) << "a nameless entry";
  ASSERT_GE(printer.selectedIndex(), 0);
  EXPECT_EQ(kTestPrinter, printer.list()[static_cast<size_t>(printer.selectedIndex())].names.device);

  printer.select(printer.list()[static_cast<size_t>(printer.selectedIndex())].names, DiscardedBlock());
  EXPECT_THROW_MSG(printer.copies(), EPrinter, msg::kPrinterNotSupported);
  EXPECT_THROW_MSG(printer.setCopies(2), EPrinter, msg::kPrinterNotSupported);
}

TEST_F(PrintDialogTest, WithoutADefaultPrinterNothingIsShown) {
  const PrinterSource kStates[] = {
      NoPrinter(),
      {[] { return EnumeratePrinters(true); }, [] { return std::string("Missing Printer"); }},
  };
  for (const PrinterSource& state : kStates) {
    ResetWindowsPrinter(state);
    TPrintDialog print(nullptr);
    EXPECT_THROW_MSG(print.setCopies(3), EPrinter, msg::kNoDefaultPrinter);
    Seen seen;
    EXPECT_THROW_MSG(RunPrintDialog(print, Fake(seen, {})), EPrinter, msg::kNoDefaultPrinter);
    TPrinterSetupDialog setup(nullptr);
    EXPECT_THROW_MSG(RunPrinterSetupDialog(setup, Fake(seen, {})), EPrinter, msg::kNoDefaultPrinter);
    EXPECT_FALSE(seen.called) << "the platform function ran";
  }
}

}  // namespace
