#include "Applet.h"

extern "C" LONG APIENTRY CPlApplet(HWND, UINT, LPARAM, LPARAM)
{
    return 0;
}
