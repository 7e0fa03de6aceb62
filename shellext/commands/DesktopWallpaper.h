// Hands the wallpaper to Windows (SystemParametersInfoA), reached through
// here so that tests can have Windows refuse it.
#pragma once
#include <windows.h>

using DesktopWallpaperSetter = BOOL (*)(const char* name);
extern DesktopWallpaperSetter setDesktopWallpaper;
