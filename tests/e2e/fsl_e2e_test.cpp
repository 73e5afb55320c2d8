// The FSL open dialog end to end: the real dlgserver.exe under Wine, real data files, FSL files
// and an INI association section, worked from this process through the client library. One
// table: what the user does, and the reply's Filename, FSLFile and UseFSL lines.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "testing/server_harness_win.h"
#include "testing/watchdog_win.h"

namespace {

const bool kWatchdog = StartWatchdog(540);

// A folder of data files with long names, FSL files, and the association section:
//   Run One.dat   entry -> the short path of "Labels Folder\Run One Label.fsl"
//   Run2.dat      entry with an empty value: no FSL file wanted
//   Run3.dat      no entry, Run3.fsl beside it
//   Run4.dat      no entry, nothing beside it
//   Sub Folder    a folder
class DataFolder {
 public:
  DataFolder() : dir_("C:\\dlg-fsl-" + std::to_string(GetCurrentProcessId())) {
    CreateDirectoryA(dir_.c_str(), nullptr);
    CreateDirectoryA(path("Labels Folder").c_str(), nullptr);
    CreateDirectoryA(path("Sub Folder").c_str(), nullptr);
    for (const char* name : kFiles) Touch(path(name));
    std::ofstream ini(path("assoc.ini"), std::ios::binary);
    ini << "[Other]\r\n" << ShortPath(path("Run4.dat")) << "=C:\\wrong.fsl\r\n"
        << "[FSLAssociations]\r\n"
        << ShortPath(path("Run One.dat")) << "=" << ShortPath(path("Labels Folder\\Run One Label.fsl")) << "\r\n"
        << ShortPath(path("Run2.dat")) << "=\r\n";
  }
  ~DataFolder() {
    for (const char* name : kFiles) DeleteFileA(path(name).c_str());
    DeleteFileA(path("assoc.ini").c_str());
    RemoveDirectoryA(path("Labels Folder").c_str());
    RemoveDirectoryA(path("Sub Folder").c_str());
    RemoveDirectoryA(dir_.c_str());
  }
  std::string path(const std::string& name) const { return dir_ + "\\" + name; }
  const std::string& dir() const { return dir_; }

