#include "forms/fsl_warn_win.h"

#include "base/format.h"
#include "forms/form_win.h"
#include "forms/fsl_warn.h"
#include "server/protocol.h"

namespace {

constexpr char kFormResource[] = "TFSLWARN";

// The owner of the next warning window, taken once when that window is created.
HWND g_warnParentWnd = nullptr;
HWND g_helpWindow = nullptr;

class FSLWarnWindow : public FormWindow {
 public:
  using FormWindow::FormWindow;

 protected:
  void fillWindowParams(WindowParams& params) override {
    FormWindow::fillWindowParams(params);
    params.owner = g_warnParentWnd;
    g_warnParentWnd = nullptr;
  }
};

}  // namespace

void SendHelpRequest(int32_t helpContext) {
  if (g_helpWindow) SendMessageA(g_helpWindow, protocol::kHelpRequest, 1, static_cast<LPARAM>(helpContext));
}

void SetHelpRequestWindow(HWND window) { g_helpWindow = window; }

bool ShowFSLWarning(const std::string& dataFile, int32_t helpContext, HWND owner) {
  g_warnParentWnd = owner;
  struct Forget {
    ~Forget() { g_warnParentWnd = nullptr; }  // also when no window was made
  } forget;
  TFSLWarn form(nullptr);
  ReadFormResource(form, kFormResource);
  // Every 32-bit context is passed on, -2147483648 included: it lies outside the platform's
  // help-context range, but refusing it here would lose the file the user has just accepted.
  form.FHelpContext = helpContext;
  form.FCaption = Format(form.FCaption.c_str(), {dataFile});
  form.onHelpRequest = SendHelpRequest;
  FSLWarnWindow window(form);
  return window.showModal() == mrOk;
}
