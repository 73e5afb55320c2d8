// The process-wide current printer on Windows: the printer list, the selected printer and the
// device mode it owns. The print dialogs start from it and make the user's choice its new
// state; the print dialog's Copies setter reaches it through the printer seam (dialogs/printer.h).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "dialogs/printer.h"
#include "dialogs/printer_records.h"
#include "platform/win32.h"

// Where the printer list and the default printer's device name come from: the platform's
// (EnumPrintersA, the profile's windows/device) or a test's.
struct PrinterSource {
  std::function<std::vector<PrinterEntry>()> list;
  std::function<std::string()> defaultDevice;
};
PrinterSource PlatformPrinterSource();

// The printer list as the platform enumerates it: on NT local and connected printers at level 4
// (device = display = printer name, no driver or port), elsewhere local printers at level 5,
// one entry per port ("%s on %s"). Empty when enumeration fails.
std::vector<PrinterEntry> EnumeratePrinters(bool nt);
// The default printer's device name: from the profile's windows/device, else the platform's
// default printer; empty when there is none.
std::string DefaultPrinterDevice();

class CurrentPrinter : public PrinterAccess {
 public:
  explicit CurrentPrinter(PrinterSource source) : source_(std::move(source)) {}
  ~CurrentPrinter() override;
  CurrentPrinter(const CurrentPrinter&) = delete;
  CurrentPrinter& operator=(const CurrentPrinter&) = delete;

  struct Selection {
    PrinterNames names;
    HGLOBAL deviceMode;  // still the printer's
  };
  // The held device mode (as it was before this call), then the names of the selected printer,
  // selecting the default printer first if none is. Throws EPrinter when there is no default.
  Selection selection();
  // Selects the printer with these names (appending it to the list when it is not there) and
  // takes over `deviceMode` (0: one is made from the driver's defaults when the printer opens).
  void select(const PrinterNames& names, HGLOBAL deviceMode);
  // Selects the default printer; throws EPrinter ("There is no default printer ...") without one.
  void selectDefault();

  // The device mode's copy count; both select the default printer first if none is selected and
  // throw EPrinter ("Operation not supported ...") when no device mode is held.
  int32_t copies();
  void setCopies(int32_t copies) override;
  bool hasDeviceMode() const { return deviceMode_ != nullptr; }
  int selectedIndex() const { return selected_; }
  const std::vector<PrinterEntry>& list();
  // Back to no list and no selection, freeing what is held, with a new source.
  void restart(PrinterSource source);

 private:
  void release();

  PrinterSource source_;
  bool listed_ = false;
  std::vector<PrinterEntry> list_;
  int selected_ = -1;
  HGLOBAL deviceMode_ = nullptr;
  HANDLE handle_ = nullptr;
};

// The server's current printer, created on first use with the platform's source.
CurrentPrinter& WindowsPrinter();
// Starts the current printer afresh (as in a new process) with `source`.
void ResetWindowsPrinter(PrinterSource source);
// Makes the current printer the one the print dialog's Copies setter reaches. Called at start-up.
void InstallWindowsPrinter();

// The printer texts (printer_strings.rc); the built-in text when a resource is missing.
inline constexpr UINT kPrinterOnPortResource = 61501;      // "%s on %s"
inline constexpr UINT kPrinterNotSupportedResource = 61621;  // "Operation not supported on selected printer"
inline constexpr UINT kNoDefaultPrinterResource = 61622;     // "There is no default printer currently selected"
std::string PrinterText(UINT id);

// The device names block of the current selection, in a movable block the caller owns, with the
// device mode the selection held (still the printer's); no names block when that is 0.
struct DeviceBlocks {
  HGLOBAL deviceMode;
  HGLOBAL deviceNames;
};
DeviceBlocks BuildDeviceNames(CurrentPrinter& printer);
// A movable copy of the block (0 for 0, or when it cannot be made).
HGLOBAL CopyDeviceMode(HGLOBAL block);
// Makes the names in `deviceNames` the printer's selection with `deviceMode` (which the printer
// takes over) and frees `deviceNames`. Names that cannot be read leave the selection as it was,
// free both blocks and throw EPrinter ("Operation not supported on selected printer").
void ApplyPrinterChoice(CurrentPrinter& printer, HGLOBAL deviceMode, HGLOBAL deviceNames);
