// What the Control Panel shows for the applet: its icon, name and description.
#pragma once

#include <windows.h>

#include <cpl.h>

inline constexpr char kAppletName[] = "Zel 95 Font Manager";
inline constexpr char kAppletInfo[] = "Views, installs and removes fonts more comfortably.";

// The module that holds the applet's code and its icon "MAINICON": the .cpl
// when the Control Panel loaded it, the program itself when linked in.
HINSTANCE AppletModule();

// Writes size, icon, name and description; the other fields stay as they are.
void FillAppletInfo(NEWCPLINFOA& info);
