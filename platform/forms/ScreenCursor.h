// The application-wide screen cursor: while it is not the default arrow, every
// window of the program shows it, whatever control lies under the mouse.
#pragma once

#include <windows.h>

enum class TCursor { Default, HourGlass };

void SetScreenCursor(TCursor cursor);
TCursor ScreenCursor();

// For WM_SETCURSOR of the toolkit's `window`: true when the screen cursor took
// over (the message is then answered with TRUE).
bool ApplyScreenCursor(HWND window);
