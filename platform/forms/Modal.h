// The one way every message box and modal dialog of the program is shown.
//
// Nothing here changes what a person sees. The point is the answerer: a test
// installs one with SetModalAnswerer, and from then on, each time a modal
// window opened through this file is on screen and its modal loop waits for
// input, the answerer is called once with that window's handle. It answers as
// a person would, through the real window: it presses a button
// (SendMessage(button, BM_CLICK, 0, 0)), posts a key to the focused control,
// or closes the window. Nested modal windows (a box opened by a dialog) reach
// the answerer in turn. Without an answerer the calls are the plain Win32 ones.
//
//   ShowMessageBox   MessageBoxA
//   ShowModalDialog  DialogBoxIndirectParamA (dialogs built in memory)
//   RunModal         a window the caller created (a form) made modal until
//                    EndModal is called for it, as forms are shown modally
//   ShowPrintDialog  PrintDlgA
//
// The answerer must not throw: it runs inside the window's message loop.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <functional>

using ModalAnswerer = std::function<void(HWND)>;

// Installs the answerer for this thread's modal windows; an empty function
// removes it.
void SetModalAnswerer(ModalAnswerer answerer);

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type);

INT_PTR ShowModalDialog(HINSTANCE instance, const DLGTEMPLATE* dialogTemplate, HWND owner,
                        DLGPROC dialogProc, LPARAM param);

BOOL ShowPrintDialog(PRINTDLGA* dialog);

// Shows `window`, disables the other windows of the thread and dispatches
// messages until EndModal(window, result) or until the window is destroyed
// (result 2, as cancel). The windows disabled here are enabled again before
// it returns. A WM_QUIT met on the way ends the loop and is posted again.
int RunModal(HWND window);
void EndModal(HWND window, int result);
