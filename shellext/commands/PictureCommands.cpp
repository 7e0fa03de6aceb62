#include "PictureCommands.h"

#include "shellext/module/Module.h"

#include <algorithm>

PictureItems InsertPictureItems(HMENU menu, UINT position, UINT firstId, UINT lastId) {
  PictureItems items;
  if (lastId >= firstId) items.commands = std::min<UINT>(PictureCommandCount, lastId - firstId + 1);
  if (items.commands > PicturePrint)
    InsertMenuA(menu, position + items.inserted++, MF_BYPOSITION | MF_STRING,
                firstId + PicturePrint, kPictureCommandCaptions[PicturePrint]);
  if (items.commands > PictureWallpaperTiled) {
    items.wallpaperMenu = CreatePopupMenu();
    for (UINT command = PictureWallpaperTiled; command < items.commands; ++command)
      AppendMenuA(items.wallpaperMenu, MF_STRING, firstId + command,
                  kPictureCommandCaptions[command]);
    InsertMenuA(menu, position + items.inserted++, MF_BYPOSITION | MF_POPUP,
                reinterpret_cast<UINT_PTR>(items.wallpaperMenu), kWallpaperMenuCaption);
  }
  return items;
}

void RunPictureCommand(PictureCommand command, HWND owner, const char* path,
                       const PictureCommandCalls& calls) {
  ModuleCountHold hold;
  switch (command) {
    case PicturePrint:
      calls.print(owner, path);
      break;
    case PictureWallpaperTiled:
    case PictureWallpaperCentered:
      calls.wallpaper(ModuleInstance, owner, kCommandCaption, path,
                      command == PictureWallpaperTiled);
      break;
    case PictureWallpaperRemove:
      calls.wallpaper(ModuleInstance, owner, kCommandCaption, nullptr, FALSE);
      break;
    default:
      break;
  }
}
