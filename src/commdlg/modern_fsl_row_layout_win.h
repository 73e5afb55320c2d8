// The modern FSL row laid out as the classic template's: "FSL Filename:", the field over the
// file name box and as wide, "Browse FSL" beside it over the file type box, all on one line.
// The platform lays a visual group out so where its controls are drawn by the dialog itself;
// under Wine they are windows, and a visual group is its label with the controls stacked below
// each other, 160 pixels wide, so the windows are placed here (and placed again after every
// resize, which lays them out anew). Custom controls that are not in the row (the read-only
// box) go on the line below, from the field's left edge.
#pragma once

#include "platform/win32.h"

// Lays the row of the modern dialog `frame` out once the dialog has laid itself out (a message
// posted to it), and after every resize; nothing when the row's windows are not found.
void KeepFslRowOnOneLine(HWND frame);
