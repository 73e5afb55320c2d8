// The dialog classes the server runs, in the order its registry is filled.
#pragma once

#include <vector>

struct ClassInfo;

// TFSL16OpenDialog, TOpenDialog, TSaveDialog, TFontDialog, TColorDialog, TPrintDialog,
// TPrinterSetupDialog, TFindDialog.
const std::vector<const ClassInfo*>& ServedClasses();
// Registers every served class and its ancestors by name; repeated calls do nothing more.
void RegisterServedClasses();
// The served class with exactly the name a class declares, or nullptr.
const ClassInfo* FindServedClass(const ClassInfo& info);
