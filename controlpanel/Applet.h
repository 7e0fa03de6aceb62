// The Control Panel's one entry into Zel95.cpl.
#pragma once

#include <windows.h>

extern "C" LONG APIENTRY CPlApplet(HWND owner, UINT message, LPARAM param1, LPARAM param2);
