// The removal of the program itself, started with "/UNINSTALL": after one
// question it ends a running instance, closes an open Control Panel window,
// deletes the uninstall registration and starts the product's uninstaller
// beside the executable, without waiting for it.
#pragma once

#include <windows.h>

#include <string>

inline constexpr char kControlPanelClassKey[] =
    "SOFTWARE\\Classes\\CLSID\\{21EC2020-3AEA-1069-A2DD-08002B30309D}";
inline constexpr char kUninstallKeyPath[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zel95";

// `programDir`: the executable's folder, ending in a backslash.
std::string UninstallerCommandLine(const std::string& programDir);

// `otherProcessId`: a running instance of the program, 0 for none.
void UninstallProgram(DWORD otherProcessId);
