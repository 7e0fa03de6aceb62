// The commands the context menu and the viewer start. Each reports its own
// failures in message boxes and runs to its end inside the call; callers hold
// a ModuleCountHold for its time.
#pragma once
#include <windows.h>

// `format` is an ImageFormat code; JPG, GIF, BMP and PCX can be written.
BOOL ConvertImage(HWND owner, const char* path, int format);
// `path` null removes the wallpaper.
BOOL SetWallpaper(HINSTANCE instance, HWND owner, const char* caption, const char* path,
                  BOOL tiled);
BOOL PrintImage(HWND owner, const char* path);
