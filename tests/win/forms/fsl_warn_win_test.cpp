// The missing-FSL warning as a user meets it: its window and controls, the answer for each way
// of leaving it, the help request, and the modal run's effect on the thread's other windows. A
// scripted user plays one step per timer tick once the warning is up, finding its controls by
// window class and caption as a driver in another process would.
#include "forms/fsl_warn_win.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "forms/form_win.h"
#include "testing/watchdog_win.h"

namespace {

const bool kWatchdog = StartWatchdog(240);

constexpr char kHelpCaption[] = "&Help";
constexpr char kOkCaption[] = "&OK";
constexpr char kWantCaption[] = "I want to select an FSL file";
constexpr char kNoFSLCaption[] = "I do not want an FSL file for this data file";
constexpr char kCheckBoxCaption[] = "Never show this warning again";
constexpr char kLabelCaption[] =
    "You did not specify a Final Storage Label (FSL) file.  Selecting an FSL file allows column headers "
    "and time stamps to be displayed.";

using Step = std::function<void(HWND warning)>;

struct Script {
  std::vector<Step> steps;
  size_t next = 0;
  int idleTicks = 0;
  bool stuck = false;
};
Script* g_script = nullptr;

BOOL CALLBACK FindWarningWindow(HWND window, LPARAM found) {
  char name[32] = "";
  GetClassNameA(window, name, sizeof name);
  if (std::strcmp(name, "TFSLWarn") != 0 || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

HWND FindWarning() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindWarningWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

// Plays the next step while the warning is up; a warning left open after the last step is
// closed, and the run marked as stuck.
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  HWND warning = FindWarning();
  if (!warning || !g_script) return;
  if (g_script->next < g_script->steps.size()) {
    g_script->steps[g_script->next++](warning);
  } else if (++g_script->idleTicks == 25) {
    g_script->stuck = true;
    PostMessageA(warning, WM_CLOSE, 0, 0);
  }
}

bool RunWarning(std::vector<Step> steps, const std::string& dataFile = "C:\\Data\\Run1.dat",
                int32_t helpContext = 0, HWND owner = nullptr) {
  Script script{std::move(steps)};
  g_script = &script;
  UINT_PTR timer = SetTimer(nullptr, 0, 20, Tick);
  bool answer = ShowFSLWarning(dataFile, helpContext, owner);
  KillTimer(nullptr, timer);
  g_script = nullptr;
  EXPECT_EQ(script.steps.size(), script.next) << "the warning closed before every step was played";
  EXPECT_FALSE(script.stuck) << "the warning stayed open after the last step";
  return answer;
}

HWND Button(HWND warning, const char* caption) { return FindWindowExA(warning, nullptr, "Button", caption); }

Step Click(const char* caption) {
  return [caption](HWND warning) {
    HWND button = Button(warning, caption);
    ASSERT_NE(nullptr, button) << caption;
    SendMessageA(button, BM_CLICK, 0, 0);
  };
}

// A key as the keyboard would deliver it: posted to the focused window, through the form's loop.
Step Key(WPARAM key) {
  return [key](HWND) {
    PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
    PostMessageA(GetFocus(), WM_KEYUP, key, 0xC0000001);
  };
}

std::string Text(HWND window) {
  char text[512] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

int ScreenPixelsPerInch() {
  HDC dc = GetDC(nullptr);
  int ppi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return ppi;
}

int Scaled(int value) { return MulDiv(value, ScreenPixelsPerInch(), 96); }

// A plain top-level window of the test.
HWND MakeWindow(const char* title, bool visible) {
  static const bool registered = [] {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "FormsTestWindow";
    return RegisterClassA(&windowClass) != 0;
  }();
  EXPECT_TRUE(registered);
  return CreateWindowExA(0, "FormsTestWindow", title, WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0), 10, 10,
                         200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

TEST(FSLWarning, ShowsTheDescribedControls) {
  struct Case {
    const char* windowClass;
    const char* caption;
    DWORD type;  // BS_TYPEMASK of a button, SS_TYPEMASK of a static
    bool visible;
    int left, top, width, height;
    int id;
  } cases[] = {
      {"Static", kLabelCaption, SS_LEFT, true, 8, 16, 308, 26, kFirstControlId + 0},
      {"Button", kCheckBoxCaption, BS_AUTOCHECKBOX, false, 8, 48, 177, 17, kFirstControlId + 1},
      {"Button", kHelpCaption, BS_PUSHBUTTON, true, 264, 120, 75, 25, kFirstControlId + 2},
      {"Button", kOkCaption, BS_DEFPUSHBUTTON, true, 176, 120, 75, 25, kFirstControlId + 3},
      {"Button", kWantCaption, BS_AUTORADIOBUTTON, true, 8, 72, 153, 17, kFirstControlId + 4},
      {"Button", kNoFSLCaption, BS_AUTORADIOBUTTON, true, 8, 96, 225, 17, kFirstControlId + 5},
  };
  HWND owner = MakeWindow("owner", true);
  auto inspect = [&](HWND warning) {
    for (const Case& c : cases) {
      HWND control = FindWindowExA(warning, nullptr, c.windowClass, c.caption);
      ASSERT_NE(nullptr, control) << c.caption;
      DWORD style = static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE));
      DWORD typeMask = std::strcmp(c.windowClass, "Static") == 0 ? SS_TYPEMASK : BS_TYPEMASK;
      EXPECT_EQ(c.type, style & typeMask) << c.caption;
      EXPECT_EQ(c.visible, IsWindowVisible(control) != 0) << c.caption;
      EXPECT_EQ(c.id, GetDlgCtrlID(control)) << c.caption;
      RECT rect;
      GetWindowRect(control, &rect);
      MapWindowPoints(nullptr, warning, reinterpret_cast<POINT*>(&rect), 2);
      EXPECT_EQ((std::vector<long>{Scaled(c.left), Scaled(c.top), Scaled(c.width), Scaled(c.height)}),
                (std::vector<long>{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top}))
          << c.caption;
      LOGFONTA font{};
      GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font, &font);
      EXPECT_STREQ("MS Sans Serif", font.lfFaceName) << c.caption;
      EXPECT_EQ(Scaled(-12), font.lfHeight) << c.caption;
    }
    EXPECT_EQ("No FSL file selected for C:\\Data\\Run1.dat", Text(warning));
    EXPECT_EQ(owner, GetWindow(warning, GW_OWNER));
    EXPECT_EQ(Button(warning, kWantCaption), GetFocus()) << "the active control has the focus";
    EXPECT_EQ(BST_CHECKED, SendMessageA(Button(warning, kWantCaption), BM_GETCHECK, 0, 0));
    EXPECT_EQ(BST_UNCHECKED, SendMessageA(Button(warning, kNoFSLCaption), BM_GETCHECK, 0, 0));
    EXPECT_EQ(MAKELRESULT(kFirstControlId + 3, DC_HASDEFID), SendMessageA(warning, DM_GETDEFID, 0, 0));
    RECT client, frame;
    GetClientRect(warning, &client);
    EXPECT_EQ((std::vector<long>{Scaled(347), Scaled(152)}), (std::vector<long>{client.right, client.bottom}));
    GetWindowRect(warning, &frame);
    EXPECT_NEAR(GetSystemMetrics(SM_CXSCREEN) / 2, (frame.left + frame.right) / 2, 1) << "centred on the screen";
    EXPECT_NEAR(GetSystemMetrics(SM_CYSCREEN) / 2, (frame.top + frame.bottom) / 2, 1) << "centred on the screen";
    LONG frameStyle = GetWindowLongA(warning, GWL_STYLE);
    EXPECT_EQ(WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, frameStyle & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  };
  EXPECT_TRUE(RunWarning({inspect, Click(kOkCaption)}, "C:\\Data\\Run1.dat", 0, owner));
  DestroyWindow(owner);
}

TEST(FSLWarning, AnswersByTheChoiceAndHowTheWarningCloses) {
  auto close = [](HWND warning) { PostMessageA(warning, WM_SYSCOMMAND, SC_CLOSE, 0); };
  struct Case {
    const char* what;
    std::vector<Step> steps;
    bool answer;
  } cases[] = {
      {"OK as it opens", {Click(kOkCaption)}, true},
      {"the other choice, then OK", {Click(kNoFSLCaption), Click(kOkCaption)}, false},
      {"the other choice and back, then OK", {Click(kNoFSLCaption), Click(kWantCaption), Click(kOkCaption)}, true},
      {"Enter as it opens", {Key(VK_RETURN)}, true},
      {"the other choice, then Enter", {Click(kNoFSLCaption), Key(VK_RETURN)}, false},
      {"Escape (no cancel button), then OK", {Key(VK_ESCAPE), Click(kOkCaption)}, true},
      {"closed from the system menu", {close}, false},
  };
  for (Case& c : cases) EXPECT_EQ(c.answer, RunWarning(c.steps)) << c.what;
}

std::vector<std::vector<LPARAM>> g_helpRequests;  // {message, wParam, lParam}

LRESULT CALLBACK HelpWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == 0x0F1F) {
    g_helpRequests.push_back({static_cast<LPARAM>(message), static_cast<LPARAM>(wParam), lParam});
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// -2147483648 lies outside the platform's help-context range: it is sent as it is, as the
// other contexts are, and the warning still answers.
TEST(FSLWarning, HelpSendsTheContextToTheHelpWindowAndStaysOpen) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = HelpWindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "FormsTestHelp";
  RegisterClassA(&windowClass);
  HWND help = CreateWindowExA(0, "FormsTestHelp", "", 0, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  SetHelpRequestWindow(help);
  for (int32_t context : {4711, INT32_MIN}) {
    g_helpRequests.clear();
    EXPECT_TRUE(RunWarning({Click(kHelpCaption), Click(kHelpCaption), Click(kOkCaption)}, "x.dat", context))
        << context;
    std::vector<LPARAM> request = {0x0F1F, 1, static_cast<LPARAM>(context)};
    EXPECT_EQ((std::vector<std::vector<LPARAM>>{request, request}), g_helpRequests) << context;
  }
  g_helpRequests.clear();
  EXPECT_TRUE(RunWarning({Key(VK_TAB), Key(VK_RETURN), Click(kOkCaption)}, "x.dat", 7))
      << "Tab from the radio buttons reaches Help, and Enter presses the focused button";
  EXPECT_EQ((std::vector<std::vector<LPARAM>>{{0x0F1F, 1, 7}}), g_helpRequests);
  SetHelpRequestWindow(nullptr);
  DestroyWindow(help);
}

TEST(FSLWarning, DisablesTheThreadsOtherWindowsWhileItRuns) {
  HWND owner = MakeWindow("owner", true);
  HWND bystander = MakeWindow("bystander", true);
  HWND disabledBefore = MakeWindow("disabled before", true);
  EnableWindow(disabledBefore, FALSE);
  // The server passes the open dialog's custom area, a child window: the platform makes its
  // top-level window the owner.
  HWND area = CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, owner, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  auto check = [&](HWND warning) {
    EXPECT_EQ(owner, GetWindow(warning, GW_OWNER));
    EXPECT_FALSE(IsWindowEnabled(owner));
    EXPECT_FALSE(IsWindowEnabled(bystander));
    EXPECT_FALSE(IsWindowEnabled(disabledBefore));
  };
  EXPECT_TRUE(RunWarning({check, Click(kOkCaption)}, "x.dat", 0, area));
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_TRUE(IsWindowEnabled(bystander));
  EXPECT_FALSE(IsWindowEnabled(disabledBefore)) << "a window disabled before the run stays disabled";
  EXPECT_EQ(nullptr, FindWarning()) << "the warning window is gone";
  for (HWND window : {owner, bystander, disabledBefore}) DestroyWindow(window);
}

TEST(FSLWarning, QuitDuringTheRunAnswersFalseAndIsPostedAgain) {
  EXPECT_FALSE(RunWarning({[](HWND) { PostQuitMessage(5); }}));
  MSG message{};
  ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "WM_QUIT posted again";
  EXPECT_EQ(5u, message.wParam);
}

TEST(FSLWarning, CaptionNamesTheDataFile) {
  struct Case {
    const char* dataFile;
    const char* caption;
  } cases[] = {
      {"C:\\Data\\Run1.dat", "No FSL file selected for C:\\Data\\Run1.dat"},
      {"", "No FSL file selected for "},
      {"C:\\100%s.dat", "No FSL file selected for C:\\100%s.dat"},
  };
  for (const Case& c : cases) {
    std::string seen;
    RunWarning({[&seen](HWND warning) { seen = Text(warning); }, Click(kOkCaption)}, c.dataFile);
    EXPECT_EQ(c.caption, seen);
  }
}

}  // namespace
