#pragma once
#include <windows.h>

#include <string>

// The program's body, apart from WinMain so that tests can run it in-process.
// Returns the process exit code.
int RunZel95App(HINSTANCE instance, const char* commandLine);

// The first argument of a command line (without the program name), as the
// program's arguments are split: blanks separate, double quotes group.
std::string FirstArgument(const char* commandLine);
