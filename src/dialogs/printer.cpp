#include "dialogs/printer.h"

#include "base/errors.h"
#include "base/messages.h"

namespace {
class NoPrinter : public PrinterAccess {
 public:
  void setCopies(int32_t) override { throw EPrinter(msg::kNoDefaultPrinter); }
};

NoPrinter g_noPrinter;
PrinterAccess* g_printer = &g_noPrinter;
}  // namespace

PrinterAccess& Printer() { return *g_printer; }
void InstallPrinter(PrinterAccess* printer) { g_printer = printer ? printer : &g_noPrinter; }
