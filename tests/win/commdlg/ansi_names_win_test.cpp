// Answering names the code page cannot express, at the hook's OK: through the short-path seam,
// a file whose volume makes no short names is refused with a message box owned by the dialog.
// (The real dialogs with real files run in the end-to-end tests.)
#include "commdlg/ansi_names_win.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "testing/watchdog_win.h"

namespace {

const bool kWatchdog = StartWatchdog(120);

// A stand-in for the Explorer dialog's frame with its file name box (edt1).
struct Frame {
  Frame() {
    frame = CreateWindowExW(0, L"STATIC", L"Open", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    box = CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 200, 20, frame, reinterpret_cast<HMENU>(edt1), nullptr, nullptr);
  }
  ~Frame() { DestroyWindow(frame); }
  HWND frame, box;
};

// Closes the message box the dialog shows, keeping its text and owner.
std::wstring g_boxText;
HWND g_boxOwner = nullptr;
BOOL CALLBACK CloseBox(HWND window, LPARAM) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (std::wcscmp(name, L"#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  wchar_t text[512] = {};
  GetDlgItemTextW(window, 0xFFFF, text, 512);
  g_boxText = text;
  g_boxOwner = GetWindow(window, GW_OWNER);
  PostMessageW(window, WM_COMMAND, IDOK, 0);
  return FALSE;
}
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) { EnumThreadWindows(GetCurrentThreadId(), CloseBox, 0); }

TEST(AnsiNames, TypedNameOfAnExistingFileIsAnsweredByItsShortPathOrRefused) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring name = L"\u65E5\u672C\u8A9E.dat";
  const std::wstring path = std::wstring(temp) + name;
  CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  const std::string ansiPath = ToAnsi(path);
  ASSERT_NE(std::string::npos, ansiPath.find('?')) << "the code page has these characters";

  for (bool shortNames : {true, false}) {
    SCOPED_TRACE(shortNames ? "short names made" : "no short names on the volume");
    SetShortPathFunction(shortNames ? nullptr : ShortPathFunction([](const std::wstring&) { return std::wstring(); }));
    Frame f;
    SetWindowTextW(f.box, name.c_str());
    std::vector<char> buffer(ansiPath.begin(), ansiPath.end());
    buffer.resize(buffer.size() + 64, '\0');
    OPENFILENAMEA record{};
    record.lpstrFile = buffer.data();
    record.nMaxFile = static_cast<DWORD>(buffer.size());
    g_boxText.clear();
    g_boxOwner = nullptr;
    UINT_PTR timer = SetTimer(nullptr, 0, 30, Tick);
    const bool accepted = MendAnswerNames(f.frame, record);
    KillTimer(nullptr, timer);
    EXPECT_EQ(shortNames, accepted);
    if (shortNames) {
      const std::string answer = buffer.data();
      EXPECT_EQ(std::string::npos, answer.find('?')) << answer;
      EXPECT_EQ(ToAnsi(std::wstring(temp)), answer.substr(0, answer.find_last_of('\\') + 1)) << "the long folder stays";
      EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(answer.c_str())) << answer << " names no file";
      EXPECT_EQ(answer.find_last_of('\\') + 1, record.nFileOffset);
      EXPECT_TRUE(g_boxText.empty()) << "a message box for a usable name";
    } else {
      EXPECT_EQ(ansiPath, std::string(buffer.data())) << "a refused answer was changed";
      EXPECT_EQ(name + L"\nThe name has characters this program cannot use. Choose another name.", g_boxText);
      EXPECT_EQ(f.frame, g_boxOwner) << "the message box is not the dialog's";
    }
  }
  SetShortPathFunction(nullptr);
  DeleteFileW(path.c_str());
}

// Names the code page has stay byte for byte, whatever the dialog shows.
TEST(AnsiNames, NamesTheCodePageHasAreLeftAlone) {
  for (const std::wstring& text : {std::wstring(L"C:\\caf\u00E9\\a.dat"), std::wstring(L"C:\\plain.txt")}) {
    EXPECT_TRUE(SurvivesAnsi(text));
    EXPECT_EQ(ToAnsi(text), UsableAnsiPath(text));
  }
  EXPECT_FALSE(SurvivesAnsi(L"C:\\\u0101.dat")) << "a best fit is a loss too";
  Frame f;
  std::string answer = ToAnsi(L"C:\\caf\u00E9\\a.dat");
  answer.resize(answer.size() + 8, '\0');
  OPENFILENAMEA record{};
  record.lpstrFile = &answer[0];
  record.nMaxFile = static_cast<DWORD>(answer.size());
  EXPECT_TRUE(MendAnswerNames(f.frame, record));
  EXPECT_EQ(ToAnsi(L"C:\\caf\u00E9\\a.dat"), std::string(answer.c_str()));
}

}  // namespace
