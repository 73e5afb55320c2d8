// add_test_printer.exe [NAME]: installs a printer that prints to the FILE: port with the
// platform's own PostScript driver and makes it the default printer, so that print dialogs open
// in a fresh test prefix. Running it again only makes the printer the default again. Needs no
// print daemon: the driver's description (PPD) is the one built into Wine's spooler library.
// Exit status 0 when the printer is there and the default. Where the host has print queues, Wine
// makes the host's default the prefix's default again when a new session loads the spooler, so
// the tests that need this printer make it the default themselves (tests/testing/printers_win.h).
#include <cstdio>
#include <string>

#include "platform/win32.h"

namespace {

constexpr char kDefaultName[] = "Dialog Test Printer";

int Fail(const char* step) {
  std::fprintf(stderr, "add_test_printer: %s failed (error %lu)\n", step, GetLastError());
  return 1;
}

bool Installed(const std::string& name) {
  HANDLE printer = nullptr;
  if (!OpenPrinterA(const_cast<char*>(name.c_str()), &printer, nullptr)) return false;
  ClosePrinter(printer);
  return true;
}

// Writes the spooler's built-in PPD (a text resource, up to its first NUL) to a file; answers
// its path, or empty.
std::string WriteBuiltInPpd() {
  HMODULE spooler = LoadLibraryA("winspool.drv");
  HRSRC resource = spooler ? FindResourceA(spooler, MAKEINTRESOURCEA(1), "PPDFILE") : nullptr;
  HGLOBAL loaded = resource ? LoadResource(spooler, resource) : nullptr;
  const char* text = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  if (!text) return {};
  const DWORD size = SizeofResource(spooler, resource);
  std::string ppd(text, size);
  ppd.resize(ppd.find('\0') == std::string::npos ? ppd.size() : ppd.find('\0'));

  char folder[MAX_PATH];
  if (!GetTempPathA(sizeof folder, folder)) return {};
  std::string path = std::string(folder) + "dlg_test_printer.ppd";
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return {};
  const bool written = std::fwrite(ppd.data(), 1, ppd.size(), file) == ppd.size();
  return std::fclose(file) == 0 && written ? path : std::string();
}

}  // namespace

int main(int argc, char** argv) {
  std::string name = argc > 1 ? argv[1] : kDefaultName;
  if (!Installed(name)) {
    std::string ppd = WriteBuiltInPpd();
    if (ppd.empty()) return Fail("extracting the built-in PPD");
    char driverPath[] = "wineps.drv";
    DRIVER_INFO_3A driver{};
    driver.cVersion = 3;
    driver.pName = name.data();
    driver.pDriverPath = driverPath;
    driver.pDataFile = ppd.data();
    driver.pConfigFile = driverPath;
    if (!AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY))
      return Fail("AddPrinterDriverExA");

    char port[] = "FILE:", processor[] = "WinPrint", dataType[] = "RAW";
    PRINTER_INFO_2A info{};
    info.pPrinterName = name.data();
    info.pPortName = port;
    info.pDriverName = name.data();
    info.pPrintProcessor = processor;
    info.pDatatype = dataType;  // without it the spooler refuses the printer (error 87)
    HANDLE printer = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (!printer) return Fail("AddPrinterA");
    ClosePrinter(printer);
  }
  if (!SetDefaultPrinterA(name.c_str())) return Fail("SetDefaultPrinterA");
  std::printf("default printer: %s\n", name.c_str());
  return 0;
}
