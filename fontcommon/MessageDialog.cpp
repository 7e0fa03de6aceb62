#include "fontcommon/MessageDialog.h"

#include "platform/forms/PointFont.h"
#include "platform/forms/Modal.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace {

// An empty dialog in the system's dialog font; WM_INITDIALOG lays out the
// controls once the text has been measured in that font. It comes to the
// front: a box shown with no window of the program active (the uninstall
// question) must not wait unseen behind other programs.
std::vector<WORD> EmptyDialogTemplate() {
  std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
  auto* dialog = reinterpret_cast<DLGTEMPLATE*>(words.data());
  dialog->style =
      WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_SETFOREGROUND;
  words.push_back(0);  // no menu
  words.push_back(0);  // the standard dialog class
  words.push_back(0);  // no title yet
  words.push_back(8);  // point size
  for (const char* c = "MS Sans Serif"; *c; ++c) words.push_back(static_cast<WORD>(*c));
  words.push_back(0);
  return words;
}

LPCSTR IconOf(TMsgDlgType kind) {
  switch (kind) {
    case mtError:
      return IDI_HAND;
    case mtConfirmation:
      return IDI_QUESTION;
    case mtInformation:
      return IDI_ASTERISK;
  }
  return IDI_APPLICATION;
}

HWND AddControl(HWND dialog, const char* className, const char* text, DWORD style, int id,
                const RECT& place) {
  HWND control = CreateWindowExA(
      0, className, text, WS_CHILD | WS_VISIBLE | style, place.left, place.top,
      place.right - place.left, place.bottom - place.top, dialog,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE)), nullptr);
  SendMessageA(control, WM_SETFONT, SendMessageA(dialog, WM_GETFONT, 0, 0), FALSE);
  return control;
}

// Icon at the top left, the text beside it, the buttons centred in a row
// below; the text wraps at half the screen's width.
void LayOut(HWND dialog, const TMessageBoxLook& look) {
  SetWindowTextA(dialog, look.Title);
  RECT units = {8, 4, 50, 14};  // margin, spacing, button width and height
  MapDialogRect(dialog, &units);
  const int margin = units.left, spacing = units.top;
  const int buttonWidth = units.right, buttonHeight = units.bottom;

  RECT text = {0, 0, GetSystemMetrics(SM_CXSCREEN) / 2, 0};
  {
    WindowDC dc(dialog);
    SelectGuard font(dc.Get(), reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)));
    DrawTextA(dc.Get(), look.Text.c_str(), -1, &text,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  }
  // The static control wraps a line that exactly fills its width; a little
  // more room keeps the measured lines as they are.
  text.right += spacing;

  const int icon = GetSystemMetrics(SM_CXICON);
  const int count = static_cast<int>(look.Buttons.size());
  const int rowWidth = count * buttonWidth + (count - 1) * spacing;
  const int textLeft = margin + icon + margin;
  const int clientWidth =
      std::max(textLeft + static_cast<int>(text.right), margin + rowWidth) + margin;
  const int buttonTop = margin + std::max(icon, static_cast<int>(text.bottom)) + margin;
  const int clientHeight = buttonTop + buttonHeight + margin;

  HWND iconControl = AddControl(dialog, "STATIC", "", SS_ICON, kMessageIconId,
                                RECT{margin, margin, margin + icon, margin + icon});
  SendMessageA(iconControl, STM_SETICON,
               reinterpret_cast<WPARAM>(LoadIconA(nullptr, IconOf(look.Kind))), 0);
  AddControl(dialog, "STATIC", look.Text.c_str(), SS_LEFT | SS_NOPREFIX, kMessageTextId,
             RECT{textLeft, margin, textLeft + text.right, margin + text.bottom});
  int x = (clientWidth - rowWidth) / 2;
  DWORD group = WS_GROUP;
  for (const TMsgDlgButtonLook& button : look.Buttons) {
    DWORD style = WS_TABSTOP | group |
                  (button.Result == look.DefaultResult ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    group = 0;
    AddControl(dialog, "BUTTON", button.Caption, style, button.Result,
               RECT{x, buttonTop, x + buttonWidth, buttonTop + buttonHeight});
    x += buttonWidth + spacing;
  }

  RECT frame = {0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_EXSTYLE)));
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  SetWindowPos(dialog, nullptr, work.left + (work.right - work.left - width) / 2,
               work.top + (work.bottom - work.top - height) / 2, width, height,
               SWP_NOZORDER | SWP_NOACTIVATE);

  if (look.EscapeResult == 0)
    EnableMenuItem(GetSystemMenu(dialog, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  SendMessageA(dialog, DM_SETDEFID, look.DefaultResult, 0);
  SetFocus(GetDlgItem(dialog, look.DefaultResult));
}

INT_PTR CALLBACK MessageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    LayOut(dialog, *reinterpret_cast<const TMessageBoxLook*>(lParam));
    return FALSE;  // the focus is set
  }
  if (message != WM_COMMAND) return FALSE;
  const auto* look = reinterpret_cast<const TMessageBoxLook*>(GetWindowLongPtrA(dialog, DWLP_USER));
  const int id = LOWORD(wParam);
  // Escape, the close box and Alt+F4 all arrive as IDCANCEL.
  if (id == IDCANCEL) {
    if (look->EscapeResult != 0) EndDialog(dialog, look->EscapeResult);
    return TRUE;
  }
  for (const TMsgDlgButtonLook& button : look->Buttons) {
    if (button.Result == id) {
      EndDialog(dialog, id);
      return TRUE;
    }
  }
  return FALSE;
}

BOOL CALLBACK FindMainWindow(HWND window, LPARAM param) {
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  if (!IsWindowVisible(window) || !IsWindowEnabled(window) || GetWindow(window, GW_OWNER) ||
      (style & WS_CAPTION) != WS_CAPTION)
    return TRUE;
  *reinterpret_cast<HWND*>(param) = window;
  return FALSE;
}

// The active window of this thread; while another program is in front there
// is none, and the box then belongs to the thread's main window (the first
// visible captioned window that no other owns), so that it disables that
// window and cannot open unowned behind others.
HWND BoxOwner() {
  HWND owner = GetActiveWindow();
  if (!owner)
    EnumThreadWindows(GetCurrentThreadId(), FindMainWindow, reinterpret_cast<LPARAM>(&owner));
  return owner;
}

}  // namespace

uint16_t ShowMessageDialog(const TMessageBoxLook& look) {
  static const std::vector<WORD> dialogTemplate = EmptyDialogTemplate();
  INT_PTR result = ShowModalDialog(GetModuleHandleA(nullptr),
                                   reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()),
                                   BoxOwner(), MessageDialogProc, reinterpret_cast<LPARAM>(&look));
  // A box that could not be shown answers as Escape would, so that no
  // question is taken as agreed to.
  if (result <= 0) return look.EscapeResult != 0 ? look.EscapeResult : look.DefaultResult;
  return static_cast<uint16_t>(result);
}
