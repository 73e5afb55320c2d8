// The Windows headers, included in one place with one configuration. Windows-only code includes
// this instead of <windows.h>.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

// The class registry of objects/ has a RegisterClass of its own; window classes are
// registered with RegisterClassA by name.
#undef RegisterClass
