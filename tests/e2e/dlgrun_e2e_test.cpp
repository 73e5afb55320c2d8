// dlgrun.exe as scripts use it: exit status, the reply on standard output byte for byte, the
// narration on standard error, time-outs, and the server ending with dlgrun.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "client/dialog_client.h"
#include "platform/process.h"
#include "platform/win32.h"
#include "testing/program_run_win.h"
#include "testing/server_harness_win.h"
#include "testing/watchdog_win.h"

using namespace dlg;  // the client library

namespace {

const bool kWatchdog = StartWatchdog(300);

// dlgrun.exe beside this program, started with `arguments` and `input` on standard input.
class DlgRun : public ProgramRun {
 public:
  DlgRun(const std::vector<std::string>& arguments, const std::string& input = std::string())
      : ProgramRun(ProgramDirectory() + "dlgrun.exe", arguments, input) {}
};

// The order in which `needles` appear in `text`; npos for a missing one.
std::vector<size_t> Positions(const std::string& text, const std::vector<std::string>& needles) {
  std::vector<size_t> at;
  for (const std::string& needle : needles) at.push_back(text.find(needle));
  return at;
}

bool Ascending(const std::vector<size_t>& at) {
  for (size_t i = 0; i < at.size(); ++i)
    if (at[i] == std::string::npos || (i > 0 && at[i] < at[i - 1])) return false;
  return true;
}

TEST(DlgRunTest, AcceptedRunPrintsTheReplyExactlyAndExitsZero) {
  std::string request = Text({"object OpenDialog1x: TOpenDialog", "  FileName = 'C:\\windows\\win.ini'", "end"});
  std::string requestPath = TempPath("request.txt");
  WriteWholeFile(requestPath, request);
  DlgRun run({"--auto", "ok", "TOpenDialog", requestPath});
  ASSERT_TRUE(run.started());
  Finished done = run.wait();
  DeleteFileA(requestPath.c_str());
  EXPECT_EQ(0u, done.exitCode) << done.err;
  // Without a filter the platform answers filter index 0, which is written back.
  EXPECT_EQ(Text({"object OpenDialog1x: TOpenDialog", "  FileEditStyle = fsEdit", "  FileName = 'C:\\windows\\win.ini'",
                  "  FilterIndex = 0", "end"}),
            done.out);
  EXPECT_TRUE(Ascending(Positions(done.err, {"ready notice (1024)", "running notice (1027)",
                                             "reply, accepted (1025)", "server ended (exit code 0)"})))
      << done.err;
}

// Each program prints its version and carries it in its version resource, where installers
// read it.
TEST(DlgRunTest, EveryProgramTellsItsVersion) {
  for (const char* program : {"dlgrun.exe", "dlgserver.exe", "comptext.exe", "dlgclient.dll"}) {
    SCOPED_TRACE(program);
    const std::string path = std::string(program) == "comptext.exe" ? DLG_COMPTEXT_EXE : ProgramDirectory() + program;
    DWORD ignored = 0;
    std::string info(GetFileVersionInfoSizeA(path.c_str(), &ignored), '\0');
    ASSERT_FALSE(info.empty()) << "no version resource";
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(info.size()), &info[0]));
    char* version = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(&info[0], "\\StringFileInfo\\040904b0\\FileVersion", reinterpret_cast<void**>(&version),
                               &length));
    EXPECT_EQ("1.1.0", std::string(version));
    if (std::string(program) == "dlgclient.dll") continue;
    ProgramRun run(path, {"--version"});
    Finished done = run.wait();
    EXPECT_EQ(0u, done.exitCode);
    std::string name(program);
    EXPECT_EQ(name.substr(0, name.find('.')) + " 1.1.0", done.out.substr(0, done.out.find_first_of("\r\n")));
  }
}

