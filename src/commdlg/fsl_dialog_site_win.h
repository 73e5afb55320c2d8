// The FSL open dialog's platform on Windows: real controls, the Explorer dialog's selection,
// the association store over the real INI and file calls, the warning form and the standard
// open dialog.
#pragma once

// Installs the Windows site for the rest of the process.
void InstallWindowsFslDialogSite();
