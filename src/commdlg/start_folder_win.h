// Where a file dialog opens when the request names no folder (no folder in FileName, no
// InitialDir), and the platform's record of the folder each program last chose a file in: the
// LastVisitedMRU list under HKCU\...\Explorer\ComDlg32, one entry per program ("program.exe",
// NUL, the folder, NUL, in UTF-16), most recent first in the order of its MRUList letters. The
// classic dialog keeps it itself; the modern dialog reads and keeps the same record, so that
// both styles open in the same folder.
#pragma once

#include <string>

// As the classic dialog chooses: the folder this program last chose a file in, else the current
// folder when an entry there matches one of the `filter`'s patterns, else the user's documents
// folder. Empty when none of them is known.
std::wstring ClassicStartFolder(const std::string& filter);

// Records `folder` as the one this program last chose a file in.
void RememberLastFolder(const std::wstring& folder);
