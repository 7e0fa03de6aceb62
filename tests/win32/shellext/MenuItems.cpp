#include "MenuItems.h"

std::vector<MenuItem> MenuItems(HMENU menu) {
  std::vector<MenuItem> items;
  const int count = GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    char text[300] = "";
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_TYPE | MIIM_ID | MIIM_SUBMENU;
    info.dwTypeData = text;
    info.cch = sizeof text;
    MenuItem item;
    if (GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info)) {
      item.type = info.fType;
      // Unlike MFS_*, these tell disabled from grayed.
      item.state = GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION) &
                   (MF_DISABLED | MF_GRAYED);
      item.id = info.wID;
      item.submenu = info.hSubMenu;
      if (info.fType & MFT_BITMAP)
        item.bitmap = reinterpret_cast<HBITMAP>(info.dwTypeData);
      else if (!(info.fType & MFT_SEPARATOR))
        item.text = text;
    }
    items.push_back(item);
  }
  return items;
}

std::string MenuOutline(HMENU menu) {
  std::string outline;
  for (const MenuItem& item : MenuItems(menu)) {
    if (!outline.empty()) outline += "|";
    if (item.type & MFT_SEPARATOR)
      outline += "-";
    else if (item.type & MFT_BITMAP)
      outline += "[bitmap]";
    else
      outline += item.text;
    if (item.submenu) outline += ">(" + MenuOutline(item.submenu) + ")";
  }
  return outline;
}

HMENU ShellMenuWith(const std::vector<std::string>& names) {
  HMENU menu = CreatePopupMenu();
  UINT id = 1;
  for (const std::string& name : names) AppendMenuA(menu, MF_STRING, id++, name.c_str());
  return menu;
}
