#include "ViewerMenu.h"

#include "ViewerCommands.h"

void ShowViewerMenu(HWND frame, LPARAM screenPoint) {
  POINT at = {static_cast<short>(LOWORD(screenPoint)), static_cast<short>(HIWORD(screenPoint))};
  if (LOWORD(screenPoint) == 0xFFFF && HIWORD(screenPoint) == 0xFFFF) {
    RECT client = {};
    GetClientRect(frame, &client);
    at = {client.right / 2, client.bottom / 2};
    ClientToScreen(frame, &at);
  }
  HMENU menu = CreatePopupMenu();
  InsertPictureItems(menu, 0, kCommandPrint);
  AppendMenuA(menu, MF_STRING, kCommandReload, "&Reload");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, kCommandAbout, "&About...");
  AppendMenuA(menu, MF_STRING, kCommandClose, "&Close");
  TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, frame, nullptr);
  DestroyMenu(menu);  // and the submenu with it
}
