#include "client/auto_driver.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "client/dialog_client.h"
#include "client/printer_choice.h"
#include "platform/window_query.h"

namespace dlg {

namespace {
constexpr DWORD kReadyProbeMs = 1000;  // how long one readiness probe may wait for the dialog

// The dialog has filled its controls once it is shown and its thread takes messages again:
// the initialisation (WM_INITDIALOG, CDN_INITDONE) runs before the modal loop answers WM_NULL.
bool DialogReady(HWND dialog) {
  DWORD_PTR ignored;
  return IsWindowVisible(dialog) &&
         SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, kReadyProbeMs, &ignored) != 0;
}
constexpr DWORD kStepGapMs = 150;
// A dialog still open and enabled this long after the steps' last OK refused it (an empty or
// invalid name): nothing else will close it.
constexpr DWORD kRefusedOkMs = 5000;

// What follows "=" in a step.
enum class Arg { None, Text, Number, Count, Cell, Hex, Range, Positions, Orientation };

// Every step the driver takes: its name, what it takes, and what it does. dlgrun's help is made
// from this table.
struct StepEntry {
  const char* name;
  AutoStep::Kind kind;
  Arg arg;
  const char* form;  // the argument as the help shows it
  int value;         // the value of a step without an argument
  const char* help;
};
const StepEntry kSteps[] = {
    {"ok", AutoStep::Ok, Arg::None, "", 0, "press OK (added when no step closes the dialog)"},
    {"cancel", AutoStep::Cancel, Arg::None, "", 0, "press Cancel"},
    {"file", AutoStep::File, Arg::Text, "TEXT", 0, "type TEXT into the file name box"},
    {"readonly", AutoStep::ReadOnly, Arg::None, "", 0, "tick the read-only box"},
    {"noreadonly", AutoStep::ReadOnly, Arg::None, "", 1, "clear the read-only box"},
    {"filter", AutoStep::Filter, Arg::Count, "N", 0, "choose the N-th filter (from 1)"},
    {"select", AutoStep::Select, Arg::Text, "NAME", 0, "select the item NAME in the file list"},
    {"item", AutoStep::Item, Arg::Positions, "N[+M...]", 0, "select the items at these positions (from 0) of the file list"},
    {"yes", AutoStep::Yes, Arg::None, "", 0, "answer the prompt the step before opened (overwrite?) with Yes"},
    {"no", AutoStep::No, Arg::None, "", 0, "answer that prompt with No"},
    {"pshhelp", AutoStep::PshHelp, Arg::None, "", 0, "press the dialog's own Help button"},
    {"wait", AutoStep::Wait, Arg::Number, "MS", 0, "pause MS milliseconds"},
    {"fsl", AutoStep::Fsl, Arg::Text, "TEXT", 0, "FSL open dialog: type TEXT into the FSL field"},
    {"showfsl", AutoStep::ShowFsl, Arg::None, "", 0, "FSL open dialog: narrate the FSL field"},
    {"browse", AutoStep::Browse, Arg::None, "", 0, "FSL open dialog: press Browse FSL (later steps work that dialog)"},
    {"want", AutoStep::Want, Arg::None, "", 0, "the missing-FSL warning: OK, selecting an FSL file"},
    {"nofsl", AutoStep::NoFsl, Arg::None, "", 0, "the missing-FSL warning: OK, without an FSL file"},
    {"help", AutoStep::Help, Arg::None, "", 0, "the missing-FSL warning: press Help"},
    {"face", AutoStep::Face, Arg::Text, "TEXT", 0, "font dialog: choose the face TEXT"},
    {"style", AutoStep::FontStyle, Arg::Text, "TEXT", 0, "font dialog: choose the style TEXT (\"Bold Italic\")"},
    {"size", AutoStep::Size, Arg::Text, "TEXT", 0, "font dialog: choose the size TEXT (typed when not listed)"},
    {"fontcolor", AutoStep::FontColor, Arg::Number, "N", 0, "font dialog: choose the N-th colour (from 0)"},
    {"apply", AutoStep::Apply, Arg::None, "", 0, "font dialog: press Apply"},
    {"basic", AutoStep::BasicColor, Arg::Cell, "N", 0, "colour dialog: click basic colour N (0-47, 8 a row)"},
    {"rgb", AutoStep::Rgb, Arg::Hex, "RRGGBB", 0, "colour dialog: type the colour's red, green and blue"},
    {"copies", AutoStep::Copies, Arg::Number, "N", 0, "print dialog: type the number of copies"},
    {"pages", AutoStep::Pages, Arg::Range, "A-B", 0, "print dialog: print pages A to B"},
    {"allpages", AutoStep::AllPages, Arg::None, "", 0, "print dialog: print all pages"},
    {"selection", AutoStep::Selection, Arg::None, "", 0, "print dialog: print the selection"},
    {"printer", AutoStep::Printer, Arg::Text, "NAME", 0, "print and set-up dialogs: choose the printer NAME"},
    {"orientation", AutoStep::Orientation, Arg::Orientation, "portrait|landscape", 0,
     "set-up dialog: choose the orientation"},
};

// The table entry `piece` names ("ok", "file=..."), or null.
const StepEntry* EntryOf(const std::string& piece) {
  const size_t equals = piece.find('=');
  const std::string name = piece.substr(0, equals);
  for (const StepEntry& entry : kSteps)
    if (name == entry.name && (equals == std::string::npos) == (entry.arg == Arg::None)) return &entry;
  return nullptr;
}

bool StartsStep(const std::string& piece) { return EntryOf(piece) != nullptr; }

bool ToNumber(const std::string& text, int& value) {
  if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
    return false;
  value = std::stoi(text);
  return true;
}

// Reads the argument of `entry` from `text` into `step`; false when it is not of its form.
bool ReadArgument(const StepEntry& entry, const std::string& text, AutoStep& step) {
  step.text = text;
  switch (entry.arg) {
    case Arg::None:
      step.value = entry.value;
      return true;
    case Arg::Text:
      return true;
    case Arg::Number:
      return ToNumber(text, step.value);
    case Arg::Count:
      return ToNumber(text, step.value) && step.value > 0;
    case Arg::Cell:
      // Any number is a step; one past the 48 basic colours is a colour the dialog does not
      // have, which only the dialog can tell (the step fails there).
      return ToNumber(text, step.value);
    case Arg::Hex:
      if (text.size() != 6 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return false;
      step.value = static_cast<int>(std::stoul(text, nullptr, 16));
      return true;
    case Arg::Range:
      return text.find('-') != std::string::npos;
    case Arg::Orientation:
      step.value = text == "landscape" ? 1 : 0;
      return text == "portrait" || text == "landscape";
    case Arg::Positions:
      return !text.empty() && text.front() != '+' && text.back() != '+' && text.find("++") == std::string::npos &&
             text.find_first_not_of("0123456789+") == std::string::npos;
  }
  return false;
}

constexpr DWORD kWarningSettleMs = 200;
constexpr ULONGLONG kPromptWaitMs = 5000;  // how long yes or no waits for its prompt
constexpr char kWarningClass[] = "TFSLWarn";
constexpr int kFslEditId = 8193;
constexpr int kBrowseFslId = 8196;
// The modern file dialog's custom controls, as Wine makes windows of them: each in a window of
// its own inside one pane. The server adds the read-only box and the FSL row there.
constexpr char kCustomPaneClass[] = "idlg_container_pane";
constexpr char kModernReadOnlyBox[] = "Open as read-only";
constexpr char kModernBrowseFsl[] = "Browse FSL";
// The colour dialog's basic colour box and its red, green and blue boxes (green and blue follow
// red).
constexpr int kBasicColorBox = 720;
constexpr int kBasicColorCount = 48;
constexpr int kRedBox = 706;
// The print dialog's page range buttons and boxes and its copy count.
constexpr int kAllPagesButton = rad1, kSelectionButton = rad2, kPagesButton = rad3;
constexpr int kFromBox = edt1, kToBox = edt2, kCopiesBox = edt3;

// The FSL row of either dialog style: its field, and its Browse FSL button with the window
// that takes the button's command (null when the button is to be clicked).
struct FslRow {
  HWND edit = nullptr;
  HWND browse = nullptr;
  HWND commandTarget = nullptr;
};

FslRow FindFslRow(HWND dialog) {
  if (HWND area = FindChildDialogWithItem(dialog, kFslEditId))
    return FslRow{GetDlgItem(area, kFslEditId), GetDlgItem(area, kBrowseFslId), area};
  HWND pane = FindDescendantOfClass(dialog, kCustomPaneClass);
  HWND browse = pane ? FindDescendant(pane, "Button", kModernBrowseFsl) : nullptr;
  if (!browse) return FslRow{};
  return FslRow{FindDescendantOfClass(pane, "Edit"), browse, nullptr};
}

bool IsWarningStep(AutoStep::Kind kind) {
  return kind == AutoStep::Want || kind == AutoStep::NoFsl || kind == AutoStep::Help;
}

// The visible, enabled dialog of the server owned by `owner` that was not told to close: the
// one the user can work.
HWND FindWorkableDialog(DWORD threadId, HWND owner, const std::vector<HWND>& closed) {
  for (HWND window : ThreadWindows(threadId))
    if (IsWindowVisible(window) && IsWindowEnabled(window) && OwnerOf(window) == owner &&
        WindowClassName(window) == "#32770" && std::find(closed.begin(), closed.end(), window) == closed.end())
      return window;
  return nullptr;
}

// Steps that answer a prompt of the dialog, which is disabled while the prompt is up.
bool IsPromptStep(AutoStep::Kind kind) { return kind == AutoStep::Yes || kind == AutoStep::No; }

// The missing-FSL warning, once it is shown.
HWND FindWarning(DWORD threadId) {
  for (HWND window : ThreadWindows(threadId))
    if (IsWindowVisible(window) && WindowClassName(window) == kWarningClass) return window;
  return nullptr;
}

// The index of the item of a combo box of another process whose text is `text` (ASCII case
// ignored), or -1. The font dialog's lists are owner-drawn Unicode lists: read them as such.
int FindComboItem(HWND combo, const std::string& text) {
  DWORD_PTR count = 0;
  SendMessageTimeoutW(combo, CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count);
  for (int i = 0; i < static_cast<int>(count); ++i) {
    wchar_t item[256] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(combo, CB_GETLBTEXTLEN, i, 0, SMTO_ABORTIFHUNG, 5000, &length);
    if (length >= 256) continue;
    SendMessageTimeoutW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item), SMTO_ABORTIFHUNG, 5000, &length);
    std::string narrow;
    for (wchar_t c : std::wstring(item)) narrow += c < 128 ? static_cast<char>(c) : '?';
    if (narrow.size() == text.size() &&
        std::equal(narrow.begin(), narrow.end(), text.begin(),
                   [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) ==
                                               std::tolower(static_cast<unsigned char>(b)); }))
      return i;
  }
  return -1;
}

