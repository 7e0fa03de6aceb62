#include "CheckBox.h"

void TCheckBox::Create(TControl* parent, const char* caption, int left, int top, int width,
                       int height) {
  CreateChild(parent, "BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 0, caption, left, top, width, height);
}

bool TCheckBox::Checked() const { return SendMessageA(handle_, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void TCheckBox::SetChecked(bool checked) {
  if (checked == Checked()) return;
  SendMessageA(handle_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  if (OnClick) OnClick();
}

bool TCheckBox::Notify(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    if (OnClick) OnClick();
    result = 0;
    return true;
  }
  return false;
}
