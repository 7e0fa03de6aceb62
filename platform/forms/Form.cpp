#include "Form.h"

#include "Application.h"
#include "Button.h"
#include "Menu.h"
#include "platform/forms/Modal.h"

#include <commctrl.h>

TForm::TForm(const char* name, const TFormDefinition& definition)
    : TControl(name), definition_(definition) {
  visible_ = false;
}

TForm::~TForm() {
  // The derived form is gone by now; its handlers must not run.
  OnDestroy = nullptr;
  OnClose = nullptr;
  OnKeyDown = nullptr;
  OnKeyUp = nullptr;
  DestroyForm();
}

void TForm::DestroyForm() {
  if (handle_ && IsWindow(handle_)) DestroyWindow(handle_);
  DestroyHandle();
}

TForm* TForm::FromWindow(HWND window) { return dynamic_cast<TForm*>(TControl::FromWindow(window)); }

void TForm::CreateForm(TForm* owner) {
  DWORD style = 0;
  DWORD exStyle = 0;
  switch (definition_.border) {
    case TBorderStyle::Sizeable:
      style = WS_OVERLAPPEDWINDOW;
      break;
    case TBorderStyle::Dialog:
      style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
      exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
      break;
    case TBorderStyle::DialogNoSysMenu:
      style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
      exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
      break;
  }
  style |= WS_CLIPCHILDREN;
  RECT frame = {0, 0, definition_.width, definition_.height};
  if (definition_.clientSize) AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;

  RegisterContainerClass(definition_.windowClass, CS_DBLCLKS, GetSysColorBrush(COLOR_BTNFACE));
  CreateWindowExA(exStyle, definition_.windowClass, definition_.caption, style, left, top, width,
                  height, owner ? owner->Handle() : nullptr, nullptr, GetModuleHandleA(nullptr),
                  this);
}

std::string TForm::Caption() const {
  char text[256] = "";
  GetWindowTextA(handle_, text, sizeof text);
  return text;
}

void TForm::SetCaption(const std::string& caption) { SetWindowTextA(handle_, caption.c_str()); }

void TForm::SetMenu(TMainMenu* menu) {
  menu_ = menu;
  ::SetMenu(handle_, menu ? menu->Build() : nullptr);
}

void TForm::AddTooltips(TControl* control) {
  const std::string tip = GetShortHint(control->Hint);
  if (control->ShowHint && !tip.empty()) {
    for (HWND window : control->Windows()) {
      TOOLINFOA info{};
      info.cbSize = TTTOOLINFOA_V1_SIZE;
      info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
      info.hwnd = handle_;
      info.uId = reinterpret_cast<UINT_PTR>(window);
      info.lpszText = const_cast<char*>(tip.c_str());
      SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    }
  }
  for (TControl* child : control->Children()) AddTooltips(child);
}

void TForm::RegisterTooltips() {
  if (!tooltip_)
    tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0,
                               0, 0, 0, handle_, nullptr, GetModuleHandleA(nullptr), nullptr);
  for (TControl* child : Children()) AddTooltips(child);
}

void TForm::Show() {
  visible_ = true;
  ShowWindow(handle_, SW_SHOWNORMAL);
}

void TForm::ShowAndPaint() {
  Show();
  UpdateWindow(handle_);
}

void TForm::Hide() {
  visible_ = false;
  ShowWindow(handle_, SW_HIDE);
}

void TForm::Close() { PostMessageA(handle_, WM_CLOSE, 0, 0); }

int TForm::ShowModal() {
  modal_ = true;
  modalResult_ = mrNone;
  visible_ = true;
  const int result = RunModal(handle_);
  modal_ = false;
  visible_ = false;
  if (modalResult_ == mrNone) modalResult_ = result;
  return modalResult_;
}

void TForm::SetModalResult(int result) {
  modalResult_ = result;
  if (modal_ && result != mrNone) EndModal(handle_, result);
}

bool TForm::PreviewKey(UINT message, WORD key) {
  if (message == WM_KEYDOWN && menu_ && menu_->IsShortCut(key)) return true;
  if (!KeyPreview) return false;
  WORD previewed = key;
  if (message == WM_KEYDOWN && OnKeyDown)
    OnKeyDown(previewed);
  else if (message == WM_KEYUP && OnKeyUp)
    OnKeyUp(previewed);
  return previewed == 0;
}

bool TForm::HandleMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

LRESULT TForm::ContainerProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (HandleMessage(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_COMMAND:
      if (lParam == 0 || !TControl::FromWindow(reinterpret_cast<HWND>(lParam))) {
        const UINT id = LOWORD(wParam);
        if (id == IDOK && DefaultButton) {
          DefaultButton->Click();
          return 0;
        }
        if (id == IDCANCEL) {
          if (CancelButton)
            CancelButton->Click();
          else if (modal_)
            SetModalResult(mrCancel);
          return 0;
        }
        if (menu_ && HIWORD(wParam) == 0 && menu_->DispatchCommand(id)) return 0;
      }
      break;
    case DM_GETDEFID:
      if (DefaultButton) return MAKELONG(GetDlgCtrlID(DefaultButton->Handle()), DC_HASDEFID);
      return 0;
    case WM_MENUSELECT:
      if (menu_) Application.SetHint(menu_->HintFor(wParam, lParam));
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(handle_, focus)) lastFocus_ = focus;
      } else if (lastFocus_ && IsWindow(lastFocus_)) {
        SetFocus(lastFocus_);
      } else if (ActiveControl && ActiveControl->Handle()) {
        SetFocus(ActiveControl->Handle());
      } else {
        break;
      }
      return 0;
    case WM_CLOSE:
      if (OnClose) OnClose();
      if (modal_)
        SetModalResult(mrCancel);
      else
        DestroyWindow(handle_);
      return 0;
    case WM_DESTROY:
      if (OnDestroy) Guarded(OnDestroy);
      // The menu belongs to the menu object, not to the window.
      if (menu_) ::SetMenu(handle_, nullptr);
      if (Application.MainForm == this) PostQuitMessage(0);
      return 0;
  }
  return TControl::ContainerProc(message, wParam, lParam);
}
