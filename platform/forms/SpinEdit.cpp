#include "SpinEdit.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <string>

void TSpinEdit::Create(TControl* parent, int left, int top, int width, int height, int minValue,
                       int maxValue) {
  min_ = minValue;
  max_ = maxValue;
  value_ = minValue;
  CreateChild(parent, "EDIT", WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
              std::to_string(value_).c_str(), left, top, width, height);
  upDown_ = CreateWindowExA(
      0, UPDOWN_CLASSA, "",
      WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0,
      0, 0, 0, parent->Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
  Attach(upDown_);
  SendMessageA(upDown_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(handle_), 0);
  SendMessageA(upDown_, UDM_SETRANGE, 0, MAKELPARAM(max_, min_));
  SendMessageA(upDown_, UDM_SETPOS, 0, MAKELPARAM(value_, 0));
}

void TSpinEdit::SetValue(int value) {
  value = std::clamp(value, min_, max_);
  SendMessageA(upDown_, UDM_SETPOS, 0, MAKELPARAM(value, 0));
  // The edit reports the new text, which sets the value and runs OnChange.
  SetWindowTextA(handle_, std::to_string(value).c_str());
}

bool TSpinEdit::Notify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE &&
      reinterpret_cast<HWND>(lParam) == handle_) {
    char text[16] = "";
    GetWindowTextA(handle_, text, sizeof text);
    value_ = std::clamp(static_cast<int>(std::strtol(text, nullptr, 10)), min_, max_);
    if (OnChange) OnChange();
    result = 0;
    return true;
  }
  if (message == WM_CTLCOLORSTATIC) {
    // Read-only only against typing: it looks like an editable field.
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    return true;
  }
  return false;
}
