// File names the program's code page (1252 here) cannot express, end to end: real files with
// Japanese, Greek and Latin-extended names under Wine, picked in the real dialogs of the real
// server. Such a name comes back as its short path, which opens the file the user chose; a name
// the code page has comes back byte for byte; a typed name of a file that cannot be made is
// refused while the dialog stays open.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "testing/program_run_win.h"
#include "testing/server_harness_win.h"
#include "testing/watchdog_win.h"

namespace {

const bool kWatchdog = StartWatchdog(400);

const std::wstring kJapanese = L"\u65E5\u672C\u8A9E";           // not in code page 1252
const std::wstring kGreek = L"\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC";
const std::wstring kAMacron = L"\u0101";                          // "a" in the code page's best fit
const std::wstring kCafe = L"caf\u00E9";                          // in code page 1252
const std::wstring kSigma = L"\u03A3";                            // "S" in the best fit, no such file

std::string ShortName(const std::wstring& path) {
  const std::string shortPath = ShortPath(path);
  return shortPath.substr(shortPath.find_last_of('\\') + 1);
}

// C:\dlg-names-PID with a folder per case, each holding only the files that case picks from.
class NamesFolder {
 public:
  NamesFolder() : dir_(L"C:\\dlg-names-" + std::to_wstring(GetCurrentProcessId())) {
    CreateDirectoryW(dir_.c_str(), nullptr);
    for (const std::wstring& folder : std::vector<std::wstring>{L"jp", L"greek", L"amacron", L"cafe", L"multi", L"fsl", L"save", L"fslfit",
                                       L"lossy", L"lossy\\" + kJapanese})
      folder_(folder);
    write(L"jp\\" + kJapanese + L".dat", "japanese");
    write(L"greek\\" + kGreek + L".dat", "greek");
    write(L"amacron\\" + kAMacron + L".dat", "a-macron");
    write(L"cafe\\" + kCafe + L".dat", "cafe");
    write(L"multi\\" + kJapanese + L".dat", "japanese");
    write(L"multi\\" + kCafe + L".dat", "cafe");
    write(L"fsl\\" + kJapanese + L".dat", "data");
    write(L"fsl\\" + kJapanese + L".fsl", "label");
    // Stored short paths of names whose ANSI form is another file ("a.fsl") or none ("S.fsl").
    write(L"fslfit\\run1.dat", "run1");
    write(L"fslfit\\run2.dat", "run2");
    write(L"fslfit\\" + kAMacron + L".fsl", "a-macron label");
    write(L"fslfit\\a.fsl", "plain a label");
    write(L"fslfit\\" + kSigma + L".fsl", "sigma label");
    write(L"lossy\\" + kJapanese + L"\\plain.txt", "plain");
    // The key is the data file's complete short path; the value is expanded to long names,
    // but for a name the code page lacks, which stays short.
    ini(L"fsl", {{L"fsl\\" + kJapanese + L".dat", L"fsl\\" + kJapanese + L".fsl"}});
    ini(L"fslfit", {{L"fslfit\\run1.dat", L"fslfit\\" + kAMacron + L".fsl"},
                    {L"fslfit\\run2.dat", L"fslfit\\" + kSigma + L".fsl"}});
  }
  ~NamesFolder() {
    for (const std::wstring& file : files_) DeleteFileW(file.c_str());
    for (auto folder = folders_.rbegin(); folder != folders_.rend(); ++folder) RemoveDirectoryW(folder->c_str());
    RemoveDirectoryW(dir_.c_str());
  }
  std::wstring path(const std::wstring& name) const { return dir_ + L"\\" + name; }
  std::string dir(const std::string& folder) const { return Ansi(dir_) + "\\" + folder; }

