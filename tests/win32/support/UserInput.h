// Input as a person gives it, posted or sent to the window that would get it.
#pragma once

#include <windows.h>

// Posts a key press and release to `window` (the focused control); the
// caller's message loop delivers them.
void PostKeyPress(HWND window, WORD key);
// A left click on list box row `index`, with Ctrl held when `control`.
void ClickListRow(HWND listBox, int index, bool control = false);
// The centre of `window` in screen coordinates.
POINT WindowCentre(HWND window);
