// The real dlgserver.exe under Wine, used through dlgclient.dll and its C interface alone, as a
// program in another language would: reading replies, texts, callbacks, prepared servers (how
// runs end is in the front ends' table).
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "dlgclient.h"
#include "testing/watchdog_win.h"

namespace {

const bool kWatchdog = StartWatchdog(400);

double NowMs() { return static_cast<double>(GetTickCount64()); }

// What a client's callbacks saw.
struct Seen {
  std::string log;
  std::vector<std::pair<unsigned, long>> help;
};

void DLGCLIENT_CALL Narrate(void* context, const char* line) { static_cast<Seen*>(context)->log += std::string(line) + "\n"; }
void DLGCLIENT_CALL Help(void* context, unsigned kind, long helpContext) {
  static_cast<Seen*>(context)->help.emplace_back(kind, helpContext);
}
// A client with every callback recording into `seen`.
DlgClient* NewClient(Seen& seen) {
  DlgClient* client = dlgclient_create(nullptr);
  EXPECT_NE(nullptr, client);
  dlgclient_on_narrate(client, Narrate, &seen);
  dlgclient_on_help(client, Help, &seen);
  return client;
}

std::string Failure(const DlgClient* client) {
  std::string text(dlgclient_failure(client, nullptr, 0), '\0');
  dlgclient_failure(client, &text[0], text.size() + 1);
  return text;
}

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

const char kWinIni[] = "C:\\windows\\win.ini";
// A request the server writes back unchanged when the dialog is cancelled.
const char kPlainRequest[] = "object X: TOpenDialog\r\n  FileEditStyle = fsEdit\r\n  InitialDir = 'C:\\windows'\r\nend\r\n";

// Foreign-function interfaces look functions up by their plain names.
TEST(DlgClientDll, ExportsEveryFunctionByItsPlainName) {
  HMODULE dll = GetModuleHandleA("dlgclient.dll");
  ASSERT_NE(nullptr, dll);
  for (const char* name : {"dlgclient_version", "dlgclient_create", "dlgclient_destroy", "dlgclient_on_narrate",
                           "dlgclient_on_help", "dlgclient_on_dialog", "dlgclient_drive", "dlgclient_prepare",
                           "dlgclient_keep_spare", "dlgclient_run", "dlgclient_outcome", "dlgclient_reply",
                           "dlgclient_failure", "dlgclient_drive_strict", "dlgclient_reply_string",
                           "dlgclient_reply_integer", "dlgclient_reply_count", "dlgclient_reply_item"})
    EXPECT_NE(nullptr, reinterpret_cast<void*>(GetProcAddress(dll, name))) << name;
  EXPECT_EQ(static_cast<unsigned long>(DLGCLIENT_VERSION), dlgclient_version());
}

// What a C program reads out of real replies without parsing their text, and strict steps.
TEST(DlgClientDll, RepliesAreReadByPropertyAndAStrictStepThatFailsIsNamed) {
  Seen seen;
  DlgClient* client = NewClient(seen);
  char text[MAX_PATH] = "";
  size_t length = 0;
  long value = -1;
  ASSERT_EQ(1, dlgclient_drive_strict(client, "file=C:\\windows\\win.ini,ok"));
  ASSERT_EQ(DLG_ACCEPTED, dlgclient_run(client, "TOpenDialog", kPlainRequest, -1, 60000)) << Failure(client);
  EXPECT_EQ(DLG_READ_FOUND, dlgclient_reply_string(client, "filename", text, sizeof text, &length));
  EXPECT_EQ(kWinIni, std::string(text));
  EXPECT_EQ(sizeof kWinIni - 1, length);
  EXPECT_EQ(DLG_READ_FOUND, dlgclient_reply_integer(client, "FilterIndex", &value));
  EXPECT_EQ(0, value);
  EXPECT_EQ(DLG_READ_ABSENT, dlgclient_reply_string(client, "Title", text, sizeof text, &length));
  EXPECT_EQ(DLG_READ_WRONG_TYPE, dlgclient_reply_integer(client, "FileName", &value));

  const char* filtered = "object X: TOpenDialog\r\n  Filter = 'Text|*.txt'\r\nend\r\n";
  ASSERT_EQ(1, dlgclient_drive_strict(client, "filter=9,file=b.txt,ok"));
  EXPECT_EQ(DLG_STEP_FAILED, dlgclient_run(client, "TOpenDialog", filtered, -1, 60000)) << seen.log;
  EXPECT_EQ("step 'filter=9': the dialog has 1 filters (could not be applied)", Failure(client));

  ASSERT_EQ(1, dlgclient_drive_strict(client, "basic=5,ok"));
  ASSERT_EQ(DLG_ACCEPTED, dlgclient_run(client, "TColorDialog", "object X: TColorDialog\r\n  Color = clRed\r\nend\r\n",
                                        -1, 60000))
      << Failure(client);
  EXPECT_EQ(DLG_READ_FOUND, dlgclient_reply_integer(client, "Color", &value));
  EXPECT_EQ(16744448, value);
  size_t count = 0;
  EXPECT_EQ(DLG_READ_FOUND, dlgclient_reply_count(client, "CustomColors", &count));
  EXPECT_EQ(16u, count);
  EXPECT_EQ(DLG_READ_FOUND, dlgclient_reply_item(client, "CustomColors", 15, text, sizeof text, nullptr));
  EXPECT_EQ("ColorP=FFFFFFFF", std::string(text));
  EXPECT_EQ(DLG_READ_ABSENT, dlgclient_reply_item(client, "CustomColors", 16, text, sizeof text, nullptr));
  dlgclient_destroy(client);
}

TEST(DlgClientDll, TextsCopyIntoTheCallersBufferAsFarAsTheyFit) {
  Seen seen;
  DlgClient* client = NewClient(seen);
  ASSERT_EQ(1, dlgclient_drive(client, "cancel"));
  ASSERT_EQ(DLG_CANCELLED, dlgclient_run(client, "TOpenDialog", kPlainRequest, -1, 60000)) << Failure(client);
  const size_t length = dlgclient_reply(client, nullptr, 0);
  ASSERT_EQ(sizeof kPlainRequest - 1, length);
  char small[7] = "xxxxxx";
  EXPECT_EQ(length, dlgclient_reply(client, small, 4));
  EXPECT_STREQ("obj", small) << "three bytes and the NUL";
  EXPECT_EQ('x', small[4]) << "nothing past the size given";
  EXPECT_EQ(0, dlgclient_drive(client, "ok,jump"));
  EXPECT_NE(0u, Failure(client).size()) << "an unknown step is explained";
  dlgclient_destroy(client);
}

// A run started from a callback, or from another thread, would wait on messages nobody handles.
Seen* g_nestedSeen = nullptr;
DlgClient* g_nestedClient = nullptr;
int g_nestedOutcome = -1;
void DLGCLIENT_CALL RunAgain(void*, void* dialog) {
  if (!dialog || g_nestedOutcome != -1) return;
  g_nestedOutcome = dlgclient_run(g_nestedClient, "TOpenDialog", kPlainRequest, -1, 1000);
  g_nestedSeen->log += "nested: " + Failure(g_nestedClient) + "\n";
}

struct Destroyer {
  DlgClient* client;
  Seen* seen;
  size_t logAtDestroy = std::string::npos;
};
void DLGCLIENT_CALL DestroyOnDialog(void* context, void* dialog) {
  auto* destroyer = static_cast<Destroyer*>(context);
  if (!dialog || destroyer->logAtDestroy != std::string::npos) return;
  destroyer->logAtDestroy = destroyer->seen->log.size();
  dlgclient_destroy(destroyer->client);
}

TEST(DlgClientDll, ClientDestroyedByItsCallbackEndsTheRunAtOnce) {
  Seen seen;
  Destroyer destroyer{NewClient(seen), &seen};
  dlgclient_on_dialog(destroyer.client, DestroyOnDialog, &destroyer);
  const double start = NowMs();
  EXPECT_EQ(DLG_NO_REPLY, dlgclient_run(destroyer.client, "TOpenDialog", kPlainRequest, -1, 120000)) << seen.log;
  EXPECT_LT(NowMs() - start, 20000);
  ASSERT_NE(std::string::npos, destroyer.logAtDestroy) << "the dialog never showed\n" << seen.log;
  EXPECT_EQ(seen.log.substr(0, destroyer.logAtDestroy), seen.log) << "a callback came after the destroy";
}

TEST(DlgClientDll, MisusedClientsRefuseWithAReason) {
  Seen seen;
  DlgClient* client = NewClient(seen);
  int outcome = -1;
  std::thread([&] { outcome = dlgclient_run(client, "TOpenDialog", kPlainRequest, -1, 1000); }).join();
  EXPECT_EQ(DLG_NO_REPLY, outcome);
  EXPECT_EQ("the client was used from another thread than the one that created it", Failure(client));

  g_nestedSeen = &seen;
  g_nestedClient = client;
  dlgclient_on_dialog(client, RunAgain, nullptr);
  dlgclient_drive(client, "wait=300,cancel");
  EXPECT_EQ(DLG_CANCELLED, dlgclient_run(client, "TOpenDialog", kPlainRequest, -1, 60000)) << seen.log;
  EXPECT_EQ(DLG_NO_REPLY, g_nestedOutcome);
  EXPECT_NE(std::string::npos, seen.log.find("nested: the client is already running a dialog\n")) << seen.log;
  EXPECT_EQ(DLG_NO_REPLY, dlgclient_run(nullptr, "TOpenDialog", kPlainRequest, -1, 0));
  dlgclient_destroy(client);

  DlgClient* lost = dlgclient_create("C:\\nowhere\\dlgserver.exe");
  EXPECT_EQ(0, dlgclient_prepare(lost, "TOpenDialog", 0));
  EXPECT_NE(std::string::npos, Failure(lost).find("C:\\nowhere\\dlgserver.exe")) << Failure(lost);
  EXPECT_EQ(DLG_NO_REPLY, dlgclient_run(lost, "TOpenDialog", kPlainRequest, -1, 0));
  EXPECT_NE(std::string::npos, Failure(lost).find("C:\\nowhere\\dlgserver.exe")) << Failure(lost);
  dlgclient_destroy(lost);
}

TEST(DlgClientDll, HelpRequestsReachTheCallback) {
  // A data file with neither an association nor an FSL file beside it: accepting it shows the
  // warning, whose Help button asks the client for help on the warning's help context.
  const std::string dir = "C:\\dlg-dll-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(dir.c_str(), nullptr);
  std::ofstream(dir + "\\Data.dat").put('x');
  Seen seen;
  DlgClient* client = NewClient(seen);
  ASSERT_EQ(1, dlgclient_drive(client, "select=Data.dat,ok,help,nofsl"));
  const std::string request = "object F: TFSL16OpenDialog\r\n  InitialDir = '" + dir + "'\r\n  IniFile = '" + dir +
                              "\\none.ini'\r\n  FSLHelpContext = 4711\r\nend\r\n";
  EXPECT_EQ(DLG_ACCEPTED, dlgclient_run(client, "TFSL16OpenDialog", request.c_str(), -1, 60000))
      << Failure(client) << "\n" << seen.log;
  ASSERT_EQ(1u, seen.help.size()) << seen.log;
  EXPECT_EQ(1u, seen.help[0].first);
  EXPECT_EQ(4711, seen.help[0].second);
  dlgclient_destroy(client);
  DeleteFileA((dir + "\\Data.dat").c_str());
  RemoveDirectoryA(dir.c_str());
}

TEST(DlgClientDll, PreparedServersServeTheNextRunAndSparesFollow) {
  // Two clients in one process, each with a server of its own, both prepared before either runs.
  Seen seenA, seenB;
  DlgClient* a = NewClient(seenA);
  DlgClient* b = NewClient(seenB);
  ASSERT_EQ(1, dlgclient_prepare(a, "TOpenDialog", 0)) << Failure(a);
  ASSERT_EQ(1, dlgclient_prepare(b, "TColorDialog", 0)) << Failure(b);
  dlgclient_keep_spare(a, 1);
  dlgclient_drive(a, "cancel");
  dlgclient_drive(b, "cancel");
  for (int run = 1; run <= 2; ++run) {
    SCOPED_TRACE(run);
    EXPECT_EQ(DLG_CANCELLED, dlgclient_run(a, "topendialog", "object X: TOpenDialog\r\nend\r\n", -1, 60000))
        << Failure(a) << "\n" << seenA.log;
    EXPECT_EQ(static_cast<size_t>(run), Count(seenA.log, "using the prepared server")) << seenA.log;
    EXPECT_EQ(static_cast<size_t>(run + 1), Count(seenA.log, "server started")) << "a spare after each run\n"
                                                                                 << seenA.log;
  }
  EXPECT_EQ(DLG_CANCELLED, dlgclient_run(b, "TColorDialog", "object C: TColorDialog\r\nend\r\n", -1, 60000))
      << Failure(b) << "\n" << seenB.log;
  EXPECT_EQ(1u, Count(seenB.log, "using the prepared server")) << seenB.log;
  // A run of another class than the prepared one starts a server of that class.
  EXPECT_EQ(1, dlgclient_prepare(b, "TFontDialog", 0)) << Failure(b);
  EXPECT_EQ(DLG_CANCELLED, dlgclient_run(b, "TColorDialog", "object C: TColorDialog\r\nend\r\n", -1, 60000))
      << Failure(b);
  EXPECT_EQ(1u, Count(seenB.log, "using the prepared server")) << seenB.log;
  EXPECT_EQ(3u, Count(seenB.log, "server started")) << seenB.log;
  EXPECT_EQ(0, dlgclient_prepare(a, "", 0));
  EXPECT_EQ("no dialog class given", Failure(a));
  dlgclient_destroy(a);
  dlgclient_destroy(b);
}

}  // namespace