 private:
  static constexpr const char* kFiles[] = {"Run One.dat", "Run2.dat", "Run3.dat", "Run3.fsl", "Run4.dat",
                                           "Labels Folder\\Run One Label.fsl"};
  std::string dir_;
};

DataFolder& Data() {
  static DataFolder data;
  return data;
}

// One FSL dialog run: the harness's record of it, and what was seen of the warning.
struct FslRun : ServerHarness {
  RunResult result;
  bool warned = false;                // the missing-FSL warning was shown
  bool warningOwnedByDialog = false;  // ... owned by the open dialog it warns about
};

void RunFslDialog(FslRun& out, const std::string& requestLines, const std::string& steps) {
  out.idleHook_ = [&out] {
    HWND warning = FindThreadWindow(out.client_->serverThreadId(), "TFSLWarn");
    if (out.driver_ && warning && IsWindowVisible(warning) && !out.warned) {
      out.warned = true;
      out.warningOwnedByDialog = OwnerOf(warning) == out.driver_->dialog() && out.driver_->dialog() != nullptr;
    }
  };
  const std::string request = "object FSL: TFSL16OpenDialog\r\n  InitialDir = '" + Data().dir() +
                              "'\r\n  IniFile = '" + Data().path("assoc.ini") +
                              "'\r\n  IniFileSection = 'fslassociations'\r\n" + requestLines + "end\r\n";
  out.result = out.RunServer("TFSL16OpenDialog", request, steps);
  EXPECT_TRUE(out.StepsDone()) << "steps left undone\n" << out.log_;
  out.ExpectServerEndsWithZero();
}

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

// The reply carries `name` with `value`; an empty string is left out as the default.
void ExpectProperty(const std::string& reply, const std::string& name, const std::string& value) {
  if (value.empty() || value == "''")
    EXPECT_EQ(std::string::npos, reply.find("  " + name + " = ")) << name << " should be empty\n" << reply;
  else
    EXPECT_NE(std::string::npos, reply.find(Line(name, value))) << name << " = " << value << "\n" << reply;
}

// `log` shows `lines` in this order.
void ExpectNarration(const std::string& log, const std::vector<std::string>& lines) {
  size_t at = 0;
  for (const std::string& line : lines) {
    at = log.find(line, at);
    ASSERT_NE(std::string::npos, at) << "no \"" << line << "\" (in order) in\n" << log;
  }
}

TEST(FslOpenDialog, RepliesCarryTheDataFileAndItsFslFile) {
  const DataFolder& d = Data();
  const std::string runOneLabel = d.path("Labels Folder\\Run One Label.fsl");
  struct Case {
    const char* label;
    std::string request;  // extra request lines
    std::string steps;
    uint32_t code;
    std::string fileName, fslFile, useFsl;
    std::vector<std::string> narration;  // lines the run must show, in order
  } cases[] = {
      {"name box filled at start: the stored FSL file, expanded to long names",
       Line("FileName", Quoted(d.path("Run One.dat"))) + Line("FSLFile", "'from the request'"), "ok",
       protocol::kAcceptedReply, d.path("Run One.dat"), runOneLabel, "True", {}},
      {"selection with no entry: the .fsl file beside it", "", "select=Run3.dat,ok", protocol::kAcceptedReply,
       d.path("Run3.dat"), d.path("Run3.fsl"), "True", {}},
      {"entry with an empty value: no FSL file, no warning", "", "select=Run2.dat,ok", protocol::kAcceptedReply,
       d.path("Run2.dat"), "", "False", {}},
      // Wine keeps the last file's name in the name box when a folder is selected, and the
      // dialog reports that file as its path: the box is emptied first, as a user would.
      {"a folder clears the field; cancel keeps the last selection's values", "",
       "select=Run One.dat,showfsl,file=,select=Sub Folder,showfsl,cancel", protocol::kCancelledReply, "", "", "True",
       {"fsl field: \"" + runOneLabel + "\"", "fsl field: \"\""}},
      {"warning: no FSL file for this data file", "", "select=Run4.dat,ok,nofsl", protocol::kAcceptedReply,
       d.path("Run4.dat"), "", "False", {"warning found: \"No FSL file selected for " + d.path("Run4.dat") + "\""}},
      {"warning: select one, chosen in the browse dialog", "", "select=Run4.dat,ok,want,file=" + d.path("Run3.fsl") + ",ok",
       protocol::kAcceptedReply, d.path("Run4.dat"), d.path("Run3.fsl"), "True", {}},
      {"warning: select one, browse dialog cancelled", "", "select=Run4.dat,ok,want,cancel", protocol::kAcceptedReply,
       d.path("Run4.dat"), "", "True", {}},
      {"a typed FSL path comes back unchanged", "", "select=Run4.dat,fsl=x:\\typed\\Label?.FSL,ok",
       protocol::kAcceptedReply, d.path("Run4.dat"), "x:\\typed\\Label?.FSL", "True", {}},
      {"Browse FSL picks one", "", "select=Run4.dat,browse,file=" + runOneLabel + ",ok,ok", protocol::kAcceptedReply,
       d.path("Run4.dat"), runOneLabel, "True", {}},
  };
  for (const char* style : kFileDialogStyles)
  for (const Case& c : cases) {
    FileDialogStyle use(style);
    SCOPED_TRACE(c.label);
    FslRun out;
    RunFslDialog(out, c.request, c.steps);
    EXPECT_EQ(c.code, out.result.replyCode) << out.log_;
    EXPECT_EQ(std::string(style) == "modern", out.modernDialog_);
    ExpectProperty(out.result.text, "Filename", Quoted(c.fileName));
    ExpectProperty(out.result.text, "FSLFile", Quoted(c.fslFile));
    ExpectProperty(out.result.text, "UseFSL", c.useFsl);
    EXPECT_EQ(std::string::npos, out.result.text.find("FileName")) << "the data file travels as Filename";
    ExpectNarration(out.log_, c.narration);
    if (out.warned) {
      EXPECT_TRUE(out.warningOwnedByDialog) << "the warning is not owned by the open dialog";
    }
  }
}

TEST(FslOpenDialog, WarningHelpReachesTheClientsHelpWindowWithTheContext) {
  for (const char* style : kFileDialogStyles)
  for (const char* context : {"777", "-2147483648"}) {
    FileDialogStyle use(style);
    FslRun out;
    RunFslDialog(out, Line("FSLHelpContext", context), "select=Run4.dat,ok,help,help,nofsl");
    EXPECT_EQ(protocol::kAcceptedReply, out.result.replyCode) << out.log_;
    EXPECT_EQ(std::string(style) == "modern", out.modernDialog_);
    ASSERT_EQ(2u, out.help_.size()) << context << "\n" << out.log_;
    EXPECT_EQ(std::vector<bool>(out.help_.size(), true), out.helpSent_) << context << ": posted, not sent";
    for (const auto& help : out.help_) {
      EXPECT_EQ(1u, help.first) << context;
      EXPECT_EQ(std::stoll(context), static_cast<int32_t>(help.second)) << context;
    }
    EXPECT_NE(std::string::npos, out.result.text.find(Line("UseFSL", "False"))) << out.result.text;
  }
}

}  // namespace
