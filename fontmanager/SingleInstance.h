// At most one font manager runs: a second start finds the first by its
// executable path and brings its main window to the front.
#pragma once

#include <windows.h>

#include <string>

// The id of another running process whose executable path equals `exePath`
// exactly; 0 when there is none.
DWORD FindOtherInstance(const std::string &exePath);

// Brings the top-level window of class `className` to the front with its last
// active popup, restoring the popup when it is minimised.
void ActivateWindow(const char *className);
