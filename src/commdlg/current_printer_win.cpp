#include "commdlg/current_printer_win.h"

#include <cstring>
#include <memory>

#include "base/errors.h"
#include "base/format.h"
#include "base/messages.h"
#include "platform/program_strings.h"

namespace {

// The print spooler's functions, loaded when a printer is first needed: an import would load
// the spooler library before the server's ready notice, and most requests never print.
struct Spooler {
  decltype(&EnumPrintersA) enumPrinters = nullptr;
  decltype(&OpenPrinterA) openPrinter = nullptr;
  decltype(&ClosePrinter) closePrinter = nullptr;
  decltype(&DocumentPropertiesA) documentProperties = nullptr;
  decltype(&GetDefaultPrinterA) defaultPrinter = nullptr;
};

template <class Function>
void Resolve(HMODULE module, Function& function, const char* name) {
  function = module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

const Spooler& TheSpooler() {
  static const Spooler spooler = [] {
    Spooler s;
    HMODULE module = LoadLibraryA("winspool.drv");
    Resolve(module, s.enumPrinters, "EnumPrintersA");
    Resolve(module, s.openPrinter, "OpenPrinterA");
    Resolve(module, s.closePrinter, "ClosePrinter");
    Resolve(module, s.documentProperties, "DocumentPropertiesA");
    Resolve(module, s.defaultPrinter, "GetDefaultPrinterA");
    return s;
  }();
  return spooler;
}

std::string Text(const char* text) { return text ? text : ""; }

std::unique_ptr<CurrentPrinter>& Instance() {
  static std::unique_ptr<CurrentPrinter> printer;
  return printer;
}

// A locked view of a movable block, unlocked when it goes.
class Locked {
 public:
  explicit Locked(HGLOBAL block) : block_(block), data_(block ? GlobalLock(block) : nullptr) {}
  ~Locked() {
    if (data_) GlobalUnlock(block_);
  }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;
  void* data() const { return data_; }

 private:
  HGLOBAL block_;
  void* data_;
};

}  // namespace

std::string PrinterText(UINT id) {
  if (std::optional<std::string> text = ProgramString(id)) return *text;
  switch (id) {
    case kPrinterOnPortResource: return "%s on %s";
    case kPrinterNotSupportedResource: return msg::kPrinterNotSupported;
    default: return msg::kNoDefaultPrinter;
  }
}

std::vector<PrinterEntry> EnumeratePrinters(bool nt) {
  const Spooler& spooler = TheSpooler();
  std::vector<PrinterEntry> list;
  if (!spooler.enumPrinters) return list;
  const DWORD flags = nt ? PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS : PRINTER_ENUM_LOCAL;
  const DWORD level = nt ? 4 : 5;
  DWORD needed = 0, count = 0;
  spooler.enumPrinters(flags, nullptr, level, nullptr, 0, &needed, &count);
  std::vector<BYTE> buffer(needed ? needed : 1);
  if (!spooler.enumPrinters(flags, nullptr, level, buffer.data(), needed, &needed, &count)) return list;
  if (nt) {
    const auto* info = reinterpret_cast<const PRINTER_INFO_4A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
      const std::string name = Text(info[i].pPrinterName);
      list.push_back({name, {"", name, ""}});
    }
  } else {
    const std::string format = PrinterText(kPrinterOnPortResource);
    const auto* info = reinterpret_cast<const PRINTER_INFO_5A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i)
      for (PrinterEntry& entry : PortEntries(Text(info[i].pPrinterName), Text(info[i].pPortName), format))
        list.push_back(std::move(entry));
  }
  return list;
}

std::string DefaultPrinterDevice() {
  char profile[80] = "";
  GetProfileStringA("windows", "device", "", profile, sizeof profile);
  std::string device = ProfileDeviceName(profile);
  if (!device.empty()) return device;
  // A platform that keeps its default printer elsewhere.
  const Spooler& spooler = TheSpooler();
  char name[256] = "";
  DWORD size = sizeof name;
  if (spooler.defaultPrinter && spooler.defaultPrinter(name, &size)) return name;
  return {};
}

PrinterSource PlatformPrinterSource() {
  return {[] { return EnumeratePrinters((GetVersion() & 0x80000000) == 0); }, DefaultPrinterDevice};
}

CurrentPrinter::~CurrentPrinter() { release(); }

void CurrentPrinter::release() {
  if (handle_) TheSpooler().closePrinter(handle_);
  if (deviceMode_) GlobalFree(deviceMode_);
  handle_ = nullptr;
  deviceMode_ = nullptr;
}

void CurrentPrinter::restart(PrinterSource source) {
  release();
  source_ = std::move(source);
  listed_ = false;
  list_.clear();
  selected_ = -1;
}

const std::vector<PrinterEntry>& CurrentPrinter::list() {
  if (!listed_) {
    list_ = source_.list ? source_.list() : std::vector<PrinterEntry>{};
    listed_ = true;
  }
  return list_;
}

