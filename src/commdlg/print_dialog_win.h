// The print and printer set-up dialogs on Windows: PrintDlgA started from the current printer,
// whose selection becomes the user's choice when the dialog is accepted.
#pragma once

#include "commdlg/common_dialog_win.h"
#include "dialogs/print_dialog.h"

// Fills the record from the dialog's properties and the current printer (which throws EPrinter
// when there is no default printer, before `function` is called), runs `function` through
// RunTaskModal and, on a non-zero answer, makes the choice the current printer's and writes
// Collate, PrintToFile, PrintRange, FromPage, ToPage and Copies back; otherwise frees the blocks.
// Answers the function's answer.
BOOL RunPrintDialog(TPrintDialog& dialog, const DialogFunction<PRINTDLGA>& function);
// The same for the printer set-up dialog, which writes nothing back.
BOOL RunPrinterSetupDialog(TPrinterSetupDialog& dialog, const DialogFunction<PRINTDLGA>& function);

// The registry's execute routines: PrintDlgA; true when accepted.
bool ExecutePrintDialog(TComponent& dialog);
bool ExecutePrinterSetupDialog(TComponent& dialog);
