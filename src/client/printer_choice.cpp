#include "client/printer_choice.h"

#include <algorithm>
#include <cctype>

#include "platform/window_query.h"

namespace {
constexpr UINT kWaitMs = 5000;
// The labels that say where the chosen printer is and how it is.
constexpr int kWhereLabel = stc14, kStatusLabel = stc12;
// The set-up dialog's orientation buttons; in the print dialog the same ids are page ranges,
// which is why the dialog is told apart first.
constexpr int kPortraitButton = rad1, kLandscapeButton = rad2;

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG, kWaitMs, &result);
  return static_cast<LRESULT>(result);
}

bool IsSetupDialog(HWND dialog) {
  return GetDlgItem(dialog, cmb1) && GetDlgItem(dialog, kPortraitButton) && GetDlgItem(dialog, kLandscapeButton) &&
         !GetDlgItem(dialog, rad3) && !GetDlgItem(dialog, edt3);
}

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}
}  // namespace

HWND PrinterList(HWND dialog) {
  if (GetDlgItem(dialog, edt3) && GetDlgItem(dialog, cmb4)) return GetDlgItem(dialog, cmb4);
  return IsSetupDialog(dialog) ? GetDlgItem(dialog, cmb1) : nullptr;
}

std::vector<std::string> ComboItems(HWND combo) {
  std::vector<std::string> items;
  const LRESULT count = Send(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = Send(combo, CB_GETLBTEXTLEN, i, 0);
    std::wstring wide(static_cast<size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
    Send(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&wide[0]));
    wide.resize(wcslen(wide.c_str()));
    // The names as the command line carries them: in the ANSI code page.
    char narrow[512] = {};
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, narrow, sizeof narrow, nullptr, nullptr);
    items.push_back(narrow);
  }
  return items;
}

std::string ChoosePrinter(HWND dialog, const std::string& name) {
  HWND list = PrinterList(dialog);
  if (!list) return "the dialog has no printer list";
  const std::vector<std::string> items = ComboItems(list);
  const auto found = std::find_if(items.begin(), items.end(), [&](const std::string& item) { return SameName(item, name); });
  if (found == items.end()) {
    std::string listed;
    for (const std::string& item : items) listed += (listed.empty() ? "" : ", ") + item;
    return "not in the printer list (listed: " + listed + ")";
  }
  const WPARAM index = static_cast<WPARAM>(found - items.begin());
  // The printer the dialog shows already: choosing it again changes nothing (Wine would start
  // the printer's settings afresh, the copy count too).
  if (Send(list, CB_GETCURSEL, 0, 0) == static_cast<LRESULT>(index)) return "";
  Send(list, CB_SETCURSEL, index, 0);
  // The dialog takes a printer from its list only on the list's change notification.
  Send(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  if (Send(list, CB_GETCURSEL, 0, 0) != static_cast<LRESULT>(index)) return "the dialog did not take it";
  return "";
}

std::string PrinterWhereAndStatus(HWND dialog) {
  return DialogItemText(dialog, kWhereLabel) + ", " + DialogItemText(dialog, kStatusLabel);
}

std::string ChooseOrientation(HWND dialog, bool landscape) {
  if (!IsSetupDialog(dialog)) return "the dialog has no orientation buttons";
  HWND button = GetDlgItem(dialog, landscape ? kLandscapeButton : kPortraitButton);
  if (!IsWindowEnabled(button)) return "the printer offers no such orientation";
  Send(button, BM_CLICK, 0, 0);
  if (Send(button, BM_GETCHECK, 0, 0) != BST_CHECKED) return "the dialog did not take it";
  return "";
}
