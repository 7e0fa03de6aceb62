// The viewer's top-level window "Glimmora": it holds the view, closes and
// reloads the viewer, and starts the commands of its popup menu and keys.
#pragma once
#include <windows.h>

extern const char kFrameClassName[];

LRESULT CALLBACK ViewerFrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam);
