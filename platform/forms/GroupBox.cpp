#include "GroupBox.h"

namespace {

// Every group box is a BUTTON, so one procedure stands before all of them.
// (Subclassing by window procedure: comctl32 4.00 has no SetWindowSubclass.)
WNDPROC buttonProc = nullptr;

// A group box paints only its frame and caption; its inside, which the form
// does not paint under it, gets the form's colour here.
LRESULT CALLBACK GroupBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) {
    RECT client;
    GetClientRect(window, &client);
    FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
    return TRUE;
  }
  return CallWindowProcA(buttonProc, window, message, wParam, lParam);
}

}  // namespace

void TGroupBox::Create(TControl* parent, const char* caption, int left, int top, int width,
                       int height) {
  // Below the controls it frames, and never painting over them.
  CreateChild(parent, "BUTTON", BS_GROUPBOX | WS_CLIPSIBLINGS, 0, caption, left, top, width,
              height);
  SetWindowPos(handle_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  const auto previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&GroupBoxProc)));
  if (!buttonProc) buttonProc = previous;
}
