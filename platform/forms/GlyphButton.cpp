#include "GlyphButton.h"

void TGlyphButton::Create(TControl* parent, int glyph, int left, int top, int width, int height) {
  glyph_.Reset(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(glyph),
                                               IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS)));
  CreateChild(parent, "BUTTON", BS_PUSHBUTTON | BS_BITMAP, 0, "", left, top, width, height);
  SendMessageA(handle_, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(glyph_.Get()));
  buttonProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
      handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TGlyphButton::ButtonProc)));
}

// The button sets the focus to itself when pressed, before it captures the
// mouse; handing it straight back leaves the press and the click intact.
LRESULT CALLBACK TGlyphButton::ButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* button = dynamic_cast<TGlyphButton*>(TControl::FromWindow(window));
  if (!button || !button->buttonProc_) return DefWindowProcA(window, message, wParam, lParam);
  const LRESULT result = CallWindowProcA(button->buttonProc_, window, message, wParam, lParam);
  if (message == WM_SETFOCUS) {
    HWND previous = reinterpret_cast<HWND>(wParam);
    if (previous && IsWindow(previous) && previous != window) SetFocus(previous);
  }
  return result;
}

void TGlyphButton::Click() {
  if (OnClick) OnClick();
}

bool TGlyphButton::Notify(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    Click();
    result = 0;
    return true;
  }
  return false;
}
