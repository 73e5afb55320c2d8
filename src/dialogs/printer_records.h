// What the print and printer set-up dialogs exchange with the platform, computed without it:
// the dialog flags, page numbers, the device names block and the printer list entries.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/print_dialog.h"

namespace pd {
inline constexpr uint32_t kAllPages = 0x0;                // PD_ALLPAGES
inline constexpr uint32_t kSelection = 0x1;               // PD_SELECTION
inline constexpr uint32_t kPageNums = 0x2;                // PD_PAGENUMS
inline constexpr uint32_t kNoSelection = 0x4;             // PD_NOSELECTION
inline constexpr uint32_t kNoPageNums = 0x8;              // PD_NOPAGENUMS
inline constexpr uint32_t kCollate = 0x10;                // PD_COLLATE
inline constexpr uint32_t kPrintToFile = 0x20;            // PD_PRINTTOFILE
inline constexpr uint32_t kPrintSetup = 0x40;             // PD_PRINTSETUP
inline constexpr uint32_t kNoWarning = 0x80;              // PD_NOWARNING
inline constexpr uint32_t kShowHelp = 0x800;              // PD_SHOWHELP
inline constexpr uint32_t kEnablePrintHook = 0x1000;      // PD_ENABLEPRINTHOOK
inline constexpr uint32_t kEnableSetupHook = 0x2000;      // PD_ENABLESETUPHOOK
inline constexpr uint32_t kDisablePrintToFile = 0x80000;  // PD_DISABLEPRINTTOFILE
inline constexpr uint32_t kHidePrintToFile = 0x100000;    // PD_HIDEPRINTTOFILE
}  // namespace pd

// Flags of a print dialog run: the range, both hooks, then collate, the print-to-file box,
// page numbers, selection, help and the warning as the dialog's properties ask.
uint32_t PrintDialogFlags(const TPrintDialog& dialog);
// Flags of a printer set-up dialog run.
inline constexpr uint32_t kPrinterSetupFlags = pd::kPrintSetup | pd::kEnableSetupHook;

// A page number as the platform record carries it: its low 16 bits.
inline uint16_t PageNumber(int32_t page) { return static_cast<uint16_t>(page); }

// Writes an accepted dialog's answer into Collate, PrintToFile, PrintRange, FromPage and ToPage
// (Copies is the caller's: it involves the printer).
void ReadPrintAnswer(TPrintDialog& dialog, uint32_t flags, uint16_t fromPage, uint16_t toPage);

struct PrinterNames {
  std::string driver, device, port;
  bool operator==(const PrinterNames& o) const {
    return driver == o.driver && device == o.device && port == o.port;
  }
};

// The device names block (DEVNAMES): four 16-bit words, then the three names NUL-terminated.
//   offsets  driver=8 device=8+|driver|+1 port=device+|device|+1, wDefault=0
//   "wineps.drv" "Test" "FILE:" -> 08 00 13 00 18 00 00 00 'wineps.drv\0' 'Test\0' 'FILE:\0'
// (30 bytes: the three lengths plus 11).
std::vector<uint8_t> DeviceNamesBlock(const PrinterNames& names);
// The names at a block's offsets; an offset outside the block, or a name without its NUL inside
// it, reads as empty.
PrinterNames ReadDeviceNames(const uint8_t* block, size_t size);

// One entry of the printer list.
struct PrinterEntry {
  std::string display;
  PrinterNames names;
};
// The entries of one printer from its comma-separated port list ("LPT1:, FILE:"): one per port,
// leading blanks skipped, named by `displayFormat` ("%s on %s") with device and port.
std::vector<PrinterEntry> PortEntries(const std::string& printer, const std::string& ports,
                                      const std::string& displayFormat);
// The device name in the profile's "device" entry ("Test,wineps.drv,FILE:"): the text up to the
// first comma with leading blanks skipped.
std::string ProfileDeviceName(const std::string& profileDevice);
// Index of the first entry with this device (and this port, when `port` is given); -1 if none.
int FindPrinter(const std::vector<PrinterEntry>& list, const std::string& device, const std::string* port = nullptr);
