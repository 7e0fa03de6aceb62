#pragma once
#include <windows.h>

// The program's body, apart from WinMain so that tests can run it in-process.
// Returns the process exit code.
int RunZel95App(HINSTANCE instance, const char *commandLine);
