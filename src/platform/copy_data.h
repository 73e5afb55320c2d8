// The WM_COPYDATA record: a 32-bit code and a block of bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/win32.h"
#include "server/dlgprotocol.h"

struct CopyDataMessage {
  uint32_t code = 0;
  std::string data;
};

// The largest WM_COPYDATA payload, in bytes, that this system sends between processes under
// Wine. Wine copies the data onto the receiving thread's stack when it calls the window
// procedure, so what arrives is the receiver's stack reserve (2 MiB in our programs, the
// linker's default) less the stack in use at that moment. Measured under Wine 8.0 by
// bisection: a bare receiver takes 2,081,504 bytes and not 2,081,505; dlgrun, waiting for its
// reply, takes 2,040,000 but not 2,070,000; a receiver linked with an 8 MiB stack takes
// 6,000,000. Beyond the limit the receiver never sees the message: the sender gets 0 at once,
// or, a little further (about 2.09 MB here), waits out its whole time-out (a plain SendMessage
// waits for ever). The limit keeps a margin of about 95 KB below the 2 MiB for the stack in use.
constexpr size_t kWineCopyDataLimit = DLG_WINE_COPY_DATA_LIMIT;
// Windows carries whatever fits in memory.
constexpr size_t kNoCopyDataLimit = SIZE_MAX;

// True under Wine: its ntdll exports wine_get_version (looked up, not imported).
bool RunningOnWine();
// The largest payload this platform carries across processes: kWineCopyDataLimit under Wine,
// kNoCopyDataLimit on Windows.
size_t CopyDataLimit();
// True when a payload of `size` bytes arrives where at most `limit` bytes do.
inline bool CopyDataFits(size_t size, size_t limit) { return size <= limit; }
// "request of N bytes is larger than this platform can carry (at most M bytes)": the client's
// refusal before it sends, and the server's report of a request it received anyway.
std::string RequestTooLargeText(size_t size, size_t limit);

// Reads the record a WM_COPYDATA's lParam points to. False, with nothing read, for a null
// record or a record announcing data at a null address.
bool ReadCopyData(LPARAM lParam, CopyDataMessage& message);

// Sends WM_COPYDATA {code, data} to `to` with `from` as wParam and answers the receiver's
// result (0 when `to` is no window). Empty data goes as cbData 0 and no address.
LRESULT SendCopyData(HWND to, HWND from, uint32_t code, const void* data = nullptr, size_t size = 0);
// As SendCopyData, giving up after `timeoutMs`; false when the send failed or timed out.
bool SendCopyDataTimeout(HWND to, HWND from, uint32_t code, const std::string& data,
                         UINT timeoutMs, LRESULT* result);
bool SendCopyDataTimeout(HWND to, HWND from, uint32_t code, const void* data, size_t size,
                         UINT timeoutMs, LRESULT* result);
