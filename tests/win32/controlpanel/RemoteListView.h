// A list view of another process (the Control Panel's): its item texts and
// places, read through memory lent in that process, since list view
// messages carry pointers that do not cross processes by themselves.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The first child window of `parent` of class `className`, at any depth.
HWND FindChildOfClass(HWND parent, const char* className);

// The text of column `subItem` of every item.
std::vector<std::string> ListViewTexts(HWND listView, int subItem = 0);

// The rectangle of item `index`'s icon and label, in screen coordinates.
RECT ListViewItemOnScreen(HWND listView, int index);
