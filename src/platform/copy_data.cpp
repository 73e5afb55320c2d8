#include "platform/copy_data.h"

bool RunningOnWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

size_t CopyDataLimit() { return RunningOnWine() ? kWineCopyDataLimit : kNoCopyDataLimit; }

std::string RequestTooLargeText(size_t size, size_t limit) {
  return "request of " + std::to_string(size) + " bytes is larger than this platform can carry (at most " +
         std::to_string(limit) + " bytes)";
}

bool ReadCopyData(LPARAM lParam, CopyDataMessage& message) {
  const auto* record = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
  if (!record) return false;
  if (record->cbData > 0 && !record->lpData) return false;
  message.code = static_cast<uint32_t>(record->dwData);
  message.data.assign(static_cast<const char*>(record->lpData), record->cbData);
  return true;
}

namespace {
COPYDATASTRUCT Record(uint32_t code, const void* data, size_t size) {
  COPYDATASTRUCT record{};
  record.dwData = code;
  record.cbData = static_cast<DWORD>(size);
  record.lpData = size ? const_cast<void*>(data) : nullptr;
  return record;
}
}  // namespace

LRESULT SendCopyData(HWND to, HWND from, uint32_t code, const void* data, size_t size) {
  COPYDATASTRUCT record = Record(code, data, size);
  return SendMessageA(to, WM_COPYDATA, reinterpret_cast<WPARAM>(from),
                      reinterpret_cast<LPARAM>(&record));
}

bool SendCopyDataTimeout(HWND to, HWND from, uint32_t code, const std::string& data,
                         UINT timeoutMs, LRESULT* result) {
  return SendCopyDataTimeout(to, from, code, data.data(), data.size(), timeoutMs, result);
}

bool SendCopyDataTimeout(HWND to, HWND from, uint32_t code, const void* data, size_t size,
                         UINT timeoutMs, LRESULT* result) {
  COPYDATASTRUCT record = Record(code, data, size);
  DWORD_PTR answer = 0;
  LRESULT ok = SendMessageTimeoutA(to, WM_COPYDATA, reinterpret_cast<WPARAM>(from),
                                   reinterpret_cast<LPARAM>(&record), SMTO_NORMAL, timeoutMs,
                                   &answer);
  if (result) *result = static_cast<LRESULT>(answer);
  return ok != 0;
}
