#include "platform/copy_data.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <thread>

#include "testing/watchdog_win.h"

namespace {

const bool kWatchdog = StartWatchdog(60);

TEST(ReadCopyDataTest, ChecksTheRecordBeforeReadingIt) {
  char bytes[] = "object";
  const struct {
    const char* label;
    bool nullRecord;
    COPYDATASTRUCT record;
    bool read;
    uint32_t code;
    std::string data;
  } kCases[] = {
      {"no record", true, {}, false, 0, ""},
      {"size without data", false, {1025, 10, nullptr}, false, 0, ""},
      {"no data", false, {1024, 0, nullptr}, true, 1024, ""},
      {"data of size 0", false, {7, 0, bytes}, true, 7, ""},
      {"data", false, {1025, 6, bytes}, true, 1025, "object"},
  };
  for (const auto& c : kCases) {
    CopyDataMessage message;
    message.code = 99;
    LPARAM lParam = c.nullRecord ? 0 : reinterpret_cast<LPARAM>(&c.record);
    EXPECT_EQ(c.read, ReadCopyData(lParam, message)) << c.label;
    EXPECT_EQ(c.read ? c.code : 99u, message.code) << c.label;
    EXPECT_EQ(c.data, message.data) << c.label;
  }
}

// A window that keeps what WM_COPYDATA brought.
CopyDataMessage g_received;
HWND g_sender = nullptr;
LRESULT CALLBACK Receiver(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    g_sender = reinterpret_cast<HWND>(wParam);
    return ReadCopyData(lParam, g_received) ? 5 : 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterReceiver() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = Receiver;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "CopyDataReceiver";
  RegisterClassA(&windowClass);
}

TEST(SendCopyDataTest, DeliversCodeDataAndSender) {
  RegisterReceiver();
  HWND window = CreateWindowExA(0, "CopyDataReceiver", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(nullptr, window);
  std::string text("a\0b", 3);
  EXPECT_EQ(5, SendCopyData(window, reinterpret_cast<HWND>(0x42), 1026, text.data(), text.size()));
  EXPECT_EQ(1026u, g_received.code);
  EXPECT_EQ(text, g_received.data);
  EXPECT_EQ(reinterpret_cast<HWND>(0x42), g_sender);
  LRESULT answer = 0;
  EXPECT_TRUE(SendCopyDataTimeout(window, nullptr, 1027, "", 1000, &answer));
  EXPECT_EQ(5, answer);
  EXPECT_EQ(1027u, g_received.code);
  EXPECT_EQ("", g_received.data);
  EXPECT_EQ(0, SendCopyData(nullptr, nullptr, 1024)) << "no window, no answer";
  DestroyWindow(window);
}

TEST(CopyDataLimitTest, WineIsRecognisedAndItsLimitApplies) {
  EXPECT_TRUE(RunningOnWine()) << "these tests run under Wine";
  EXPECT_EQ(kWineCopyDataLimit, CopyDataLimit());
}

TEST(SendCopyDataTest, TimedSendGivesUpOnAReceiverThatDoesNotAnswer) {
  // A window whose thread sleeps instead of handling its messages.
  RegisterReceiver();
  HWND window = nullptr;
  HANDLE created = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::thread stalled([&] {
    window = CreateWindowExA(0, "CopyDataReceiver", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    SetEvent(created);
    Sleep(1500);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    DestroyWindow(window);
  });
  WaitForSingleObject(created, 5000);
  ASSERT_NE(nullptr, window);
  LRESULT answer = 7;
  DWORD start = GetTickCount();
  EXPECT_FALSE(SendCopyDataTimeout(window, nullptr, 1025, "x", 1, 200, &answer));
  DWORD took = GetTickCount() - start;
  EXPECT_GE(took, 150u);
  EXPECT_LT(took, 1000u) << "the send waited for the receiver";
  stalled.join();
  CloseHandle(created);
}

}  // namespace
