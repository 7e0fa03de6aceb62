// The context menu's commands: offsets from the shell's first command id,
// and the string-table ids of their help texts.
#pragma once

enum MenuCommand : unsigned {
  CmdDisplay = 0,
  CmdPrint = 1,
  CmdWallpaperTiled = 2,
  CmdWallpaperCentered = 3,
  CmdWallpaperRemove = 4,
  CmdConvertToBmp = 5,
  CmdConvertToJpeg = 6,
  MenuCommandCount = 7
};

// String id 5 has no command.
constexpr unsigned kHelpTextIds[MenuCommandCount] = {1, 2, 3, 4, 6, 7, 8};

// The caption the commands give their messages and the wallpaper file.
constexpr char kCommandCaption[] = "Glimmora32";
