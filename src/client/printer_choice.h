// Choosing the printer and the orientation in a running print or printer set-up dialog of
// another process, as a user does: the auto driver's printer= and orientation= steps.
#pragma once

#include <string>
#include <vector>

#include "platform/win32.h"

// The printer list of a print or set-up dialog (cmb4 beside the copy count in the print
// dialog, cmb1 in the set-up dialog), or null when `dialog` is neither.
HWND PrinterList(HWND dialog);
// The texts of a combo box of another process, in order.
std::vector<std::string> ComboItems(HWND combo);
// Chooses the printer `name` (ASCII case ignored) from the dialog's list and lets the dialog
// take it; the printer the dialog shows already is left as it is. Answers "" when done, else
// why not ("not in the printer list (listed: A, B)").
std::string ChoosePrinter(HWND dialog, const std::string& name);
// Where the dialog says the chosen printer is, and its status ("CUPS:PDF, Ready").
std::string PrinterWhereAndStatus(HWND dialog);
// Ticks Portrait or Landscape in the set-up dialog. Answers "" when done, else why not.
std::string ChooseOrientation(HWND dialog, bool landscape);
