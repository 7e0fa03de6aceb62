// The context menu's commands: offsets from the shell's first command id,
// and the string-table ids of their help texts.
#pragma once

#include "shellext/commands/PictureCommands.h"

enum MenuCommand : unsigned {
  CmdDisplay = 0,
  // Print and the three wallpaper commands, 1 to 4, in the picture
  // commands' order.
  CmdPrint = 1,
  CmdConvertToBmp = 5,
  CmdConvertToJpeg = 6,
  MenuCommandCount = 7
};
static_assert(CmdPrint + PictureCommandCount == CmdConvertToBmp);

// String id 5 has no command.
constexpr unsigned kHelpTextIds[MenuCommandCount] = {1, 2, 3, 4, 6, 7, 8};
