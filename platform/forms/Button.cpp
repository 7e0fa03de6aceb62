#include "Button.h"

#include "Form.h"

void TButton::Create(TControl* parent, const char* caption, int left, int top, int width,
                     int height, bool isDefault) {
  CreateChild(parent, "BUTTON", WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0,
              caption, left, top, width, height);
}

void TButton::Click() {
  if (ModalResult != 0)
    if (TForm* form = ParentForm()) form->SetModalResult(ModalResult);
  if (OnClick) OnClick();
}

bool TButton::Notify(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    Click();
    result = 0;
    return true;
  }
  return false;
}
