// The viewer's popup menu.
#pragma once
#include <windows.h>

// Builds the menu and tracks it at `screenPoint` (the point of a
// WM_CONTEXTMENU; both coordinates 0xFFFF: the centre of the frame).
void ShowViewerMenu(HWND frame, LPARAM screenPoint);
