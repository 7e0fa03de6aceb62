#pragma once
#include <windows.h>

// Centres `window` over `over` (by default its parent or owner; the desktop
// when there is none or it is minimised), keeping it on the screen. Size,
// Z order and activation stay as they are.
void CentreWindow(HWND window, HWND over = nullptr);
