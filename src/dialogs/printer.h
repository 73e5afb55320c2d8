// The current printer as the print dialog model needs it while a request is read.
#pragma once

#include <cstdint>

class PrinterAccess {
 public:
  virtual ~PrinterAccess() = default;
  // Selects the default printer if none is selected and sets its copy count. Throws EPrinter.
  virtual void setCopies(int32_t copies) = 0;
};

// The installed printer. Until the platform installs one, there is none: setting the copy
// count fails with "There is no default printer currently selected".
PrinterAccess& Printer();
// Installs the platform's printer (not owned). nullptr restores "no printer".
void InstallPrinter(PrinterAccess* printer);
