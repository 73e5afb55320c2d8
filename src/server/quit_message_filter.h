// While a dialog runs, a quit message posted to the server's thread (by anyone: any program can
// post one) would end the platform's modal loop as if the dialog had been accepted. The filter
// turns every quit message this thread takes into a message that does nothing, for as long as
// it lives; only the dialog's own buttons end the dialog.
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
