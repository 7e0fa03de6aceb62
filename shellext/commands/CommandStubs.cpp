#include "Commands.h"

// Not built yet: each command beeps.
BOOL ConvertImage(HWND, const char*, int)
{
    MessageBeep(static_cast<UINT>(-1));
    return FALSE;
}

BOOL SetWallpaper(HINSTANCE, HWND, const char*, const char*, BOOL)
{
    MessageBeep(static_cast<UINT>(-1));
    return FALSE;
}

BOOL PrintImage(HWND, const char*)
{
    MessageBeep(static_cast<UINT>(-1));
    return FALSE;
}
