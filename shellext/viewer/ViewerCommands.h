// The picture commands that the viewer's menu and keys start, reached
// through one table so that tests can watch them.
#pragma once
#include <windows.h>

#include "shellext/commands/PictureCommands.h"

using ViewerCommands = PictureCommandCalls;
extern ViewerCommands viewerCommands;

// The frame's command identifiers.
enum ViewerCommandId {
  kCommandClose = 1001,
  kCommandReload = 1002,
  // Print and the three wallpaper commands, 1003 to 1006, in the picture
  // commands' order.
  kCommandPrint = 1003,
  kCommandAbout = 1007,
};
static_assert(kCommandPrint + PictureCommandCount == kCommandAbout);
