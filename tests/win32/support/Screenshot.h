// Screenshots of the windows the tests open, for a person to look at.
#pragma once

#include <windows.h>

#include <string>

// Saves what the screen shows of `window`, frame and caption included, as a
// 24-bit BMP file `name`.bmp in the folder that ZEL95_SCREENS names (a Unix
// path). Returns the file's path, or "" when ZEL95_SCREENS is not set.
std::string SaveWindowScreenshot(HWND window, const std::string& name);
