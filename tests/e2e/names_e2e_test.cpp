// File names the program's code page (1252 here) cannot express, end to end: real files with
// Japanese, Greek and Latin-extended names under Wine, picked in the real dialogs of the real
// server. Such a name comes back as its short path, which opens the file the user chose; a name
// the code page has comes back byte for byte; a typed name of a file that cannot be made is
// refused while the dialog stays open.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "client/auto_driver.h"
#include "client/dialog_client.h"
#include "platform/window_query.h"
#include "server/protocol.h"
#include "testing/file_dialog_style_win.h"
#include "testing/program_run_win.h"
#include "testing/watchdog_win.h"

namespace {

const bool kWatchdog = StartWatchdog(400);

const std::wstring kJapanese = L"\u65E5\u672C\u8A9E";           // not in code page 1252
const std::wstring kGreek = L"\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC";
const std::wstring kAMacron = L"\u0101";                          // "a" in the code page's best fit
const std::wstring kCafe = L"caf\u00E9";                          // in code page 1252

std::string Ansi(const std::wstring& text) {
  std::string out(text.size() * 2 + 1, '\0');
  out.resize(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), &out[0],
                                                     static_cast<int>(out.size()), nullptr, nullptr)));
  return out;
}

std::string ShortPath(const std::wstring& path) {
  wchar_t buffer[MAX_PATH] = {};
  GetShortPathNameW(path.c_str(), buffer, MAX_PATH);
  return Ansi(buffer);
}

std::string ShortName(const std::wstring& path) {
  const std::string shortPath = ShortPath(path);
  return shortPath.substr(shortPath.find_last_of('\\') + 1);
}

// C:\dlg-names-PID with a folder per case, each holding only the files that case picks from.
class NamesFolder {
 public:
  NamesFolder() : dir_(L"C:\\dlg-names-" + std::to_wstring(GetCurrentProcessId())) {
    CreateDirectoryW(dir_.c_str(), nullptr);
    for (const wchar_t* folder : {L"jp", L"greek", L"amacron", L"cafe", L"multi", L"fsl", L"save"})
      CreateDirectoryW((dir_ + L"\\" + folder).c_str(), nullptr);
    write(L"jp\\" + kJapanese + L".dat", "japanese");
    write(L"greek\\" + kGreek + L".dat", "greek");
    write(L"amacron\\" + kAMacron + L".dat", "a-macron");
    write(L"cafe\\" + kCafe + L".dat", "cafe");
    write(L"multi\\" + kJapanese + L".dat", "japanese");
    write(L"multi\\" + kCafe + L".dat", "cafe");
    write(L"fsl\\" + kJapanese + L".dat", "data");
    write(L"fsl\\" + kJapanese + L".fsl", "label");
    // The key is the data file's complete short path; the value is expanded to long names,
    // but for a name the code page lacks, which stays short.
    std::ofstream(dir("fsl") + "\\assoc.ini", std::ios::binary)
        << "[FSLAssociations]\r\n" << ShortPath(path(L"fsl\\" + kJapanese + L".dat")) << "="
        << ShortPath(path(L"fsl\\" + kJapanese + L".fsl")) << "\r\n";
  }
  ~NamesFolder() {
    for (const std::wstring& file : files_) DeleteFileW(file.c_str());
    DeleteFileA((dir("fsl") + "\\assoc.ini").c_str());
    for (const wchar_t* folder : {L"jp", L"greek", L"amacron", L"cafe", L"multi", L"fsl", L"save"})
      RemoveDirectoryW((dir_ + L"\\" + folder).c_str());
    RemoveDirectoryW(dir_.c_str());
  }
  std::wstring path(const std::wstring& name) const { return dir_ + L"\\" + name; }
  std::string dir(const std::string& folder) const { return Ansi(dir_) + "\\" + folder; }

