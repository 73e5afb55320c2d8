#include "dialogs/printer_records.h"

#include <algorithm>
#include <cstring>

#include "base/format.h"

uint32_t PrintDialogFlags(const TPrintDialog& dialog) {
  const auto has = [&dialog](TPrintDialogOption option) { return (dialog.FOptions & SetOf(option)) != 0; };
  uint32_t flags = dialog.FPrintRange == prSelection  ? pd::kSelection
                   : dialog.FPrintRange == prPageNums ? pd::kPageNums
                                                       : pd::kAllPages;
  flags |= pd::kEnablePrintHook | pd::kEnableSetupHook;
  if (dialog.FCollate) flags |= pd::kCollate;
  if (!has(poPrintToFile)) flags |= pd::kHidePrintToFile;
  if (!has(poPageNums)) flags |= pd::kNoPageNums;
  if (!has(poSelection)) flags |= pd::kNoSelection;
  if (has(poDisablePrintToFile)) flags |= pd::kDisablePrintToFile;
  if (dialog.FPrintToFile) flags |= pd::kPrintToFile;
  if (has(poHelp)) flags |= pd::kShowHelp;
  if (!has(poWarning)) flags |= pd::kNoWarning;
  return flags;
}

void ReadPrintAnswer(TPrintDialog& dialog, uint32_t flags, uint16_t fromPage, uint16_t toPage) {
  dialog.FCollate = (flags & pd::kCollate) != 0;
  dialog.FPrintToFile = (flags & pd::kPrintToFile) != 0;
  dialog.FPrintRange = (flags & pd::kSelection) ? prSelection : (flags & pd::kPageNums) ? prPageNums : prAllPages;
  dialog.FFromPage = fromPage;
  dialog.FToPage = toPage;
}

std::vector<uint8_t> DeviceNamesBlock(const PrinterNames& names) {
  std::vector<uint8_t> block(8);
  const auto putWord = [&block](size_t at, size_t value) {
    block[at] = static_cast<uint8_t>(value);
    block[at + 1] = static_cast<uint8_t>(value >> 8);
  };
  size_t at = 0;
  for (const std::string* name : {&names.driver, &names.device, &names.port}) {
    putWord(at, block.size());
    at += 2;
    block.insert(block.end(), name->begin(), name->end());
    block.push_back(0);
  }
  return block;  // wDefault stays 0
}

PrinterNames ReadDeviceNames(const uint8_t* block, size_t size) {
  const auto name = [block, size](size_t word) -> std::string {
    if (size < 8) return {};
    const size_t offset = block[word] | (block[word + 1] << 8);
    if (offset >= size) return {};
    const void* end = std::memchr(block + offset, 0, size - offset);
    if (!end) return {};
    const char* first = reinterpret_cast<const char*>(block + offset);
    return std::string(first, static_cast<const char*>(end));
  };
  return {name(0), name(2), name(4)};
}

std::vector<PrinterEntry> PortEntries(const std::string& printer, const std::string& ports,
                                      const std::string& displayFormat) {
  std::vector<PrinterEntry> entries;
  size_t start = 0;
  while (start <= ports.size()) {
    size_t comma = ports.find(',', start);
    if (comma == std::string::npos) comma = ports.size();
    size_t first = ports.find_first_not_of(' ', start);
    if (first == std::string::npos || first > comma) first = comma;
    std::string port = ports.substr(first, comma - first);
    if (!port.empty())
      entries.push_back({Format(displayFormat.c_str(), {printer, port}), {"", printer, port}});
    start = comma + 1;
  }
  return entries;
}

std::string ProfileDeviceName(const std::string& profileDevice) {
  std::string device = profileDevice.substr(0, profileDevice.find(','));
  return device.substr(std::min(device.size(), device.find_first_not_of(' ')));
}

int FindPrinter(const std::vector<PrinterEntry>& list, const std::string& device, const std::string* port) {
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i].names.device == device && (!port || list[i].names.port == *port)) return static_cast<int>(i);
  return -1;
}
