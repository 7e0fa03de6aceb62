#pragma once
#include <windows.h>

// Prints `path` on one page of `printer` as a job of its own, with the
// progress dialog owned by `owner`. `rasterCaps` is what the printer says it
// can do with bitmaps (RASTERCAPS). Deletes `printer`. True when the page
// was printed.
BOOL PrintOnPrinter(HDC printer, int rasterCaps, HWND owner, const char* path);
