// Works a running file dialog from the client's side, for scripts and tests:
//   ok, cancel          press the button
//   file=TEXT           type TEXT into the file name box (cmb13 in the Explorer dialog, edt1 in
//                       the old-style one)
//   readonly            tick the read-only box (chx1); noreadonly clears it
//   filter=N            choose the N-th filter (cmb1)
//   yes, no             answer a message box the dialog shows (e.g. the overwrite prompt)
//   wait=MS             pause
//   select=NAME         select the item NAME in the Explorer dialog's file list (a selection
//                       change, as a click would make)
//   item=N[+M...]       select the items at these positions (from 0) of that list, also those
//                       whose names the command line cannot carry
//   fsl=TEXT            type TEXT into the FSL open dialog's FSL file box
//   showfsl             narrate what the FSL file box shows ("fsl field: \"...\"")
//   browse              press "Browse FSL"
//   want, nofsl, help   answer the missing-FSL warning: OK with "I want to select an FSL file",
//                       OK with "I do not want an FSL file ...", or press its Help button
//   pshhelp             press the dialog's own Help button (pshHelp), when it is shown
//   face=TEXT, style=TEXT, size=TEXT
//                       the font dialog: choose the face, the style ("Bold Italic") and the
//                       size by their text (a size not in the list is typed)
//   fontcolor=N         choose the N-th entry (from 0) of the font dialog's colour list
//   apply               press the font dialog's Apply button
//   basic=N             the colour dialog: click basic colour N (0..47, row by row, 8 a row)
//   rgb=RRGGBB          the colour dialog: type the colour's red, green and blue parts
//   copies=N            the print dialog: type the number of copies
//   pages=A-B           the print dialog: choose the page range A to B
//   allpages, selection the print dialog: choose all pages, or the selection
//   printer=NAME        the print and set-up dialogs: choose the printer NAME from their list
//   orientation=portrait|landscape
//                       the set-up dialog: tick the orientation
// Steps work on the enabled dialog (a dialog disabled by the browse dialog or the warning
// waits), and wait for what they answer to appear.
// Steps are separated by commas; a piece that does not start a step belongs to the file text
// before it ("file=a,b.txt,ok" types "a,b.txt"). Steps that do not end in ok or cancel get ok.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <windows.h>  // as the includer has it: no macro of theirs changed

namespace dlg {

struct AutoStep {
  enum Kind { Ok, Cancel, File, ReadOnly, Filter, Yes, No, Wait, Select, Item, Fsl, ShowFsl, Browse, Want, NoFsl, Help, PshHelp,
              Face, FontStyle, Size, FontColor, Apply, BasicColor, Rgb, Copies,
              Pages, AllPages, Selection, Printer, Orientation } kind;
  std::string text;  // File, Select, Fsl, Face, FontStyle, Size, Copies, Pages ("A-B"), Item ("0+2"), Printer
  int value = 0;     // Filter, Wait, BasicColor, FontColor, Rgb (0xRRGGBB); ReadOnly: 0 tick, 1 clear;
                     // Orientation: 0 portrait, 1 landscape
  std::string piece;  // the step as it was written
};

// The steps of STEPS; false with `error` set when a step is not understood.
bool ParseAutoSteps(const std::string& text, std::vector<AutoStep>& steps, std::string* error);
// One line per step the driver knows, "STEP  what it does", each after `indent`.
std::string AutoStepHelp(const std::string& indent);

class AutoDriver {
 public:
  // `owner` is the client's window, which owns the dialog the server shows.
  AutoDriver(std::vector<AutoStep> steps, HWND owner, DWORD serverThreadId,
             std::function<void(const std::string&)> narrate = nullptr);
  // Takes the next step when its time has come; call it repeatedly while the dialog runs.
  void poll();
  bool done() const { return next_ >= steps_.size(); }
  // A step that cannot be applied (a face not in the list, no such colour cell, yes with no
  // prompt): strictly (the default) the steps stop there and the dialog is cancelled; leniently
  // it is narrated and the steps go on.
  void setLenient(bool lenient) { lenient_ = lenient; }
  // The first step that could not be applied and why ("step 'face=X': not in the list"); empty
  // when every step could.
  const std::string& failure() const { return failure_; }
  // The dialog found, or null.
  HWND dialog() const { return dialog_; }

 private:
  void say(const std::string& line) const;
  bool take(const AutoStep& step);
  // Notes that `step` cannot be applied, for `reason`, and stops the steps unless lenient.
  void fail(const AutoStep& step, const std::string& reason);
  // The warning's steps; false until the warning is up.
  bool answerWarning(const AutoStep& step);

  std::vector<AutoStep> steps_;
  HWND owner_;
  DWORD serverThreadId_;
  std::function<void(const std::string&)> narrate_;
  size_t next_ = 0;
  HWND dialog_ = nullptr;
  ULONGLONG notBefore_ = 0;
  ULONGLONG lastOkAt_ = 0;  // when the last step, an OK, was taken; 0: not (or checked)
  bool ready_ = false;  // the current dialog has filled its controls
  ULONGLONG warningSeenAt_ = 0;
  std::vector<HWND> closed_;  // dialogs told to close: never worked again
  bool lenient_ = false;
  std::string failure_;
  ULONGLONG promptAwaitedSince_ = 0;  // a yes or no step waiting for its prompt
};

}  // namespace dlg
