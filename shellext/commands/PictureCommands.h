// The picture commands both menus offer, the context menu and the viewer's
// popup: their captions and order, the items that show them and the one place
// that runs them. Each menu keeps its own identifiers (the shell's offsets,
// the frame's ids); in both, the commands' ids follow one another in this order.
#pragma once
#include <windows.h>

#include "Commands.h"

enum PictureCommand : unsigned {
  PicturePrint,
  PictureWallpaperTiled,
  PictureWallpaperCentered,
  PictureWallpaperRemove,
  PictureCommandCount
};

inline constexpr const char* kPictureCommandCaptions[PictureCommandCount] = {
    "&Print...", "&Tiled", "&Centered", "&Remove"};
// The popup that holds the three wallpaper commands.
inline constexpr char kWallpaperMenuCaption[] = "&Wallpaper";

// The caption the commands give their messages and the wallpaper file.
inline constexpr char kCommandCaption[] = "Glimmora32";

// The calls the picture commands end in; the viewer's tests watch its own.
struct PictureCommandCalls {
  decltype(&PrintImage) print;
  decltype(&SetWallpaper) wallpaper;
};
inline constexpr PictureCommandCalls kPictureCommandCalls = {PrintImage, SetWallpaper};

// What InsertPictureItems put in a menu.
struct PictureItems {
  UINT inserted = 0;              // items, from the position given
  UINT commands = 0;              // commands given ids, from Print on
  HMENU wallpaperMenu = nullptr;  // null when none of its commands fits
};

// Inserts the Print item and the Wallpaper popup at `position` of `menu`, the
// commands' ids counting up from `firstId`; those whose ids would pass
// `lastId` are left out.
PictureItems InsertPictureItems(HMENU menu, UINT position, UINT firstId, UINT lastId = ~0u);

// The command of the menu id `id` when the menu's picture ids start at
// `firstId`; PictureCommandCount for an id that is not one of them.
inline PictureCommand PictureCommandOf(UINT id, UINT firstId) {
  return id >= firstId && id - firstId < PictureCommandCount ? PictureCommand(id - firstId)
                                                             : PictureCommandCount;
}

// Runs `command` on the picture at `path` (Remove takes none) for `owner`,
// keeping the library loaded for its time.
void RunPictureCommand(PictureCommand command, HWND owner, const char* path,
                       const PictureCommandCalls& calls = kPictureCommandCalls);
