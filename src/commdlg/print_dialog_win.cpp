#include "commdlg/print_dialog_win.h"

#include "commdlg/current_printer_win.h"
#include "commdlg/dialog_host.h"
#include "commdlg/dialog_library_win.h"
#include "dialogs/printer_records.h"
#include "platform/record_sizes.h"

static_assert(pd::kSelection == PD_SELECTION && pd::kPageNums == PD_PAGENUMS && pd::kNoSelection == PD_NOSELECTION &&
                  pd::kNoPageNums == PD_NOPAGENUMS && pd::kCollate == PD_COLLATE &&
                  pd::kPrintToFile == PD_PRINTTOFILE && pd::kPrintSetup == PD_PRINTSETUP &&
                  pd::kNoWarning == PD_NOWARNING && pd::kShowHelp == PD_SHOWHELP &&
                  pd::kEnablePrintHook == PD_ENABLEPRINTHOOK && pd::kEnableSetupHook == PD_ENABLESETUPHOOK &&
                  pd::kDisablePrintToFile == PD_DISABLEPRINTTOFILE && pd::kHidePrintToFile == PD_HIDEPRINTTOFILE,
              "flag constants match the platform's");

namespace {

void FreeBlocks(PRINTDLGA& record) {
  if (record.hDevMode) GlobalFree(record.hDevMode);
  if (record.hDevNames) GlobalFree(record.hDevNames);
  record.hDevMode = record.hDevNames = nullptr;
}

// The record both dialogs start from: the current selection's names and a copy of its device
// mode, owned by the record until the dialog has answered.
PRINTDLGA StartRecord(CurrentPrinter& printer, uint32_t flags, bool ctl3D) {
  PRINTDLGA record{};
  record.lStructSize = record_size::kPrintDlg;
  record.hInstance = GetModuleHandleA(nullptr);
  const DeviceBlocks blocks = BuildDeviceNames(printer);
  record.hDevNames = blocks.deviceNames;
  record.hDevMode = CopyDeviceMode(blocks.deviceMode);
  record.Flags = flags;
  record.lpfnSetupHook = ClassicDialogHook;
  record.hwndOwner = ApplicationHandle();
  SetCtl3DFlag(ctl3D);
  return record;
}

// Runs the dialog; on acceptance the current printer takes the blocks over, otherwise (and when
// the call fails) they are freed.
BOOL RunWithPrinter(TCommonDialog& dialog, CurrentPrinter& printer, const DialogFunction<PRINTDLGA>& function,
                    PRINTDLGA& record) {
  BOOL answer;
  try {
    answer = RunTaskModal(dialog, function, record);
  } catch (...) {
    FreeBlocks(record);
    throw;
  }
  if (answer)
    ApplyPrinterChoice(printer, record.hDevMode, record.hDevNames);
  else
    FreeBlocks(record);
  return answer;
}

}  // namespace

BOOL RunPrintDialog(TPrintDialog& dialog, const DialogFunction<PRINTDLGA>& function) {
  CurrentPrinter& printer = WindowsPrinter();
  PRINTDLGA record = StartRecord(printer, PrintDialogFlags(dialog), dialog.FCtl3D);
  record.nFromPage = PageNumber(dialog.FFromPage);
  record.nToPage = PageNumber(dialog.FToPage);
  record.nMinPage = PageNumber(dialog.FMinPage);
  record.nMaxPage = PageNumber(dialog.FMaxPage);
  record.lpfnPrintHook = ClassicDialogHook;  // nCopies stays 0: the count travels in the device mode

  const BOOL answer = RunWithPrinter(dialog, printer, function, record);
  if (answer) {
    ReadPrintAnswer(dialog, record.Flags, record.nFromPage, record.nToPage);
    if (printer.hasDeviceMode()) {
      // Drivers that keep the count themselves report 1 here and the count in the device mode.
      dialog.setCopies(record.nCopies == 1 ? printer.copies() : record.nCopies);
    } else {
      // No device mode came back and none could be made: the printer cannot hold a count, so
      // the dialog's own count is the answer.
      dialog.FCopies = record.nCopies;
    }
  }
  return answer;
}

BOOL RunPrinterSetupDialog(TPrinterSetupDialog& dialog, const DialogFunction<PRINTDLGA>& function) {
  CurrentPrinter& printer = WindowsPrinter();
  PRINTDLGA record = StartRecord(printer, kPrinterSetupFlags, dialog.FCtl3D);
  return RunWithPrinter(dialog, printer, function, record);
}

bool ExecutePrintDialog(TComponent& dialog) {
  return RunPrintDialog(dynamic_cast<TPrintDialog&>(dialog), PrintDialogFunction()) != 0;
}

bool ExecutePrinterSetupDialog(TComponent& dialog) {
  return RunPrinterSetupDialog(dynamic_cast<TPrinterSetupDialog&>(dialog), PrintDialogFunction()) != 0;
}
