// The removal of the program itself, started with "/UNINSTALL".
#pragma once

#include <windows.h>

// `otherProcessId`: a running instance of the program, 0 for none.
void UninstallProgram(DWORD otherProcessId);
