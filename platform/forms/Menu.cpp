#include "Menu.h"

namespace {
UINT nextCommandId = 1000;

std::string ShortCutText(WORD key) {
  switch (key) {
    case VK_DELETE:
      return "Del";
    case VK_INSERT:
      return "Ins";
    default:
      if (key >= VK_F1 && key <= VK_F12) return "F" + std::to_string(key - VK_F1 + 1);
      return std::string(1, static_cast<char>(key));
  }
}
}  // namespace

TMenuItem::TMenuItem(const char* name, const char* caption, const char* hint, WORD shortCut)
    : Name(name), Caption(caption), Hint(hint), ShortCut(shortCut) {}

void TMenuItem::SetChecked(bool checked) {
  checked_ = checked;
  if (owner_) CheckMenuItem(owner_, id_, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void TMenuItem::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (owner_) EnableMenuItem(owner_, id_, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void TMenuItem::Click() {
  if (enabled_ && OnClick) OnClick();
}

void TMenuItem::Add(TMenuItem& item) { items_.push_back(&item); }

void TMenuItem::Build(HMENU into) {
  owner_ = into;
  if (Caption == "-") {
    AppendMenuA(into, MF_SEPARATOR, 0, nullptr);
    return;
  }
  std::string text = Caption;
  if (ShortCut) text += "\t" + ShortCutText(ShortCut);
  UINT flags = MF_STRING | (checked_ ? MF_CHECKED : 0) | (enabled_ ? 0 : MF_GRAYED);
  if (!items_.empty()) {
    popup_ = CreatePopupMenu();
    for (TMenuItem* item : items_) item->Build(popup_);
    // A popup is found by its handle, which also serves as its command id.
    id_ = static_cast<UINT>(reinterpret_cast<UINT_PTR>(popup_));
    AppendMenuA(into, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(popup_), text.c_str());
  } else {
    id_ = nextCommandId++;
    AppendMenuA(into, flags, id_, text.c_str());
  }
}

TMenuItem* TMenuItem::FindCommand(UINT id) {
  if (items_.empty() && Caption != "-") return id_ == id ? this : nullptr;
  for (TMenuItem* item : items_)
    if (TMenuItem* found = item->FindCommand(id)) return found;
  return nullptr;
}

TMenuItem* TMenuItem::FindPopup(HMENU popup) {
  if (popup_ == popup) return this;
  for (TMenuItem* item : items_)
    if (TMenuItem* found = item->FindPopup(popup)) return found;
  return nullptr;
}

TMenuItem* TMenuItem::FindShortCut(WORD key) {
  if (ShortCut == key && items_.empty()) return this;
  for (TMenuItem* item : items_)
    if (TMenuItem* found = item->FindShortCut(key)) return found;
  return nullptr;
}

TMainMenu::~TMainMenu() {
  if (menu_ && IsMenu(menu_)) DestroyMenu(menu_);
}

void TMainMenu::Add(TMenuItem& item) { items_.push_back(&item); }

HMENU TMainMenu::Build() {
  menu_ = CreateMenu();
  for (TMenuItem* item : items_) item->Build(menu_);
  return menu_;
}

bool TMainMenu::DispatchCommand(UINT id) {
  for (TMenuItem* item : items_)
    if (TMenuItem* found = item->FindCommand(id)) {
      found->Click();
      return true;
    }
  return false;
}

std::string TMainMenu::HintFor(WPARAM wParam, LPARAM lParam) {
  const UINT flags = HIWORD(wParam);
  const HMENU menu = reinterpret_cast<HMENU>(lParam);
  if (flags == 0xFFFF && !menu) return std::string();  // the menu closed
  for (TMenuItem* item : items_) {
    TMenuItem* found = nullptr;
    if (flags & MF_POPUP)
      found = item->FindPopup(GetSubMenu(menu, LOWORD(wParam)));
    else
      found = item->FindCommand(LOWORD(wParam));
    if (found) return found->Hint;
  }
  return std::string();
}

bool TMainMenu::IsShortCut(WORD key) {
  if (GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0)
    return false;
  for (TMenuItem* item : items_)
    if (TMenuItem* found = item->FindShortCut(key)) {
      if (!found->Enabled()) return false;
      found->Click();
      return true;
    }
  return false;
}
