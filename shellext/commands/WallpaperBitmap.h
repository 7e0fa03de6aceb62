// The wallpaper's bitmap file: the picture decoded at most at screen size in
// the screen's depth and written as a BMP file.
#pragma once
#include "ProgressDialog.h"

#include <string>

enum class WallpaperOutcome { Written, Cancelled, Unreadable, Unwritable };

// "<caption> Wallpaper.bmp" in the Windows directory.
std::string WallpaperPath(const char* caption);
// The colour reduction for a screen of `depth` bits per pixel.
int WallpaperReductionMode(int depth);
// Decodes `path` and writes it to `target`, both in steps shown in
// `progress`, which Cancel stops. The new file replaces the old one only
// when it is complete, so anything but Written leaves `target` as it was.
WallpaperOutcome WriteWallpaperBitmap(ProgressDialog& progress, const char* path,
                                      const std::string& target);
