#include "ViewerMenu.h"

#include "ViewerCommands.h"
#include "shellext/commands/CommandCaptions.h"

void ShowViewerMenu(HWND frame, LPARAM screenPoint) {
  POINT at = {static_cast<short>(LOWORD(screenPoint)), static_cast<short>(HIWORD(screenPoint))};
  if (LOWORD(screenPoint) == 0xFFFF && HIWORD(screenPoint) == 0xFFFF) {
    RECT client = {};
    GetClientRect(frame, &client);
    at = {client.right / 2, client.bottom / 2};
    ClientToScreen(frame, &at);
  }
  HMENU wallpaper = CreatePopupMenu();
  for (UINT i = 0; i < 3; ++i)
    AppendMenuA(wallpaper, MF_STRING, kCommandWallpaperTiled + i, kWallpaperCaptions[i]);
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, kCommandPrint, kPrintCaption);
  AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(wallpaper), kWallpaperMenuCaption);
  AppendMenuA(menu, MF_STRING, kCommandReload, "&Reload");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, kCommandAbout, "&About...");
  AppendMenuA(menu, MF_STRING, kCommandClose, "&Close");
  TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, frame, nullptr);
  DestroyMenu(menu);  // and the submenu with it
}
