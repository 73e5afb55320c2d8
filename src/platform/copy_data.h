// The WM_COPYDATA record: a 32-bit code and a block of bytes.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win32.h"

struct CopyDataMessage {
  uint32_t code = 0;
  std::string data;
};

// Reads the record a WM_COPYDATA's lParam points to. False, with nothing read, for a null
// record or a record announcing data at a null address.
bool ReadCopyData(LPARAM lParam, CopyDataMessage& message);

// Sends WM_COPYDATA {code, data} to `to` with `from` as wParam and answers the receiver's
// result (0 when `to` is no window). Empty data goes as cbData 0 and no address.
LRESULT SendCopyData(HWND to, HWND from, uint32_t code, const void* data = nullptr, size_t size = 0);
// As SendCopyData, giving up after `timeoutMs`; false when the send failed or timed out.
bool SendCopyDataTimeout(HWND to, HWND from, uint32_t code, const std::string& data,
                         UINT timeoutMs, LRESULT* result);