 private:
  void write(const std::wstring& name, const std::string& text) {
    files_.push_back(path(name));
    HANDLE file = CreateFileW(files_.back().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
  }
  std::wstring dir_;
  std::vector<std::wstring> files_;
};

NamesFolder& Names() {
  static NamesFolder names;
  return names;
}

struct Outcome {
  uint32_t code = 0;
  std::string reply, log;
};

// Runs `className` with `request` (its object's lines), worked by `steps` (none: by `idle`
// alone); `idle`, when given, runs first on every idle pass.
Outcome RunDialog(const std::string& className, const std::string& requestLines, const std::string& steps,
            std::function<void(DialogClient&)> idle = nullptr) {
  Outcome out;
  DialogClient::Options options;
  options.readyTimeoutMs = 20000;
  options.runTimeoutMs = 40000;
  options.narrate = [&out](const std::string& line) { out.log += line + "\n"; };
  std::unique_ptr<AutoDriver> driver;
  DialogClient* self = nullptr;
  options.onDialogIdle = [&] {
    if (idle) idle(*self);
    if (driver) driver->poll();
  };
  DialogClient client(options);
  self = &client;
  EXPECT_TRUE(client.launch(className)) << client.failure();
  EXPECT_TRUE(client.waitReady()) << client.failure();
  if (!steps.empty()) {
    std::vector<AutoStep> parsed;
    std::string error;
    EXPECT_TRUE(ParseAutoSteps(steps, parsed, &error)) << error;
    driver = std::make_unique<AutoDriver>(parsed, client.window(), client.serverThreadId(), options.narrate);
  }
  RunResult result = client.run("object X: " + className + "\r\n" + requestLines + "end\r\n");
  out.code = result.replyCode;
  out.reply = result.text;
  EXPECT_TRUE(client.waitForExit(15000)) << "the server is still running";
  return out;
}

std::string Line(const std::string& name, const std::string& value) { return "  " + name + " = " + value + "\r\n"; }

TEST(UnexpressibleNames, ChosenFilesComeBackAsNamesThatOpenThem) {
  const NamesFolder& n = Names();
  const std::string fslDir = n.dir("fsl");
  struct Case {
    const char* label;
    const char* className;
    std::string request;
    std::string steps;
    std::vector<std::string> files;  // what FileName may be (several: the first chosen, in the
    std::vector<std::string> contents;  // platform's order), and what each file holds
    std::string extra;  // another line the reply carries
  } cases[] = {
      {"Japanese", "TOpenDialog", Line("InitialDir", "'" + n.dir("jp") + "'"), "item=0,ok",
       {n.dir("jp") + "\\" + ShortName(n.path(L"jp\\" + kJapanese + L".dat"))}, {"japanese"}, ""},
      {"Greek", "TOpenDialog", Line("InitialDir", "'" + n.dir("greek") + "'"), "item=0,ok",
       {n.dir("greek") + "\\" + ShortName(n.path(L"greek\\" + kGreek + L".dat"))}, {"greek"}, ""},
      {"a best fit would make another name", "TOpenDialog", Line("InitialDir", "'" + n.dir("amacron") + "'"),
       "item=0,ok", {n.dir("amacron") + "\\" + ShortName(n.path(L"amacron\\" + kAMacron + L".dat"))}, {"a-macron"}, ""},
      {"in the code page: byte for byte", "TOpenDialog", Line("InitialDir", "'" + n.dir("cafe") + "'"), "item=0,ok",
       {n.dir("cafe") + "\\" + Ansi(kCafe) + ".dat"}, {"cafe"}, ""},
      {"several, one of each", "TOpenDialog",
       Line("InitialDir", "'" + n.dir("multi") + "'") + Line("Options", "[ofAllowMultiSelect]"), "item=0+1,ok",
       {n.dir("multi") + "\\" + ShortName(n.path(L"multi\\" + kJapanese + L".dat")),
        n.dir("multi") + "\\" + Ansi(kCafe) + ".dat"},
       {"japanese", "cafe"}, ""},
      {"FSL dialog: its FSL file found through the short path", "TFSL16OpenDialog",
       Line("Filter", "'Data|*.dat'") + Line("IniFile", "'" + fslDir + "\\assoc.ini'") +
           Line("IniFileSection", "'FSLAssociations'") + Line("InitialDir", "'" + fslDir + "'"),
       "item=0,ok", {fslDir + "\\" + ShortName(n.path(L"fsl\\" + kJapanese + L".dat"))}, {"data"},
       Line("FSLFile", "'" + fslDir + "\\" + ShortName(n.path(L"fsl\\" + kJapanese + L".fsl")) + "'")},
  };
  for (const char* style : kFileDialogStyles)
  for (const Case& c : cases) {
    FileDialogStyle use(style);
    SCOPED_TRACE(c.label);
    Outcome out = RunDialog(c.className, c.request, c.steps);
    ASSERT_EQ(protocol::kAcceptedReply, out.code) << out.log;
    size_t found = c.files.size();
    for (size_t i = 0; i < c.files.size(); ++i)
      if (out.reply.find(Line(c.className[1] == 'F' ? "Filename" : "FileName", "'" + c.files[i] + "'")) !=
          std::string::npos)
        found = i;  // the FSL dialog's property is spelt Filename
    ASSERT_LT(found, c.files.size()) << out.reply;
    EXPECT_EQ(c.contents[found], ReadWholeFile(c.files[found])) << c.files[found] << " does not open the chosen file";
    if (!c.extra.empty()) {
      EXPECT_NE(std::string::npos, out.reply.find(c.extra)) << out.reply;
    }
    EXPECT_EQ(std::string::npos, out.reply.find('?')) << out.reply;
  }
}

// Typed names the code page cannot express. A name of a file that does not exist yet (a new
// file in the save dialog, a missing FSL file) is refused: the dialog tells the user in a
// message box it owns and stays open, and nothing is replied until cancel. An existing FSL file
// typed into the FSL field is answered by its short path.
TEST(UnexpressibleNames, TypedNamesAreAnsweredByTheirShortPathOrRefused) {
  const NamesFolder& n = Names();
  const std::string refusal = "\nThe name has characters this program cannot use. Choose another name.";
  const std::string fslDir = n.dir("fsl");
  const std::string fslLines = Line("Filter", "'Data|*.dat'") + Line("IniFile", "'" + fslDir + "\\none.ini'") +
                               Line("InitialDir", "'" + fslDir + "'");
  struct Case {
    const char* label;
    const char* className;
    std::string request;
    std::wstring typed;  // into the file name box (save) or the FSL field (FSL open dialog)
    uint32_t code;
    std::wstring box;    // the message box's text, or nothing
    std::string line;    // a line the reply carries
  } cases[] = {
      {"save, a new name", "TSaveDialog", Line("InitialDir", "'" + n.dir("save") + "'"), kJapanese + L".txt",
       protocol::kCancelledReply, kJapanese + L".txt" + std::wstring(refusal.begin(), refusal.end()), ""},
      {"FSL field, an existing file", "TFSL16OpenDialog", fslLines, n.path(L"fsl\\" + kJapanese + L".fsl"),
       protocol::kAcceptedReply, L"",
       Line("FSLFile", "'" + fslDir + "\\" + ShortName(n.path(L"fsl\\" + kJapanese + L".fsl")) + "'")},
      {"FSL field, a missing file", "TFSL16OpenDialog", fslLines, n.path(L"fsl\\" + kGreek + L".fsl"),
       protocol::kCancelledReply, kGreek + L".fsl" + std::wstring(refusal.begin(), refusal.end()), ""},
  };
  for (const char* style : kFileDialogStyles)
  for (const Case& c : cases) {
    FileDialogStyle use(style);
    SCOPED_TRACE(c.label);
    const bool fsl = c.className[1] == 'F';
    std::wstring boxText;
    int stage = 0;
    auto idle = [&](DialogClient& client) {
      for (HWND window : ThreadWindows(client.serverThreadId())) {
        if (!IsWindowVisible(window) || WindowClassName(window) != "#32770") continue;
        const bool dialog = OwnerOf(window) == client.window();
        if (dialog && stage == 0) {  // type, then OK
          HWND box = GetDlgItem(window, cmb13) ? GetDlgItem(window, cmb13) : GetDlgItem(window, edt1);
          if (fsl) {
            HWND view = FindDescendantOfClass(window, "SHELLDLL_DefView");
            SelectListViewItems(FindWindowExA(view, nullptr, "SysListView32", nullptr), {0});
            box = FslFieldOf(window);
          }
          if (!box) return;
          SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.typed.c_str()));
          PostMessageA(window, WM_COMMAND, IDOK, 0);
          stage = 1;
        } else if (!dialog && stage == 1) {  // its message box: read, close, then cancel
          wchar_t text[512] = {};
          GetDlgItemTextW(window, 0xFFFF, text, 512);
          boxText = text;
          PostMessageA(window, WM_COMMAND, IDOK, 0);
          stage = 2;
        } else if (dialog && stage == 2) {
          PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
          stage = 3;
        }
      }
    };
    Outcome out = RunDialog(c.className, c.request, "", idle);
    EXPECT_EQ(c.code, out.code) << out.log;
    EXPECT_EQ(c.box, boxText);
    if (!c.line.empty()) {
      EXPECT_NE(std::string::npos, out.reply.find(c.line)) << out.reply;
    }
    EXPECT_EQ(std::string::npos, out.reply.find('?')) << out.reply;
  }
}

}  // namespace
