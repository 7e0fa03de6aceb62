#include "Control.h"

#include "Application.h"
#include "Form.h"
#include "ScreenCursor.h"

#include <algorithm>

namespace {
// Child window identifiers; menu commands use their own range.
int nextControlId = 100;
}  // namespace

TControl::~TControl() {
  DestroyHandle();
  if (parent_) {
    auto& siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
  for (TControl* child : children_) child->parent_ = nullptr;
}

void TControl::DestroyHandle() {
  // Detached first, so that messages sent while the windows go no longer
  // reach this object.
  for (HWND window : attached_)
    if (IsWindow(window)) SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  attached_.clear();
  if (handle_ && IsWindow(handle_)) DestroyWindow(handle_);
  handle_ = nullptr;
}

void TControl::Attach(HWND window) {
  if (std::find(attached_.begin(), attached_.end(), window) != attached_.end()) return;
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  attached_.push_back(window);
}

TControl* TControl::FromWindow(HWND window) {
  return window ? reinterpret_cast<TControl*>(GetWindowLongPtrA(window, GWLP_USERDATA)) : nullptr;
}

TControl* TControl::FromWindowOrAncestor(HWND window) {
  for (; window; window = GetParent(window))
    if (TControl* control = FromWindow(window)) return control;
  return nullptr;
}

TForm* TControl::ParentForm() {
  TControl* control = this;
  while (control->parent_) control = control->parent_;
  return dynamic_cast<TForm*>(control);
}

void TControl::CreateChild(TControl* parent, const char* className, DWORD style, DWORD exStyle,
                           const char* text, int left, int top, int width, int height) {
  parent_ = parent;
  parent->children_.push_back(this);
  id_ = nextControlId++;
  className_ = className;
  style_ = style | WS_CHILD;
  exStyle_ = exStyle;
  handle_ = CreateWindowExA(exStyle_, className, text, style_ | (visible_ ? WS_VISIBLE : 0), left,
                            top, width, height, parent->Handle(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)),
                            GetModuleHandleA(nullptr), this);
  Attach(handle_);
  SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
}

void TControl::RecreateChild() {
  const RECT bounds = BoundsRect();
  const bool enabled = Enabled();
  const bool focused = GetFocus() == handle_;
  HWND old = handle_;
  SetWindowLongPtrA(old, GWLP_USERDATA, 0);
  attached_.erase(std::remove(attached_.begin(), attached_.end(), old), attached_.end());
  handle_ = CreateWindowExA(
      exStyle_, className_.c_str(), "", style_ | (visible_ ? WS_VISIBLE : 0), bounds.left,
      bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent_->Handle(),
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), GetModuleHandleA(nullptr), this);
  // Same place in the tab order as the window it replaces.
  SetWindowPos(handle_, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  DestroyWindow(old);
  Attach(handle_);
  SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
  EnableWindow(handle_, enabled);
  if (focused) SetFocus(handle_);
}

void TControl::SetVisible(bool visible) {
  visible_ = visible;
  if (handle_) ShowWindow(handle_, visible ? SW_SHOW : SW_HIDE);
  if (parent_ && align_ != TAlign::None) parent_->AlignChildren();
}

bool TControl::Enabled() const { return handle_ && IsWindowEnabled(handle_); }

void TControl::SetEnabled(bool enabled) {
  for (HWND window : attached_) EnableWindow(window, enabled);
}

void TControl::SetAlign(TAlign align) {
  align_ = align;
  if (parent_) parent_->AlignChildren();
}

RECT TControl::BoundsRect() const {
  RECT rect{};
  GetWindowRect(handle_, &rect);
  if (HWND parent = GetParent(handle_))
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void TControl::SetBounds(int left, int top, int width, int height) {
  MoveWindow(handle_, left, top, width, height, TRUE);
}

std::string TControl::EffectiveHint() const {
  for (const TControl* control = this; control; control = control->parent_)
    if (!control->Hint.empty()) return control->Hint;
  return std::string();
}

void TControl::SetFont(const std::string& face, int points, unsigned style) {
  font_ = CreatePointFont(face, points, style);
  for (HWND window : attached_)
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), TRUE);
}

HFONT TControl::Font() const {
  if (font_) return font_.Get();
  if (parent_) return parent_->Font();
  return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

bool TControl::Notify(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

int TControl::AlignedHeight() const {
  const RECT rect = BoundsRect();
  return rect.bottom - rect.top;
}

void TControl::AlignChildren() {
  if (!handle_) return;
  RECT client;
  GetClientRect(handle_, &client);
  const int width = client.right - client.left;
  int top = client.top;
  int bottom = client.bottom;
  for (TControl* child : children_) {
    if (!child->visible_ || child->align_ == TAlign::None) continue;
    const int height = child->AlignedHeight();
    if (child->align_ == TAlign::Top) {
      child->SetBounds(0, top, width, height);
      top += height;
    } else if (child->align_ == TAlign::Bottom) {
      bottom -= height;
      child->SetBounds(0, bottom, width, height);
    }
  }
  for (TControl* child : children_)
    if (child->visible_ && child->align_ == TAlign::Client)
      child->SetBounds(0, top, width, std::max(0, bottom - top));
}

LRESULT TControl::ContainerProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (DispatchToChild(this, message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_SETCURSOR:
      if (ApplyScreenCursor(handle_)) return TRUE;
      break;
    case WM_SIZE:
      AlignChildren();
      return 0;
  }
  return DefWindowProcA(handle_, message, wParam, lParam);
}

bool DispatchToChild(TControl* container, UINT message, WPARAM wParam, LPARAM lParam,
                     LRESULT& result) {
  HWND child = nullptr;
  TControl* control = nullptr;
  switch (message) {
    case WM_MEASUREITEM: {
      // Sent while the control's window is being created, before it can be
      // found by its handle: found by its identifier.
      const auto* measure = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
      for (TControl* candidate : container->children_)
        if (measure->CtlType != ODT_MENU && candidate->id_ == static_cast<int>(measure->CtlID))
          control = candidate;
      break;
    }
    case WM_COMMAND:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
      child = reinterpret_cast<HWND>(lParam);
      break;
    case WM_NOTIFY:
      child = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
      break;
    case WM_DRAWITEM: {
      const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (draw->CtlType != ODT_MENU) child = draw->hwndItem;
      break;
    }
    default:
      return false;
  }
  if (!control) control = TControl::FromWindow(child);
  if (!control) return false;
  bool handled = false;
  result = 0;
  Guarded([&] { handled = control->Notify(message, wParam, lParam, result); });
  return handled;
}

LRESULT CALLBACK ContainerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* control =
        static_cast<TControl*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    control->handle_ = window;
    control->Attach(window);
  }
  TControl* control = TControl::FromWindow(window);
  if (!control) return DefWindowProcA(window, message, wParam, lParam);
  LRESULT result = 0;
  Guarded([&] { result = control->ContainerProc(message, wParam, lParam); });
  return result;
}

void RegisterContainerClass(const char* className, UINT style, HBRUSH background) {
  WNDCLASSA existing;
  if (GetClassInfoA(GetModuleHandleA(nullptr), className, &existing)) return;
  WNDCLASSA wc{};
  wc.style = style;
  wc.lpfnWndProc = ContainerWindowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
  wc.hbrBackground = background;
  wc.lpszClassName = className;
  RegisterClassA(&wc);
}