TEST(DlgRunTest, ExitStatusTellsHowTheRunEnded) {
  const std::string request = Text({"object X: TOpenDialog", "end"});
  const struct {
    const char* label;
    std::vector<std::string> arguments;
    std::string input;
    DWORD exitCode;
    std::string out;
    std::string err;  // a line standard error must contain
  } kCases[] = {
      {"cancelled, request on standard input", {"--auto", "cancel", "TOpenDialog", "-"}, request, 1,
       Text({"object X: TOpenDialog", "  FileEditStyle = fsEdit", "end"}), "reply, cancelled (1026)"},
      {"request from standard input by default", {"--auto", "cancel", "TSaveDialog"}, request, 1,
       Text({"object X: TSaveDialog", "  FileEditStyle = fsEdit", "end"}), "reply, cancelled (1026)"},
      {"class without a dialog kind", {"--auto", "ok", "TCommonDialog", "-"}, request, 2, "",
       "the server refused the run request (answer 0)"},
      {"no class", {"--auto", "ok"}, "", 4, "", "dlgrun: no CLASS given"},
      {"unknown step", {"--auto", "jump", "TOpenDialog", "-"}, request, 4, "", "unknown step 'jump'"},
      {"item without a position", {"--auto", "item=1+", "TOpenDialog", "-"}, request, 4, "", "unknown step 'item=1+'"},
      {"a step that cannot be applied", {"--auto", "select=nosuch.txt,ok", "TOpenDialog", "-"}, request, 5, "",
       "dlgrun: step 'select=nosuch.txt': not in the file list (could not be applied)\n"},
      {"an OK the dialog refused (no file name)", {"--auto", "ok", "TOpenDialog", "-"}, request, 5, "",
       "dlgrun: step 'ok': the dialog stayed open (could not be applied)\n"},
      {"a basic colour the dialog does not have", {"--auto", "basic=48", "TColorDialog", "-"},
       Text({"object X: TColorDialog", "end"}), 5, "",
       "dlgrun: step 'basic=48': the dialog has 48 basic colours (could not be applied)\n"},
      {"the same, lenient", {"--lenient", "--auto", "select=nosuch.txt,cancel", "TOpenDialog", "-"}, request, 1,
       Text({"object X: TOpenDialog", "  FileEditStyle = fsEdit", "end"}), "step 'select=nosuch.txt' cannot be applied"},
      {"a printer not listed", {"--auto", "printer=No Such Printer", "TPrintDialog", "-"},
       Text({"object X: TPrintDialog", "end"}), 5, "",
       "dlgrun: step 'printer=No Such Printer': not in the printer list (listed: "},
      {"an orientation in the print dialog", {"--auto", "orientation=landscape", "TPrintDialog", "-"},
       Text({"object X: TPrintDialog", "end"}), 5, "",
       "dlgrun: step 'orientation=landscape': the dialog has no orientation buttons (could not be applied)\n"},
      {"an orientation that does not exist", {"--auto", "orientation=up", "TPrinterSetupDialog", "-"}, request, 4, "",
       "unknown step 'orientation=up'"},
  };
  for (const auto& c : kCases) {
    DlgRun run(c.arguments, c.input);
    ASSERT_TRUE(run.started()) << c.label;
    Finished done = run.wait();
    EXPECT_EQ(c.exitCode, done.exitCode) << c.label << "\n" << done.err;
    EXPECT_EQ(c.out, done.out) << c.label;
    EXPECT_NE(std::string::npos, done.err.find(c.err)) << c.label << ": standard error was\n" << done.err;
  }
}

// The help lists every step the driver takes, from the driver's own table; the README names each.
TEST(DlgRunTest, HelpListsEveryStepAndTheReadmeNamesThem) {
  DlgRun run({"--help"});
  Finished done = run.wait();
  ASSERT_EQ(0u, done.exitCode);
  std::ifstream in(DLG_SOURCE_DIR "\\README.md", std::ios::binary);
  const std::string readme((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(readme.empty()) << "no README at " DLG_SOURCE_DIR;
  size_t steps = 0;
  for (size_t at = done.out.find("\n      "); at != std::string::npos; at = done.out.find("\n      ", at + 1)) {
    const std::string line = done.out.substr(at + 7, done.out.find('\n', at + 1) - at - 7);
    const std::string name = line.substr(0, line.find_first_of("= "));
    ++steps;
    const bool named = readme.find("`" + name + "`") != std::string::npos || readme.find("`" + name + "=") != std::string::npos;
    EXPECT_TRUE(named) << "the README does not name the step " << name;
  }
  for (const char* step : {"ok", "item=", "fontcolor=", "basic=", "rgb=", "copies=", "pages=", "pshhelp", "apply",
                           "printer=", "orientation="})
    EXPECT_NE(std::string::npos, done.out.find("      " + std::string(step))) << step << " missing from the help";
  EXPECT_GE(steps, 31u);
}

}  // namespace
