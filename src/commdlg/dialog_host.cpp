#include "commdlg/dialog_host.h"

#include <utility>
#include <vector>

namespace {
struct HostState {
  HWND applicationHandle = nullptr;
  std::vector<std::pair<int, MessageHook>> hooks;
  int nextHookId = 1;
  UINT helpMessage = 0;
  UINT findReplaceMessage = 0;
  bool newStyleControls = false;
  bool ctl3D = false;
  HelpHandler helpHandler;
};

HostState& State() {
  static HostState state;
  return state;
}
}  // namespace

HWND ApplicationHandle() { return State().applicationHandle; }
void SetApplicationHandle(HWND window) { State().applicationHandle = window; }

int AddApplicationMessageHook(MessageHook hook) {
  int id = State().nextHookId++;
  State().hooks.emplace_back(id, std::move(hook));
  return id;
}

void RemoveApplicationMessageHook(int id) {
  auto& hooks = State().hooks;
  for (auto it = hooks.begin(); it != hooks.end(); ++it)
    if (it->first == id) {
      hooks.erase(it);
      return;
    }
}

bool OfferApplicationMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // A hook may remove itself or others while it runs: walk a copy.
  auto hooks = State().hooks;
  for (auto& entry : hooks)
    if (entry.second(message, wParam, lParam)) return true;
  return false;
}

UINT HelpMessage() { return State().helpMessage; }
UINT FindReplaceMessage() { return State().findReplaceMessage; }
void RegisterDialogMessages() {
  State().helpMessage = RegisterWindowMessageA("commdlg_help");
  State().findReplaceMessage = RegisterWindowMessageA("commdlg_FindReplace");
}

bool NewStyleControls() { return State().newStyleControls; }
void SetNewStyleControls(bool on) { State().newStyleControls = on; }

bool Ctl3DFlag() { return State().ctl3D; }
void SetCtl3DFlag(bool on) { State().ctl3D = on; }

void SetHelpHandler(HelpHandler handler) { State().helpHandler = std::move(handler); }
void ShowHelpContext(int32_t helpContext) {
  if (State().helpHandler) State().helpHandler(helpContext);
}
