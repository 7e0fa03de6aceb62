// Opening the applet: the font manager is started from the folder the
// installation recorded in AppDir.
#pragma once

#include <string>

inline constexpr char kProgramKeyPath[] = "SOFTWARE\\Velmor\\Zel95\\CurrentVersion";

// `appDir` + "\" + "Zel95APP", the backslash only where `appDir` has none;
// an empty `appDir` leaves the program to the system's search.
std::string FontManagerCommandLine(const std::string& appDir);

// Starts the font manager; reports a failed start with error message 8 (the
// program or its folder not found) or 9 (any other reason, with its code).
void OpenFontManager();
