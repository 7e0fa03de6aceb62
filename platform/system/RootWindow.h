// The top-level window a child window sits in.
#pragma once

#include <windows.h>

// GetAncestor(window, GA_ROOT) where the system has it (Windows 98 on),
// else RootWindowByParents.
HWND RootWindowOf(HWND window);

// The same answer found by climbing the parents of child windows: a window
// without WS_CHILD is its own root. Null for null.
HWND RootWindowByParents(HWND window);
