// While a dialog runs, a quit message on the server's thread (posted by any program, or the
// server's own after WM_CLOSE to one of its windows) would end the platform's modal loop as if
// the dialog had been accepted. The filter turns every quit message this thread takes into a
// message that does nothing, for as long as it lives; only the dialog's own buttons end the
// dialog, and the server ends after its reply as always.
#pragma once

#include "platform/win32.h"

class QuitMessageFilter {
 public:
  QuitMessageFilter();
  ~QuitMessageFilter();
  QuitMessageFilter(const QuitMessageFilter&) = delete;
  QuitMessageFilter& operator=(const QuitMessageFilter&) = delete;

 private:
  static LRESULT CALLBACK Filter(int code, WPARAM wParam, LPARAM lParam);
  HHOOK hook_;
};
