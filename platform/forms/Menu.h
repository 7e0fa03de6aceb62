// The main menu: items with caption, hint, shortcut key, check mark and
// enabling; choosing an item runs its click handler.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TMenuItem {
 public:
  TMenuItem(const char* name, const char* caption, const char* hint, WORD shortCut = 0);
  TMenuItem(const TMenuItem&) = delete;
  TMenuItem& operator=(const TMenuItem&) = delete;

  const std::string Name;
  const std::string Caption;  // "-" for a separator
  const std::string Hint;
  const WORD ShortCut;  // virtual key without modifiers, 0 for none
  std::function<void()> OnClick;

  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // Runs the click handler when the item is enabled.
  void Click();

  // The command identifier the item's WM_COMMAND carries.
  UINT Command() const { return id_; }

  // Appends a sub-item (its lifetime is the caller's).
  void Add(TMenuItem& item);

 private:
  friend class TMainMenu;
  void Build(HMENU into);
  TMenuItem* FindCommand(UINT id);
  TMenuItem* FindPopup(HMENU popup);
  TMenuItem* FindShortCut(WORD key);

  UINT id_ = 0;
  HMENU owner_ = nullptr;  // the menu that holds this item
  HMENU popup_ = nullptr;  // the item's own submenu, if it has items
  bool checked_ = false;
  bool enabled_ = true;
  std::vector<TMenuItem*> items_;
};

class TMainMenu {
 public:
  TMainMenu() = default;
  ~TMainMenu();
  TMainMenu(const TMainMenu&) = delete;
  TMainMenu& operator=(const TMainMenu&) = delete;

  void Add(TMenuItem& item);
  // Creates the menu handle from the items added so far.
  HMENU Build();
  HMENU Handle() const { return menu_; }

  // WM_COMMAND of a menu item: runs the item's handler; false when unknown.
  bool DispatchCommand(UINT id);
  // The hint of the item that WM_MENUSELECT names.
  std::string HintFor(WPARAM wParam, LPARAM lParam);
  // Runs the enabled item whose shortcut is `key`; true when one did.
  bool IsShortCut(WORD key);

 private:
  HMENU menu_ = nullptr;
  std::vector<TMenuItem*> items_;
};
