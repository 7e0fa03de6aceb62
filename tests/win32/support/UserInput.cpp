#include "UserInput.h"

void PostKeyPress(HWND window, WORD key) {
  PostMessageA(window, WM_KEYDOWN, key, 1);
  PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

void ClickListRow(HWND listBox, int index, bool control) {
  RECT row;
  SendMessageA(listBox, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&row));
  const LPARAM at = MAKELPARAM(row.left + 5, (row.top + row.bottom) / 2);
  const WPARAM keys = MK_LBUTTON | (control ? MK_CONTROL : 0);
  SendMessageA(listBox, WM_LBUTTONDOWN, keys, at);
  SendMessageA(listBox, WM_LBUTTONUP, keys & ~MK_LBUTTON, at);
}

POINT WindowCentre(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}