CurrentPrinter::Selection CurrentPrinter::selection() {
  HGLOBAL deviceMode = deviceMode_;
  if (selected_ < 0) selectDefault();
  return {list_[static_cast<size_t>(selected_)].names, deviceMode};
}

void CurrentPrinter::select(const PrinterNames& names, HGLOBAL deviceMode) {
  const Spooler& spooler = TheSpooler();
  if (deviceMode != deviceMode_) {
    if (deviceMode_) GlobalFree(deviceMode_);
    deviceMode_ = deviceMode;
  }
  if (handle_) {
    spooler.closePrinter(handle_);
    handle_ = nullptr;
  }
  list();
  int index = FindPrinter(list_, names.device, &names.port);
  if (index < 0) {
    list_.push_back({Format(PrinterText(kPrinterOnPortResource).c_str(), {names.device, names.port}), names});
    index = static_cast<int>(list_.size()) - 1;
  }
  selected_ = index;

  std::string device = names.device;
  if (!spooler.openPrinter || !spooler.openPrinter(device.data(), &handle_, nullptr)) {
    handle_ = nullptr;
    return;
  }
  if (deviceMode_) return;
  // The driver's defaults for this printer.
  LONG size = spooler.documentProperties(nullptr, handle_, device.data(), nullptr, nullptr, 0);
  if (size <= 0) return;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(size));
  if (!block) return;
  LONG result;
  {
    Locked mode(block);
    result = spooler.documentProperties(nullptr, handle_, device.data(), static_cast<DEVMODEA*>(mode.data()),
                                        nullptr, DM_OUT_BUFFER);
  }
  if (result < 0)
    GlobalFree(block);
  else
    deviceMode_ = block;
}

void CurrentPrinter::selectDefault() {
  const std::string device = source_.defaultDevice ? source_.defaultDevice() : std::string();
  const int index = FindPrinter(list(), device);
  if (device.empty() || index < 0) throw EPrinter(PrinterText(kNoDefaultPrinterResource));
  const PrinterNames names = list_[static_cast<size_t>(index)].names;
  select(names, nullptr);
}

int32_t CurrentPrinter::copies() {
  if (selected_ < 0) selectDefault();
  Locked mode(deviceMode_);
  if (!mode.data()) throw EPrinter(PrinterText(kPrinterNotSupportedResource));
  return static_cast<DEVMODEA*>(mode.data())->dmCopies;
}

void CurrentPrinter::setCopies(int32_t copies) {
  if (selected_ < 0) selectDefault();
  Locked mode(deviceMode_);
  if (!mode.data()) throw EPrinter(PrinterText(kPrinterNotSupportedResource));
  static_cast<DEVMODEA*>(mode.data())->dmCopies = static_cast<short>(copies);
}

CurrentPrinter& WindowsPrinter() {
  if (!Instance()) Instance() = std::make_unique<CurrentPrinter>(PlatformPrinterSource());
  return *Instance();
}

void ResetWindowsPrinter(PrinterSource source) { WindowsPrinter().restart(std::move(source)); }

void InstallWindowsPrinter() { InstallPrinter(&WindowsPrinter()); }

DeviceBlocks BuildDeviceNames(CurrentPrinter& printer) {
  const CurrentPrinter::Selection selection = printer.selection();
  if (!selection.deviceMode) return {nullptr, nullptr};
  const std::vector<uint8_t> bytes = DeviceNamesBlock(selection.names);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.size());
  bool written = false;
  if (block) {
    Locked names(block);
    if (names.data()) std::memcpy(names.data(), bytes.data(), bytes.size()), written = true;
  }
  if (!written && block) GlobalFree(block), block = nullptr;
  return {selection.deviceMode, block};
}

HGLOBAL CopyDeviceMode(HGLOBAL block) {
  if (!block) return nullptr;
  const SIZE_T size = GlobalSize(block);
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (!copy) return nullptr;
  bool copied = false;
  {
    Locked from(block), to(copy);
    if (from.data() && to.data()) std::memcpy(to.data(), from.data(), size), copied = true;
  }
  if (!copied) GlobalFree(copy);
  return copied ? copy : nullptr;
}

void ApplyPrinterChoice(CurrentPrinter& printer, HGLOBAL deviceMode, HGLOBAL deviceNames) {
  if (!deviceNames) {
    // Nothing names the choice: the current printer stays as it was.
    if (deviceMode) GlobalFree(deviceMode);
    return;
  }
  PrinterNames names;
  {
    Locked block(deviceNames);
    if (block.data()) names = ReadDeviceNames(static_cast<const uint8_t*>(block.data()), GlobalSize(deviceNames));
  }
  GlobalFree(deviceNames);
  if (names.device.empty()) {
    // The choice cannot be read: the current printer stays as it was, and nothing is kept.
    if (deviceMode) GlobalFree(deviceMode);
    throw EPrinter(PrinterText(kPrinterNotSupportedResource));
  }
  printer.select(names, deviceMode);
}
