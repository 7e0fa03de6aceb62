#pragma once
#include <windows.h>

#include "ProgressDialog.h"

class ImageFile;

// Decodes `image` at full size, showing the steps in `progress` until it is
// complete or cancelled, then prints its file title centred at the top of a
// new page of `printer` and the picture below it (PlacePicture). Failures are
// reported to the user here. True when the page is ready for EndPage.
bool PrintPage(HDC printer, int rasterCaps, HWND owner, ProgressDialog& progress, ImageFile& image);
