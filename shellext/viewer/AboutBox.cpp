#include "AboutBox.h"

#include <cstdlib>

#include "shellext/module/CallbackGuard.h"
#include "shellext/module/CentreWindow.h"
#include "shellext/module/Module.h"
#include "platform/forms/Modal.h"

namespace {

const int kAboutDialog = 1000;
const int kIconControl = 128;
const int kVersionControl = 105;
const UINT_PTR kFlashTimer = 100;

void NextIcon(HWND box) {
  const bool secondShowing = reinterpret_cast<HICON>(SendDlgItemMessageA(
                                 box, kIconControl, STM_GETICON, 0, 0)) == SecondIcon;
  if (secondShowing) {
    SendDlgItemMessageA(box, kIconControl, STM_SETICON, reinterpret_cast<WPARAM>(ProgramIcon), 0);
    SetTimer(box, kFlashTimer, static_cast<UINT>(std::rand() % 7000), nullptr);
  } else {
    SendDlgItemMessageA(box, kIconControl, STM_SETICON, reinterpret_cast<WPARAM>(SecondIcon), 0);
    SetTimer(box, kFlashTimer, static_cast<UINT>(std::rand() % 200), nullptr);
  }
}

INT_PTR AboutBoxMessage(HWND box, UINT message, WPARAM wParam) {
  switch (message) {
    case WM_INITDIALOG: {
      CentreWindow(box, GetWindow(box, GW_OWNER));
      char version[32];
      wsprintfA(version, "Version %s", "1.0");
      SetDlgItemTextA(box, kVersionControl, version);
      SetTimer(box, kFlashTimer, 1000, nullptr);
      return TRUE;
    }
    case WM_TIMER:
      if (wParam == kFlashTimer) NextIcon(box);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        KillTimer(box, kFlashTimer);
        EndDialog(box, LOWORD(wParam));
      }
      return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK AboutBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM) {
  return Guarded<INT_PTR>(FALSE, [&] { return AboutBoxMessage(box, message, wParam); });
}

}  // namespace

void ShowAboutBox(HWND owner) {
  ModuleCountHold hold;
  HRSRC found = FindResourceA(ModuleInstance, MAKEINTRESOURCEA(kAboutDialog), MAKEINTRESOURCEA(5));
  HGLOBAL loaded = found ? LoadResource(ModuleInstance, found) : nullptr;
  const auto* dialog = loaded ? static_cast<const DLGTEMPLATE*>(LockResource(loaded)) : nullptr;
  if (!dialog) {
    MessageBeep(static_cast<UINT>(-1));
    return;
  }
  ShowModalDialog(ModuleInstance, dialog, owner, AboutBoxProc, 0);
}
