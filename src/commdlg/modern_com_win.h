// The few COM calls the modern file dialog needs. ole32 is not imported: it would load before
// the server's ready notice. The calls are looked up when the first modern dialog runs (shell32
// is loaded by then, with the dialog library).
#pragma once

#include <shobjidl.h>

#include <string>

#include "platform/win32.h"

struct ComCalls {
  HRESULT(WINAPI* initialize)(LPVOID, DWORD) = nullptr;
  void(WINAPI* uninitialize)() = nullptr;
  HRESULT(WINAPI* createInstance)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*) = nullptr;
  void(WINAPI* freeMemory)(LPVOID) = nullptr;
  HRESULT(WINAPI* itemFromPath)(PCWSTR, IBindCtx*, REFIID, void**) = nullptr;
  bool complete() const { return initialize && uninitialize && createInstance && freeMemory && itemFromPath; }
};

// The calls, looked up once; a missing one is null (complete() tells).
const ComCalls& Com();

// A text the object allocated, taken over and freed.
std::wstring TakeComText(LPWSTR text);
// The file system path of `item`; empty when it has none (or `item` is null).
std::wstring ItemPath(IShellItem* item);

template <class Interface>
void ReleaseCom(Interface*& object) {
  if (object) object->Release();
  object = nullptr;
}
