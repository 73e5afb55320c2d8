// The printers the print tests work with: the file-port test printer every test prefix has
// (tools/testprinter, the `printer` fixture), and the host's print queues, which Wine lists in
// every prefix (on a port "CUPS:<name>"), with the host's default as the prefix's default.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win32.h"

inline const std::string kTestPrinter = "Dialog Test Printer";

// The names of the host's queues the prefix lists, sorted.
inline std::vector<std::string> HostQueues() {
  DWORD needed = 0, count = 0;
  const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
  EnumPrintersA(flags, nullptr, 2, nullptr, 0, &needed, &count);
  std::vector<BYTE> buffer(needed);
  std::vector<std::string> queues;
  if (!needed || !EnumPrintersA(flags, nullptr, 2, buffer.data(), needed, &needed, &count)) return queues;
  const auto* printers = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
  for (DWORD i = 0; i < count; ++i)
    if (printers[i].pPortName && std::string(printers[i].pPortName).rfind("CUPS:", 0) == 0)
      queues.push_back(printers[i].pPrinterName);
  std::sort(queues.begin(), queues.end());
  return queues;
}

// The queues this run was started with (DLG_HOST_QUEUES: sorted and comma-separated, set by
// scripts/test.sh when it runs a print scheduler of its own), so that a run without them fails
// rather than passing over the test printer alone; empty when it is not set.
inline std::vector<std::string> ExpectedHostQueues() {
  std::vector<std::string> queues;
  const char* text = std::getenv("DLG_HOST_QUEUES");
  for (std::string rest = text ? text : ""; !rest.empty();) {
    const size_t comma = rest.find(',');
    queues.push_back(rest.substr(0, comma));
    rest = comma == std::string::npos ? "" : rest.substr(comma + 1);
  }
  return queues;
}

inline std::string CurrentDefaultPrinter() {
  char name[256] = {};
  DWORD size = sizeof name;
  return GetDefaultPrinterA(name, &size) ? name : "";
}

// Makes `name` the prefix's default printer while it lives, then puts the old default back. The
// host's own default is never touched: the spooler keeps the choice in the prefix. Wine sets
// the host's default afresh when the first process of a session loads the spooler, so the
// choice holds for the programs this process starts while it holds the spooler loaded (from
// the first call here on).
class DefaultPrinter {
 public:
  explicit DefaultPrinter(const std::string& name) : old_(CurrentDefaultPrinter()) {
    made_ = SetDefaultPrinterA(name.c_str()) && CurrentDefaultPrinter() == name;
  }
  ~DefaultPrinter() {
    if (!old_.empty()) SetDefaultPrinterA(old_.c_str());
  }
  DefaultPrinter(const DefaultPrinter&) = delete;
  DefaultPrinter& operator=(const DefaultPrinter&) = delete;
  bool made() const { return made_; }

 private:
  std::string old_;
  bool made_ = false;
};
