// The viewer's About box: the program icon, which now and then flashes into
// the second icon, the name and the version.
#pragma once
#include <windows.h>

void ShowAboutBox(HWND owner);
