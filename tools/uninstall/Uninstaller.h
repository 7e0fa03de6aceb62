// UninstallZel95.exe: removes what Install.Log lists and shows what it could
// not remove. Silent when everything went: the font manager has told the
// user that no message means success.
#pragma once

#include <windows.h>

#include <string>

// How long files still in use by ending programs are tried again.
inline constexpr DWORD kRemovalPatience = 10000;

// Runs the uninstaller for `commandLine` (program name included); returns the
// exit code: 0 when everything listed is gone, 1 when something stayed or
// nothing was done.
int RunUninstaller(const std::string& commandLine);
