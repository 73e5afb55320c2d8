// The Windows headers, included in one place with one configuration. Windows-only code includes
// this instead of <windows.h>. NOMINMAX is also defined for every file of the Windows build, so
// that a header of ours that includes <windows.h> itself (the client library's public headers,
// which leave the includer's macros as they are) cannot bring in min and max first.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>
