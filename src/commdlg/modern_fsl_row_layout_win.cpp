#include "commdlg/modern_fsl_row_layout_win.h"

#include <vector>

namespace {
constexpr char kPreviousProcedure[] = "DlgFslRowProc";
constexpr int kLabelGap = 4;  // between the label's text and the field, as the file name's label

// A window of the row and where it belongs. Wine lays its controls out anew at times of its
// own; every move of a pinned window is turned into a move to its place.
struct Pin {
  HWND window;
  RECT place;
  WNDPROC previous;
};

std::vector<Pin>& Pins() {
  static std::vector<Pin> pins;
  return pins;
}

Pin* PinOf(HWND window) {
  for (Pin& pin : Pins())
    if (pin.window == window) return &pin;
  return nullptr;
}

LRESULT CALLBACK PinnedProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Pin* pin = PinOf(window);
  if (!pin) return DefWindowProcW(window, message, wParam, lParam);
  const WNDPROC previous = pin->previous;
  if (message == WM_WINDOWPOSCHANGING) {
    auto* position = reinterpret_cast<WINDOWPOS*>(lParam);
    position->x = pin->place.left;
    position->y = pin->place.top;
    position->cx = pin->place.right - pin->place.left;
    position->cy = pin->place.bottom - pin->place.top;
    position->flags &= ~(SWP_NOMOVE | SWP_NOSIZE);
  } else if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    Pins().erase(Pins().begin() + (pin - Pins().data()));
  }
  return CallWindowProcW(previous, window, message, wParam, lParam);
}

// Puts `window` at `x`, `y` with the size given, in its parent's client coordinates, and keeps it there.
void Place(HWND window, int x, int y, int width, int height) {
  const RECT place{x, y, x + width, y + height};
  if (Pin* pin = PinOf(window))
    pin->place = place;
  else
    Pins().push_back({window, place, reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
                                         window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PinnedProcedure)))});
  SetWindowPos(window, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) children.push_back(child);
  return children;
}

// `window`'s rectangle in the client coordinates of `parent`.
RECT RectIn(HWND window, HWND parent) {
  RECT rect{};
  GetWindowRect(window, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

int Width(const RECT& rect) { return rect.right - rect.left; }
int Height(const RECT& rect) { return rect.bottom - rect.top; }

// A wrapper window and the one control it holds: both take the size.
void PlaceWrapped(HWND wrapper, int x, int y, int width, int height) {
  Place(wrapper, x, y, width, height);
  if (HWND control = GetWindow(wrapper, GW_CHILD)) Place(control, 0, 0, width, height);
}

void LayOut(HWND frame) {
  HWND pane = FindWindowExA(frame, nullptr, "idlg_container_pane", nullptr);
  HWND fileName = GetDlgItem(frame, cmb13) ? GetDlgItem(frame, cmb13) : GetDlgItem(frame, edt1);
  HWND fileType = GetDlgItem(frame, cmb1);
  if (!pane || !fileName || !fileType) return;
  // The row's group holds the label and two wrappers: the field's (an edit) and the button's.
  HWND group = nullptr, label = nullptr, fieldWrapper = nullptr, buttonWrapper = nullptr;
  for (HWND wrapper : Children(pane)) {
    for (HWND child : Children(wrapper))
      if (FindWindowExA(child, nullptr, "Edit", nullptr)) group = wrapper, fieldWrapper = child;
    if (group != wrapper) continue;
    label = FindWindowExA(group, nullptr, "Static", nullptr);
    for (HWND child : Children(group))
      if (child != label && child != fieldWrapper) buttonWrapper = child;
  }
  if (!group || !label || !buttonWrapper) return;

  const RECT field = RectIn(fileName, pane), type = RectIn(fileType, pane), text = RectIn(label, group);
  const int rowHeight = Height(RectIn(fieldWrapper, group));
  const int labelLeft = field.left - kLabelGap - Width(text) > 0 ? field.left - kLabelGap - Width(text) : 0;
  RECT paneRect{};
  GetClientRect(pane, &paneRect);
  // The group spans the pane: its coordinates are the pane's. It is as high as two lines, so
  // that the pane keeps room for the line below.
  Place(group, 0, 0, paneRect.right, 2 * rowHeight + 2);
  Place(label, labelLeft, (rowHeight - Height(text)) / 2, Width(text), Height(text));
  PlaceWrapped(fieldWrapper, field.left, 0, Width(field), rowHeight);
  PlaceWrapped(buttonWrapper, type.left, 0, Width(type), Height(RectIn(buttonWrapper, group)));
  int left = field.left;
  for (HWND other : Children(pane)) {
    if (other == group) continue;
    const RECT rect = RectIn(other, pane);
    Place(other, left, rowHeight + 2, Width(rect), Height(rect));
    left += Width(rect);
  }
}

// Posted to the frame: its own layout is done by the time it arrives.
UINT LayOutMessage() {
  static const UINT message = RegisterWindowMessageA("DlgFslRowLayOut");
  return message;
}

LRESULT CALLBACK FrameProcedure(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == LayOutMessage()) {
    LayOut(frame);
    return 0;
  }
  const auto previous = reinterpret_cast<WNDPROC>(GetPropA(frame, kPreviousProcedure));
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    RemovePropA(frame, kPreviousProcedure);
  }
  const LRESULT result = CallWindowProcW(previous, frame, message, wParam, lParam);
  // The file name box has its new place now.
  if (message == WM_SIZE) LayOut(frame);
  return result;
}
}  // namespace

void KeepFslRowOnOneLine(HWND frame) {
  if (!frame) return;
  if (!GetPropA(frame, kPreviousProcedure)) {
    SetPropA(frame, kPreviousProcedure, reinterpret_cast<HANDLE>(GetWindowLongPtrW(frame, GWLP_WNDPROC)));
    SetWindowLongPtrW(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FrameProcedure));
  }
  PostMessageA(frame, LayOutMessage(), 0, 0);
}
