#include "forms/fsl_warn_win.h"

#include <utility>

#include "base/format.h"
#include "forms/form_win.h"
#include "forms/fsl_warn.h"
#include "platform/ansi_text.h"
#include "server/protocol.h"

namespace {

constexpr char kFormResource[] = "TFSLWARN";

// The owner of the next warning window, taken once when that window is created.
HWND g_warnParentWnd = nullptr;
HWND g_helpWindow = nullptr;

class FSLWarnWindow : public FormWindow {
 public:
  FSLWarnWindow(TForm& form, std::wstring unicodeCaption) : FormWindow(form), unicodeCaption_(std::move(unicodeCaption)) {}

 protected:
  void fillWindowParams(WindowParams& params) override {
    FormWindow::fillWindowParams(params);
    params.unicodeCaption = unicodeCaption_;
    params.owner = g_warnParentWnd;
    g_warnParentWnd = nullptr;
  }

 private:
  std::wstring unicodeCaption_;
};

// The long path of `path` where the code page cannot express it, else nothing. The dialog
// answers such a data file by its short path, which the user does not recognise.
std::wstring LossyLongPath(const std::string& path) {
  const std::wstring wide = FromAnsi(path);
  DWORD size = GetLongPathNameW(wide.c_str(), nullptr, 0);
  if (size == 0) return std::wstring();
  std::wstring result(size, L'\0');
  result.resize(GetLongPathNameW(wide.c_str(), &result[0], size));
  return SurvivesAnsi(result) ? std::wstring() : result;
}

// `caption`, made with `dataFile` in it, with the data file's long path in its place where the
// code page cannot express that path; else nothing.
std::wstring UnicodeCaption(const std::string& caption, const std::string& dataFile) {
  const std::wstring longPath = LossyLongPath(dataFile);
  const size_t at = caption.rfind(dataFile);
  if (longPath.empty() || dataFile.empty() || at == std::string::npos) return std::wstring();
  return FromAnsi(caption.substr(0, at)) + longPath + FromAnsi(caption.substr(at + dataFile.size()));
}

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
  FSLWarnWindow window(form, UnicodeCaption(form.FCaption, dataFile));
  return window.showModal() == mrOk;
}
