// The sizes of the common dialog records the platform is told (lStructSize), per architecture.
// The 32-bit sizes are the ones the platform has known since version 4 and are checked here;
// on x64 every pointer and handle field is 8 bytes and aligned, so the records are larger, and
// the size is what the x64 headers give.
#pragma once

#include <cstddef>

#include "platform/win32.h"

namespace record_size {

constexpr bool kWin32 = sizeof(void*) == 4;

// The open/save record up to lpTemplateName, without the trailing reserved fields and FlagsEx.
constexpr DWORD kOpenFileName = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR);
constexpr DWORD kChooseColor = sizeof(CHOOSECOLORA);
constexpr DWORD kChooseFont = sizeof(CHOOSEFONTA);
constexpr DWORD kPrintDlg = sizeof(PRINTDLGA);
constexpr DWORD kFindReplace = sizeof(FINDREPLACEA);

static_assert(!kWin32 || kOpenFileName == 76, "the 32-bit open record is 76 bytes");
static_assert(!kWin32 || kChooseColor == 36, "the 32-bit colour record is 36 bytes");
static_assert(!kWin32 || kChooseFont == 60, "the 32-bit font record is 60 bytes");
static_assert(sizeof(LOGFONTA) == 60, "the logical font has no pointer: 60 bytes on both");
static_assert(!kWin32 || kPrintDlg == 66, "the 32-bit print record is 66 bytes (packed)");
static_assert(!kWin32 || kFindReplace == 40, "the 32-bit find record is 40 bytes");

}  // namespace record_size
