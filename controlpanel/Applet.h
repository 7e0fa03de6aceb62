#pragma once
#include <windows.h>

extern "C" LONG APIENTRY CPlApplet(HWND owner, UINT message, LPARAM param1, LPARAM param2);
