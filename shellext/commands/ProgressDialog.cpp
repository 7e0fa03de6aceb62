#include "ProgressDialog.h"

#include "shellext/module/CallbackGuard.h"
#include "shellext/module/CentreWindow.h"
#include "CommandResources.h"

#include <commctrl.h>

namespace {

HWND currentDialog = nullptr;
LONG cancelled = 0;

INT_PTR ProgressDialogMessage(HWND dialog, UINT message, WPARAM wParam) {
  switch (message) {
    case WM_INITDIALOG:
      CentreWindow(dialog, GetWindow(dialog, GW_OWNER));
      cancelled = 0;
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) {
        cancelled = 1;
        DestroyWindow(dialog);
      }
      return TRUE;
    case WM_DESTROY:
      if (currentDialog == dialog) currentDialog = nullptr;
      return FALSE;
  }
  return FALSE;
}

INT_PTR CALLBACK ProgressDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  return Guarded<INT_PTR>(FALSE, [&] { return ProgressDialogMessage(dialog, message, wParam); });
}

}  // namespace

ProgressDialog::ProgressDialog(HINSTANCE instance, HWND owner, const char* text) {
  if (currentDialog) return;
  // The progress bar is one of the controls comctl32 4.00 registers here.
  InitCommonControls();
  window_ =
      CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_PROGRESS), owner, ProgressDialogProc, 0);
  if (!window_) return;
  currentDialog = window_;
  SetText(text);
  SendDlgItemMessageA(window_, IDC_PROGRESS_BAR, PBM_SETRANGE, 0, MAKELPARAM(0, 10000));
}

ProgressDialog::~ProgressDialog() { Close(); }

bool ProgressDialog::IsOpen() const { return window_ && currentDialog == window_; }

HWND ProgressDialog::Window() const { return IsOpen() ? window_ : nullptr; }

void ProgressDialog::Show() {
  if (!IsOpen()) return;
  ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);
}

void ProgressDialog::SetText(const char* text) {
  if (IsOpen()) SetDlgItemTextA(window_, IDC_PROGRESS_TEXT, text ? text : "");
}

void ProgressDialog::SetProgress(int progress) {
  if (IsOpen()) SendDlgItemMessageA(window_, IDC_PROGRESS_BAR, PBM_SETPOS, progress, 0);
}

void ProgressDialog::EnableCancel(bool enable) {
  if (IsOpen()) EnableWindow(GetDlgItem(window_, IDCANCEL), enable);
}

void ProgressDialog::Pump(int progress) {
  SetProgress(progress);
  MSG msg;
  while (IsOpen() && PeekMessageA(&msg, window_, 0, 0, PM_REMOVE)) {
    if (!IsDialogMessageA(window_, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  if (IsOpen()) UpdateWindow(window_);
}

void ProgressDialog::Close() {
  if (IsOpen()) DestroyWindow(window_);
  window_ = nullptr;
}

HWND CurrentProgressDialog() { return currentDialog; }

bool ProgressCancelled() { return cancelled != 0; }

void ClearProgressCancel() { cancelled = 0; }
