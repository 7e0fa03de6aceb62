// The commands of other parts that the viewer's menu and keys start, reached
// through one table so that tests can watch them.
#pragma once
#include <windows.h>

#include "shellext/commands/Commands.h"

using PrintCommand = decltype(&PrintImage);
using WallpaperCommand = decltype(&SetWallpaper);

struct ViewerCommands {
  PrintCommand print;
  WallpaperCommand wallpaper;
};
extern ViewerCommands viewerCommands;

// The frame's command identifiers; the wallpaper ones follow one another in
// the popup's order.
enum ViewerCommandId {
  kCommandClose = 1001,
  kCommandReload = 1002,
  kCommandPrint = 1003,
  kCommandWallpaperTiled = 1004,
  kCommandWallpaperCentered = 1005,
  kCommandWallpaperRemove = 1006,
  kCommandAbout = 1007,
};