// A visible message box owned by `dialog`.
HWND FindPromptOf(DWORD threadId, HWND dialog) {
  for (HWND window : ThreadWindows(threadId))
    if (IsWindowVisible(window) && OwnerOf(window) == dialog && WindowClassName(window) == "#32770")
      return window;
  return nullptr;
}
}  // namespace

bool ParseAutoSteps(const std::string& text, std::vector<AutoStep>& steps, std::string* error) {
  std::vector<std::string> pieces;
  size_t start = 0;
  for (;;) {
    size_t comma = text.find(',', start);
    pieces.push_back(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  steps.clear();
  for (const std::string& piece : pieces) {
    if (!StartsStep(piece) && !steps.empty() &&
        (steps.back().kind == AutoStep::File || steps.back().kind == AutoStep::Fsl)) {
      steps.back().text += "," + piece;
      continue;
    }
    const StepEntry* entry = EntryOf(piece);
    AutoStep step{AutoStep::Ok, {}, 0, piece};
    if (entry) step.kind = entry->kind;
    if (!entry || !ReadArgument(*entry, piece.substr(piece.find('=') + 1), step)) {
      if (error) *error = "unknown step '" + piece + "'";
      return false;
    }
    steps.push_back(step);
  }
  bool closes = false;
  for (const AutoStep& step : steps)
    if (step.kind == AutoStep::Ok || step.kind == AutoStep::Cancel) closes = true;
  if (!closes) steps.push_back(AutoStep{AutoStep::Ok, {}, 0, "ok"});
  return true;
}

std::string AutoStepHelp(const std::string& indent) {
  std::string text;
  for (const StepEntry& entry : kSteps) {
    std::string step = entry.name;
    if (entry.arg != Arg::None) step += std::string("=") + entry.form;
    step.resize(std::max<size_t>(step.size() + 2, 18), ' ');
    text += indent + step + entry.help + "\n";
  }
  return text;
}

AutoDriver::AutoDriver(std::vector<AutoStep> steps, HWND owner, DWORD serverThreadId,
                       std::function<void(const std::string&)> narrate)
    : steps_(std::move(steps)), owner_(owner), serverThreadId_(serverThreadId), narrate_(std::move(narrate)) {}

void AutoDriver::say(const std::string& line) const {
  if (narrate_) narrate_(line);
}

void AutoDriver::fail(const AutoStep& step, const std::string& reason) {
  say("step '" + step.piece + "' cannot be applied: " + reason);
  if (failure_.empty()) failure_ = "step '" + step.piece + "': " + reason;
  if (lenient_) return;
  // The rest would work on a dialog that does not hold what the steps meant it to: end it.
  next_ = steps_.size();
  if (dialog_ && IsWindow(dialog_)) {
    say("steps stopped: cancel");
    PostMessageA(dialog_, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  }
}

void AutoDriver::poll() {
  if (done()) {
    const HWND last = closed_.empty() ? nullptr : closed_.back();
    if (lastOkAt_ && GetTickCount64() >= lastOkAt_ + kRefusedOkMs) {
      lastOkAt_ = 0;
      if (IsWindow(last) && IsWindowVisible(last) && IsWindowEnabled(last)) {
        dialog_ = last;
        fail(steps_.back(), "the dialog stayed open");
      }
    }
    return;
  }
  if (GetTickCount64() < notBefore_) return;
  if (steps_[next_].kind == AutoStep::Wait) {
    take(steps_[next_++]);
    return;
  }
  if (IsWarningStep(steps_[next_].kind)) {
    if (answerWarning(steps_[next_])) {
      ++next_;
      notBefore_ = GetTickCount64() + kStepGapMs;
    }
    return;
  }
  // The dialog to work changes when the browse dialog opens over the FSL dialog, and back.
  const bool prompt = IsPromptStep(steps_[next_].kind) && dialog_ && IsWindow(dialog_);
  HWND current = prompt ? dialog_ : FindWorkableDialog(serverThreadId_, owner_, closed_);
  if (!current) return;
  if (current != dialog_) {
    dialog_ = current;
    say("dialog found: \"" + WindowText(dialog_) + "\"");
    ready_ = false;
    return;
  }
  if (!ready_) {
    if (!DialogReady(dialog_)) return;
    ready_ = true;
    notBefore_ = GetTickCount64() + kStepGapMs;
    return;
  }
  if (take(steps_[next_])) {
    ++next_;
    notBefore_ = std::max(notBefore_, GetTickCount64() + kStepGapMs);
  }
}

bool AutoDriver::answerWarning(const AutoStep& step) {
  HWND warning = FindWarning(serverThreadId_);
  if (!warning) {
    warningSeenAt_ = 0;
    return false;
  }
  if (warningSeenAt_ == 0) {
    warningSeenAt_ = GetTickCount64();
    say("warning found: \"" + WindowText(warning) + "\"");
  }
  if (GetTickCount64() < warningSeenAt_ + kWarningSettleMs) return false;
  auto click = [&](const char* caption) {
    HWND button = FindDescendant(warning, "Button", caption);
    if (button) PostMessageA(button, BM_CLICK, 0, 0);
    return button != nullptr;
  };
  switch (step.kind) {
    case AutoStep::Help:
      say("step: warning help");
      click("&Help");
      return true;
    case AutoStep::Want:
    case AutoStep::NoFsl: {
      bool want = step.kind == AutoStep::Want;
      say(want ? "step: warning, select an FSL file" : "step: warning, no FSL file");
      click(want ? "I want to select an FSL file" : "I do not want an FSL file for this data file");
      click("&OK");
      warningSeenAt_ = 0;
      return true;
    }
    default:
      return true;
  }
}

bool AutoDriver::take(const AutoStep& step) {
  switch (step.kind) {
    case AutoStep::Ok:
    case AutoStep::Cancel: {
      int id = step.kind == AutoStep::Ok ? IDOK : IDCANCEL;
      say(step.kind == AutoStep::Ok ? "step: ok" : "step: cancel");
      closed_.push_back(dialog_);
      if (step.kind == AutoStep::Ok && &step == &steps_.back()) lastOkAt_ = GetTickCount64();
      PostMessageA(dialog_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(dialog_, id)));
      return true;
    }
    case AutoStep::File: {
      HWND box = GetDlgItem(dialog_, cmb13);
      if (!box) box = GetDlgItem(dialog_, edt1);
      say("step: file name \"" + step.text + "\"");
      if (!box) {
        fail(step, "no file name box");
        return true;
      }
      DWORD_PTR ignored;
      SendMessageTimeoutA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(step.text.c_str()), SMTO_NORMAL,
                          5000, &ignored);
      std::string shown = WindowText(box);
      if (shown != step.text) fail(step, "the file name box shows \"" + shown + "\"");
      return true;
    }
    case AutoStep::ReadOnly: {
      bool tick = step.value == 0;
      say(tick ? "step: read-only box ticked" : "step: read-only box cleared");
      DWORD_PTR ignored;
      HWND box = GetDlgItem(dialog_, chx1);
      if (!box) box = FindDescendant(dialog_, "Button", kModernReadOnlyBox);
      SendMessageTimeoutA(box, BM_SETCHECK, tick ? BST_CHECKED : BST_UNCHECKED, 0, SMTO_NORMAL, 5000, &ignored);
      return true;
    }
    case AutoStep::Filter: {
      say("step: filter " + std::to_string(step.value));
      HWND combo = GetDlgItem(dialog_, cmb1);
      DWORD_PTR ignored, count = 0;
      SendMessageTimeoutA(combo, CB_GETCOUNT, 0, 0, SMTO_NORMAL, 5000, &count);
      if (!combo || step.value > static_cast<int>(count)) {
        fail(step, "the dialog has " + std::to_string(count) + " filters");
        return true;
      }
      SendMessageTimeoutA(combo, CB_SETCURSEL, step.value - 1, 0, SMTO_NORMAL, 5000, &ignored);
      PostMessageA(dialog_, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
      PostMessageA(dialog_, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK), reinterpret_cast<LPARAM>(combo));
      return true;
    }
    case AutoStep::Yes:
    case AutoStep::No: {
      HWND prompt = FindPromptOf(serverThreadId_, dialog_);
      if (!prompt) {  // not shown yet; after a while, not at all
        if (promptAwaitedSince_ == 0) promptAwaitedSince_ = GetTickCount64();
        if (GetTickCount64() < promptAwaitedSince_ + kPromptWaitMs) return false;
        promptAwaitedSince_ = 0;
        fail(step, "no prompt is shown");
        return true;
      }
      promptAwaitedSince_ = 0;
      say("step: " + std::string(step.kind == AutoStep::Yes ? "yes" : "no") + " to \"" +
          DialogItemText(prompt, 0xFFFF) + "\"");
      PostMessageA(prompt, WM_COMMAND, step.kind == AutoStep::Yes ? IDYES : IDNO, 0);
      // Refusing the prompt keeps the dialog open: it can be worked again.
      if (step.kind == AutoStep::No) closed_.erase(std::remove(closed_.begin(), closed_.end(), dialog_), closed_.end());
      return true;
    }
    case AutoStep::Select:
    case AutoStep::Item: {
      HWND view = FindDescendantOfClass(dialog_, "SHELLDLL_DefView");
      HWND list = view ? FindWindowExA(view, nullptr, "SysListView32", nullptr) : nullptr;
      if (step.kind == AutoStep::Select) {
        bool selected = list && SelectListViewItem(list, step.text);
        say("step: select \"" + step.text + "\"" + (selected ? "" : " (not in the list)"));
        if (!selected) fail(step, "not in the file list");
      } else {
        std::vector<int> items;
        for (size_t at = 0; at < step.text.size(); at = step.text.find('+', at) + 1) {
          items.push_back(std::stoi(step.text.substr(at)));
          if (step.text.find('+', at) == std::string::npos) break;
        }
        bool selected = list && SelectListViewItems(list, items);
        say("step: items " + step.text + (selected ? "" : " (not all in the list)"));
        if (!selected) fail(step, "not all in the file list");
      }
      return true;
    }
    case AutoStep::Fsl:
    case AutoStep::ShowFsl:
    case AutoStep::Browse: {
      const FslRow row = FindFslRow(dialog_);
      HWND edit = row.edit;
      if (!edit) {
        fail(step, "no FSL file box");
        return true;
      }
      if (step.kind == AutoStep::Fsl) {
        say("step: fsl \"" + step.text + "\"");
        DWORD_PTR ignored;
        SendMessageTimeoutA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(step.text.c_str()), SMTO_NORMAL, 5000,
                            &ignored);
      } else if (step.kind == AutoStep::ShowFsl) {
        say("fsl field: \"" + WindowText(edit) + "\"");
      } else {
        say("step: browse");
        if (row.commandTarget)
          PostMessageA(row.commandTarget, WM_COMMAND, MAKEWPARAM(kBrowseFslId, BN_CLICKED),
                       reinterpret_cast<LPARAM>(row.browse));
        else
          PostMessageA(row.browse, BM_CLICK, 0, 0);
      }
      return true;
    }
    case AutoStep::Want:
    case AutoStep::NoFsl:
    case AutoStep::Help:
      return answerWarning(step);
    case AutoStep::Face:
    case AutoStep::FontStyle:
    case AutoStep::Size:
    case AutoStep::FontColor: {
      // The dialog takes a choice from the list only with CBN_SELCHANGE; a size that is not in
      // the list is typed into the box. The colour list has no texts: it is chosen by place.
      const int id = step.kind == AutoStep::Face ? cmb1 : step.kind == AutoStep::FontStyle ? cmb2
                   : step.kind == AutoStep::Size ? cmb3 : cmb4;
      HWND combo = GetDlgItem(dialog_, id);
      int index = step.kind == AutoStep::FontColor ? step.value : combo ? FindComboItem(combo, step.text) : -1;
      DWORD_PTR count = 0;
      SendMessageTimeoutW(combo, CB_GETCOUNT, 0, 0, SMTO_NORMAL, 5000, &count);
      if (!combo) {
        fail(step, "the dialog has no such list");
        return true;
      }
      if (step.kind == AutoStep::FontColor && index >= static_cast<int>(count)) {
        fail(step, "the colour list has " + std::to_string(count) + " entries");
        return true;
      }
      say(step.kind == AutoStep::FontColor ? "step: font colour " + std::to_string(index)
          : "step: " + std::string(step.kind == AutoStep::Face ? "face" : step.kind == AutoStep::FontStyle ? "style" : "size") +
          " \"" + step.text + "\"" + (index < 0 && step.kind != AutoStep::Size ? " (not in the list)" : ""));
      DWORD_PTR ignored;
      if (index < 0 && step.kind != AutoStep::Size) {
        fail(step, "not in the list");
        return true;
      }
      SendMessageTimeoutW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0, SMTO_NORMAL, 5000, &ignored);
      if (index < 0 && step.kind == AutoStep::Size)
        SendMessageTimeoutA(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(step.text.c_str()), SMTO_NORMAL, 5000,
                            &ignored);
      SendMessageTimeoutW(dialog_, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo),
                          SMTO_NORMAL, 5000, &ignored);
      return true;
    }
    case AutoStep::BasicColor: {
      // The basic colours are painted in one box of 8 by 6 cells; the dialog takes a click at a
      // cell's place in its own client area.
      say("step: basic colour " + std::to_string(step.value));
      RECT box{};
      if (!GetWindowRect(GetDlgItem(dialog_, kBasicColorBox), &box)) {
        fail(step, "the dialog has no basic colours");
        return true;
      }
      if (step.value >= kBasicColorCount) {
        fail(step, "the dialog has " + std::to_string(kBasicColorCount) + " basic colours");
        return true;
      }
      POINT cell{box.left + (2 * (step.value % 8) + 1) * (box.right - box.left) / 16,
                 box.top + (2 * (step.value / 8) + 1) * (box.bottom - box.top) / 12};
      ScreenToClient(dialog_, &cell);
      PostMessageA(dialog_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(cell.x, cell.y));
      PostMessageA(dialog_, WM_LBUTTONUP, 0, MAKELPARAM(cell.x, cell.y));
      return true;
    }
    case AutoStep::Rgb: {
      char hex[8];
      std::snprintf(hex, sizeof hex, "%06X", static_cast<unsigned>(step.value));
      say(std::string("step: colour ") + hex);
      // Each box takes its part on its own change notification.
      const int parts[] = {(step.value >> 16) & 0xFF, (step.value >> 8) & 0xFF, step.value & 0xFF};
      for (int i = 0; i < 3; ++i) {
        std::string text = std::to_string(parts[i]);
        DWORD_PTR ignored;
        SendMessageTimeoutA(GetDlgItem(dialog_, kRedBox + i), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                            SMTO_NORMAL, 5000, &ignored);
      }
      return true;
    }
    case AutoStep::Copies:
    case AutoStep::Pages:
    case AutoStep::AllPages:
    case AutoStep::Selection: {
      for (int id : {step.kind == AutoStep::Copies ? kCopiesBox : step.kind == AutoStep::Pages ? kFromBox
                     : step.kind == AutoStep::AllPages ? kAllPagesButton : kSelectionButton})
        if (!GetDlgItem(dialog_, id) || !IsWindowEnabled(GetDlgItem(dialog_, id))) {
          fail(step, "the dialog has no such control, or it is disabled");
          return true;
        }
      auto setText = [&](int id, const std::string& text) {
        DWORD_PTR ignored;
        SendMessageTimeoutA(GetDlgItem(dialog_, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                            SMTO_NORMAL, 5000, &ignored);
      };
      auto click = [&](int id) {
        DWORD_PTR ignored;
        SendMessageTimeoutA(GetDlgItem(dialog_, id), BM_CLICK, 0, 0, SMTO_NORMAL, 5000, &ignored);
      };
      if (step.kind == AutoStep::Copies) {
        say("step: copies " + step.text);
        setText(kCopiesBox, step.text);
      } else if (step.kind == AutoStep::Pages) {
        say("step: pages " + step.text);
        click(kPagesButton);
        size_t dash = step.text.find('-');
        setText(kFromBox, step.text.substr(0, dash));
        setText(kToBox, step.text.substr(dash + 1));
      } else {
        say(step.kind == AutoStep::AllPages ? "step: all pages" : "step: selection");
        click(step.kind == AutoStep::AllPages ? kAllPagesButton : kSelectionButton);
      }
      return true;
    }
    case AutoStep::Printer: {
      const std::string problem = ChoosePrinter(dialog_, step.text);
      say("step: printer \"" + step.text + "\"" + (problem.empty() ? " (" + PrinterWhereAndStatus(dialog_) + ")" : ""));
      if (!problem.empty()) fail(step, problem);
      return true;
    }
    case AutoStep::Orientation: {
      say(std::string("step: orientation ") + (step.value ? "landscape" : "portrait"));
      const std::string problem = ChooseOrientation(dialog_, step.value != 0);
      if (!problem.empty()) fail(step, problem);
      return true;
    }
    case AutoStep::Apply: {
      say("step: apply");
      DWORD_PTR ignored;
      SendMessageTimeoutA(dialog_, WM_COMMAND, MAKEWPARAM(psh3, BN_CLICKED),
                          reinterpret_cast<LPARAM>(GetDlgItem(dialog_, psh3)), SMTO_NORMAL, 5000, &ignored);
      return true;
    }
    case AutoStep::PshHelp: {
      // Only a dialog asked for help shows the button; a hidden one is not pressed.
      HWND button = GetDlgItem(dialog_, pshHelp);
      const bool shown = button && IsWindowVisible(button);
      say(shown ? "step: help button" : "step: help button (not shown)");
      if (shown) PostMessageA(button, BM_CLICK, 0, 0);
      else fail(step, "the dialog shows no Help button");
      return true;
    }
    case AutoStep::Wait:
      say("step: wait " + std::to_string(step.value) + " ms");
      notBefore_ = GetTickCount64() + static_cast<ULONGLONG>(step.value);
      return true;
  }
  return true;
}

}  // namespace dlg
