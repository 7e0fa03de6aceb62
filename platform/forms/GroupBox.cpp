#include "GroupBox.h"

#include <commctrl.h>

namespace {

// A group box paints only its frame and caption; its inside, which the form
// does not paint under it, gets the form's colour here.
LRESULT CALLBACK GroupBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR) {
  if (message == WM_ERASEBKGND) {
    RECT client;
    GetClientRect(window, &client);
    FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
    return TRUE;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

void TGroupBox::Create(TControl* parent, const char* caption, int left, int top, int width,
                       int height) {
  // Below the controls it frames, and never painting over them.
  CreateChild(parent, "BUTTON", BS_GROUPBOX | WS_CLIPSIBLINGS, 0, caption, left, top, width,
              height);
  SetWindowPos(handle_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetWindowSubclass(handle_, GroupBoxProc, 0, 0);
}
