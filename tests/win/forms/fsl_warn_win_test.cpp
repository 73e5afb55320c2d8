// The missing-FSL warning as a user meets it. A scripted user plays one step per timer tick
// once the warning is up, finding its controls by window class and caption.
#include "forms/fsl_warn_win.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "testing/watchdog_win.h"

namespace {

const bool kWatchdog = StartWatchdog(240);

using Step = std::function<void(HWND warning)>;
std::vector<Step>* g_steps;
size_t g_tick;  // the next step to play, then the idle ticks past the last

BOOL CALLBACK FindWarningWindow(HWND window, LPARAM found) {
  char name[32] = "";
  GetClassNameA(window, name, sizeof name);
  if (std::strcmp(name, "TFSLWarn") != 0 || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// Plays the next step while the warning is up; closes a warning left open after the last one.
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  HWND warning = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindWarningWindow, reinterpret_cast<LPARAM>(&warning));
  if (!warning || !g_steps) return;
  size_t tick = g_tick++;
  if (tick < g_steps->size()) (*g_steps)[tick](warning);
  else if (tick == g_steps->size() + 25) PostMessageA(warning, WM_CLOSE, 0, 0);
}

bool RunWarning(std::vector<Step> steps, int32_t helpContext = 0, HWND owner = nullptr,
                const std::string& dataFile = "x.dat") {
  g_steps = &steps;
  g_tick = 0;
  UINT_PTR timer = SetTimer(nullptr, 0, 20, Tick);
  bool answer = ShowFSLWarning(dataFile, helpContext, owner);
  KillTimer(nullptr, timer);
  g_steps = nullptr;
  EXPECT_GE(g_tick, steps.size()) << "the warning closed before every step was played";
  EXPECT_LE(g_tick, steps.size() + 25) << "the warning stayed open after the last step";
  return answer;
}

Step Click(const char* caption) {
  return [caption](HWND warning) {
    HWND button = FindWindowExA(warning, nullptr, "Button", caption);
    ASSERT_NE(nullptr, button) << "no button " << caption;
    SendMessageA(button, BM_CLICK, 0, 0);
  };
}

HWND MakeWindow(HWND parent = nullptr) {
  return CreateWindowExA(0, "Static", "", parent ? WS_CHILD | WS_VISIBLE : WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                         50, 20, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// Given the open dialog's custom area, a child window, the warning is owned by that dialog's
// top-level window; every other window of the thread is disabled while it runs.
TEST(FSLWarning, ShowsItsControlsOverTheDialogWithTheThreadsWindowsDisabled) {
  HWND dialog = MakeWindow(), area = MakeWindow(dialog), bystander = MakeWindow(), disabled = MakeWindow();
  EnableWindow(disabled, FALSE);
  auto inspect = [&](HWND warning) {
    // In tab order, which is the order of the child windows; positions in the client area at
    // 96 pixels per inch, the screen's here.
    struct Case {
      const char* windowClass;
      const char* caption;
      DWORD type;  // BS_TYPEMASK of a button, SS_TYPEMASK of a static
      bool visible;
      RECT rect;   // left, top, right, bottom
    } cases[] = {
        {"Static", "You did not specify a Final Storage Label (FSL) file.  Selecting an FSL file allows column "
                   "headers and time stamps to be displayed.", SS_LEFT, true, {8, 16, 316, 42}},
        {"Button", "Never show this warning again", BS_AUTOCHECKBOX, false, {8, 48, 185, 65}},
        {"Button", "&Help", BS_PUSHBUTTON, true, {264, 120, 339, 145}},
        {"Button", "&OK", BS_DEFPUSHBUTTON, true, {176, 120, 251, 145}},
        {"Button", "I want to select an FSL file", BS_AUTORADIOBUTTON, true, {8, 72, 161, 89}},
        {"Button", "I do not want an FSL file for this data file", BS_AUTORADIOBUTTON, true, {8, 96, 233, 113}},
    };
    HWND child = GetWindow(warning, GW_CHILD);
    for (const Case& c : cases) {
      HWND control = FindWindowExA(warning, nullptr, c.windowClass, c.caption);
      ASSERT_NE(nullptr, control) << "no " << c.windowClass << " " << c.caption;
      DWORD style = GetWindowLongA(control, GWL_STYLE) & (*c.windowClass == 'S' ? SS_TYPEMASK : BS_TYPEMASK);
      EXPECT_EQ(c.type, style) << c.caption << ": wrong kind of control (or default button)";
      EXPECT_EQ(c.visible, IsWindowVisible(control) != 0) << c.caption << ": visibility";
      RECT r{};
      GetWindowRect(control, &r);
      MapWindowPoints(nullptr, warning, reinterpret_cast<POINT*>(&r), 2);
      EXPECT_EQ(c.rect.left, r.left) << c.caption;
      EXPECT_EQ(c.rect.top, r.top) << c.caption;
      EXPECT_EQ(c.rect.right, r.right) << c.caption;
      EXPECT_EQ(c.rect.bottom, r.bottom) << c.caption;
      EXPECT_EQ(child, control) << c.caption << ": out of tab order";
      child = GetWindow(child, GW_HWNDNEXT);
    }
    RECT client{}, frame{};
    GetClientRect(warning, &client);
    GetWindowRect(warning, &frame);
    EXPECT_EQ(347, client.right) << "client width";
    EXPECT_EQ(152, client.bottom) << "client height";
    EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2, frame.left) << "not centred";
    EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2, frame.top) << "not centred";
    char caption[128] = "";
    GetWindowTextA(warning, caption, sizeof caption);
    EXPECT_STREQ("No FSL file selected for C:\\100%s.dat", caption) << "the file name was not put in as it is";
    EXPECT_EQ(dialog, GetWindow(warning, GW_OWNER)) << "not owned by the dialog's top-level window";
    for (HWND window : {dialog, bystander})
      EXPECT_FALSE(IsWindowEnabled(window)) << (window == dialog ? "owner" : "bystander") << " enabled during the run";
  };
  EXPECT_TRUE(RunWarning({inspect, Click("&OK")}, 0, area, "C:\\100%s.dat"));
  for (HWND window : {dialog, bystander})
    EXPECT_TRUE(IsWindowEnabled(window)) << (window == dialog ? "owner" : "bystander") << " not re-enabled after";
  EXPECT_FALSE(IsWindowEnabled(disabled)) << "a window disabled before the run was enabled after it";
  for (HWND window : {dialog, bystander, disabled}) DestroyWindow(window);
}

// A key press as the keyboard delivers it: to the focused window, through the form's loop.
Step Key(WPARAM key) {
  return [key](HWND) {
    PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
    PostMessageA(GetFocus(), WM_KEYUP, key, 0xC0000001);
  };
}

TEST(FSLWarning, AnswersByTheChoiceAndHowTheWarningCloses) {
  const Step enter = Key(VK_RETURN), tab = Key(VK_TAB);
  const char* kNoFsl = "I do not want an FSL file for this data file";
  struct Case {
    const char* what;
    std::vector<Step> steps;
    bool answer;
  } cases[] = {
      {"OK as it opens", {Click("&OK")}, true},
      {"the other choice, then OK", {Click(kNoFsl), Click("&OK")}, false},
      {"closed from the system menu", {[](HWND w) { PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0); }}, false},
      {"Enter as it opens", {enter}, true},
      // Tab goes round Help, OK and the radio group's one stop, which the platform's buttons
      // move with the check: the choice stays (a radio button that gets the focus by Tab would
      // check itself).
      {"the other choice, Tab round, Enter", {Click(kNoFsl), tab, tab, tab, enter}, false},
      {"the other choice, Tab round twice, Enter", {Click(kNoFsl), tab, tab, tab, tab, tab, tab, enter}, false},
      {"WM_QUIT during the run (last: it is posted again)", {[](HWND) { PostQuitMessage(5); }}, false},
  };
  for (Case& c : cases) EXPECT_EQ(c.answer, RunWarning(c.steps)) << c.what;
  MSG quit{};
  EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "WM_QUIT swallowed by the run";
  EXPECT_EQ(5u, quit.wParam) << "WM_QUIT posted again with another exit code";
}

std::vector<LPARAM> g_helpRequests;  // message, wParam, lParam of each

LRESULT CALLBACK HelpWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == 0x0F1F) g_helpRequests.insert(g_helpRequests.end(), {LPARAM(message), LPARAM(wParam), lParam});
  return message == 0x0F1F ? 0 : DefWindowProcA(window, message, wParam, lParam);
}

// -2147483648 lies outside the platform's help-context range; it is sent unchanged all the same.
TEST(FSLWarning, HelpSendsTheContextToTheHelpWindowAndStaysOpen) {
  HWND help = MakeWindow();
  SetWindowLongPtrA(help, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HelpWindowProc));
  SetHelpRequestWindow(help);
  for (int32_t context : {4711, INT32_MIN}) {
    g_helpRequests.clear();
    EXPECT_TRUE(RunWarning({Click("&Help"), Click("&Help"), Click("&OK")}, context)) << "OK after Help, " << context;
    EXPECT_EQ((std::vector<LPARAM>{0x0F1F, 1, context, 0x0F1F, 1, context}), g_helpRequests)
        << "two Help clicks with context " << context << " did not send two requests";
  }
  SetHelpRequestWindow(nullptr);
  DestroyWindow(help);
}

}  // namespace
