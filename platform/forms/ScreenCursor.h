// The application-wide screen cursor: while it is not the default arrow, every
// window of the program shows it, whatever control lies under the mouse.
#pragma once

#include <windows.h>

enum class TCursor { Default, HourGlass };

void SetScreenCursor(TCursor cursor);
TCursor ScreenCursor();

// The hourglass over a long operation: shown for the guard's lifetime, and
// the default arrow once it ends, also when an exception ends it.
class TWaitCursor {
 public:
  TWaitCursor() { SetScreenCursor(TCursor::HourGlass); }
  ~TWaitCursor() { SetScreenCursor(TCursor::Default); }
  TWaitCursor(const TWaitCursor&) = delete;
  TWaitCursor& operator=(const TWaitCursor&) = delete;
};

// For WM_SETCURSOR of the toolkit's `window`: true when the screen cursor took
// over (the message is then answered with TRUE).
bool ApplyScreenCursor(HWND window);
