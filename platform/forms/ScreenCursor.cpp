#include "ScreenCursor.h"

#include "platform/system/RootWindow.h"

#include <windows.h>

namespace {
TCursor current = TCursor::Default;
}

void SetScreenCursor(TCursor cursor) {
  current = cursor;
  SetCursor(LoadCursorA(nullptr, cursor == TCursor::HourGlass ? IDC_WAIT : IDC_ARROW));
}

TCursor ScreenCursor() { return current; }

bool ApplyScreenCursor(HWND window) {
  // A window disabled under a message box shows the box's arrow.
  if (current == TCursor::Default || !IsWindowEnabled(RootWindowOf(window))) return false;
  SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  return true;
}