 private:
  void folder_(const std::wstring& name) {
    folders_.push_back(path(name));
    CreateDirectoryW(folders_.back().c_str(), nullptr);
  }
  void write(const std::wstring& name, const std::string& text) {
    files_.push_back(path(name));
    HANDLE file = CreateFileW(files_.back().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
  }
  // `folder`\assoc.ini: each data file's short path = its FSL file's short path.
  void ini(const std::wstring& folder, const std::vector<std::pair<std::wstring, std::wstring>>& entries) {
    std::string text = "[FSLAssociations]\r\n";
    for (const auto& [data, fsl] : entries) text += ShortPath(path(data)) + "=" + ShortPath(path(fsl)) + "\r\n";
    write(folder + L"\\assoc.ini", text);
  }
  std::wstring dir_;
  std::vector<std::wstring> folders_, files_;
};

NamesFolder& Names() {
  static NamesFolder names;
  return names;
}

struct NamesRun {
  uint32_t code = 0;
  std::string reply, log;
  bool modern = false;  // the modern dialog was shown
};

// Runs `className` with `request` (its object's lines), worked by `steps` (none: by `idle`
// alone); `idle`, when given, runs first on every idle pass.
NamesRun RunDialog(const std::string& className, const std::string& requestLines, const std::string& steps,
                   std::function<void(DialogClient&)> idle = nullptr) {
  ServerHarness server;
  if (idle) server.idleHook_ = [&] { idle(*server.client_); };
  server.Start(className);
  if (!steps.empty()) server.Steps(steps);
  RunResult result = server.client_->run("object X: " + className + "\r\n" + requestLines + "end\r\n");
  server.ExpectServerEndsWithZero();
  return NamesRun{result.replyCode, result.text, server.log_, server.modernDialog_};
}

// The value of `property` in `reply`; empty when the reply has none.
std::string ReplyValue(const std::string& reply, const std::string& property) {
  const std::string start = "\r\n  " + property + " = '";
  const size_t at = reply.find(start);
  if (at == std::string::npos) return std::string();
  const size_t from = at + start.size();
  return reply.substr(from, reply.find("'\r\n", from) - from);
}

// Every name a reply carries (the chosen file, the FSL file stored or found beside it) opens the
// file the user picked or the store names, in both styles; a new name creates the file in the
// folder the user chose.
TEST(UnexpressibleNames, ChosenAndStoredFilesComeBackAsNamesThatOpenThem) {
  const NamesFolder& n = Names();
  auto fslLines = [&n](const std::string& folder, const std::string& ini) {
    return Line("Filter", "'Data|*.dat'") + Line("IniFile", "'" + n.dir(folder) + "\\" + ini + "'") +
           Line("IniFileSection", "'FSLAssociations'") + Line("InitialDir", "'" + n.dir(folder) + "'");
  };
  const std::string lossyDir = "'" + ShortPath(n.path(L"lossy\\" + kJapanese)) + "'";
  struct Opens {
    std::string property;
    std::vector<std::string> contents;  // what the file it names may hold (several: the first
  };                                    // chosen, in the platform's order)
  struct Case {
    const char* label;
    const char* className;
    std::string request;
    std::string steps;
    std::vector<Opens> opens;
    std::wstring creates = {};       // the file FileName must create, named in Unicode
    std::wstring warningTitle = {};  // the missing-FSL warning's title, when it shows
  } cases[] = {
      {"Japanese", "TOpenDialog", Line("InitialDir", "'" + n.dir("jp") + "'"), "item=0,ok", {{"FileName", {"japanese"}}}},
      {"Greek", "TOpenDialog", Line("InitialDir", "'" + n.dir("greek") + "'"), "item=0,ok", {{"FileName", {"greek"}}}},
      {"a best fit would make another name", "TOpenDialog", Line("InitialDir", "'" + n.dir("amacron") + "'"),
       "item=0,ok", {{"FileName", {"a-macron"}}}},
      {"several, one of each", "TOpenDialog",
       Line("InitialDir", "'" + n.dir("multi") + "'") + Line("Options", "[ofAllowMultiSelect]"), "item=0+1,ok",
       {{"FileName", {"japanese", "cafe"}}}},
      {"FSL dialog: its FSL file found through the short path", "TFSL16OpenDialog", fslLines("fsl", "assoc.ini"),
       "item=0,ok", {{"Filename", {"data"}}, {"FSLFile", {"label"}}}},
      {"FSL: a stored short path whose ANSI long name is another file", "TFSL16OpenDialog",
       fslLines("fslfit", "assoc.ini"), "select=run1.dat,ok", {{"Filename", {"run1"}}, {"FSLFile", {"a-macron label"}}}},
      {"FSL: a stored short path whose ANSI long name is no file", "TFSL16OpenDialog", fslLines("fslfit", "assoc.ini"),
       "select=run2.dat,ok", {{"Filename", {"run2"}}, {"FSLFile", {"sigma label"}}}},
      {"FSL: no entry, the partner beside it by its long name", "TFSL16OpenDialog", fslLines("fsl", "none.ini"),
       "item=0,ok", {{"Filename", {"data"}}, {"FSLFile", {"label"}}}},
      {"FSL: no partner, the warning names the long path", "TFSL16OpenDialog", fslLines("jp", "none.ini"),
       "item=0,ok,nofsl", {{"Filename", {"japanese"}}}, L"",
       L"No FSL file selected for " + n.path(L"jp\\" + kJapanese + L".dat")},
      {"open, a name typed in a lossy folder", "TOpenDialog", Line("InitialDir", lossyDir), "file=plain.txt,ok",
       {{"FileName", {"plain"}}}},
      {"save, an existing name typed in a lossy folder", "TSaveDialog", Line("InitialDir", lossyDir),
       "file=plain.txt,ok", {{"FileName", {"plain"}}}},
      {"save, a new name in a lossy folder", "TSaveDialog", Line("InitialDir", lossyDir), "file=new.txt,ok", {},
       n.path(L"lossy\\" + kJapanese + L"\\new.txt")},
      {"save, a new name and the default extension in a lossy folder", "TSaveDialog",
       Line("DefaultExt", "'txt'") + Line("InitialDir", lossyDir), "file=made,ok", {},
       n.path(L"lossy\\" + kJapanese + L"\\made.txt")},
  };
  for (const char* style : kFileDialogStyles)
  for (const Case& c : cases) {
    FileDialogStyle use(style);
    SCOPED_TRACE(c.label);
    std::wstring title;
    auto idle = [&title](DialogClient& client) {
      for (HWND window : ThreadWindows(client.serverThreadId()))
        if (IsWindowVisible(window) && WindowClassName(window) == "TFSLWarn") {
          wchar_t text[512] = {};
          GetWindowTextW(window, text, 512);
          title = text;
        }
    };
    NamesRun out = RunDialog(c.className, c.request, c.steps, idle);
    EXPECT_EQ(protocol::kAcceptedReply, out.code) << out.log;
    EXPECT_EQ(FileDialogStyle::ModernExpected(c.className, c.request), out.modern);
    if (out.code != protocol::kAcceptedReply) continue;
    EXPECT_EQ(std::string::npos, out.reply.find('?')) << out.reply;
    for (const Opens& o : c.opens) {
      const std::string name = ReplyValue(out.reply, o.property);
      const std::string text = ReadWholeFile(name);
      EXPECT_NE(o.contents.end(), std::find(o.contents.begin(), o.contents.end(), text))
          << o.property << " = " << name << " opens a file holding '" << text << "'";
    }
    if (!c.creates.empty()) {
      const std::string name = ReplyValue(out.reply, "FileName");
      std::ofstream(name, std::ios::binary) << "made";
      EXPECT_EQ("made", ReadWholeFile(ShortPath(c.creates))) << name << " does not make the file in the folder chosen";
      DeleteFileW(c.creates.c_str());
    }
    EXPECT_EQ(c.warningTitle, title);
  }
}

// Names the code page has come back byte for byte.
TEST(UnexpressibleNames, NamesTheCodePageHasComeBackAsTheyAre) {
  const NamesFolder& n = Names();
  for (const char* style : kFileDialogStyles) {
    FileDialogStyle use(style);
    NamesRun out = RunDialog("TOpenDialog", Line("InitialDir", "'" + n.dir("cafe") + "'"), "item=0,ok");
    EXPECT_EQ(std::string(style) == "modern", out.modern);
    EXPECT_NE(std::string::npos, out.reply.find(Line("FileName", "'" + n.dir("cafe") + "\\" + Ansi(kCafe) + ".dat'")))
        << out.reply;
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
    NamesRun out = RunDialog(c.className, c.request, "", idle);
    EXPECT_EQ(c.code, out.code) << out.log;
    EXPECT_EQ(std::string(style) == "modern", out.modern);
    EXPECT_EQ(c.box, boxText);
    if (!c.line.empty()) {
      EXPECT_NE(std::string::npos, out.reply.find(c.line)) << out.reply;
    }
    EXPECT_EQ(std::string::npos, out.reply.find('?')) << out.reply;
  }
}

}  // namespace
