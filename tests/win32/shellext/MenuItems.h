// What a menu holds, item by item, as the tests compare it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct MenuItem {
  UINT type = 0;   // MFT_* flags
  UINT state = 0;  // MF_DISABLED and MF_GRAYED
  UINT id = 0;
  std::string text;          // "" for separators and bitmaps
  HBITMAP bitmap = nullptr;  // of an MFT_BITMAP item
  HMENU submenu = nullptr;
};

std::vector<MenuItem> MenuItems(HMENU menu);
// "Open|-|[bitmap]|&Wallpaper>" ...: one word per item, for messages.
std::string MenuOutline(HMENU menu);

// A popup menu with `names` as items 1, 2, ..., as the shell starts one.
HMENU ShellMenuWith(const std::vector<std::string>& names);

// The first command id the tests give the handler.
constexpr UINT kFirstId = 100;
