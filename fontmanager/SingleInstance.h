// At most one font manager runs: a second start finds the first by its
// executable path and brings its main window to the front.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The id of another running process whose executable path equals `exePath`
// exactly; 0 when there is none.
DWORD FindOtherInstance(const std::string& exePath);

// A process as the system lists it: Windows 95 with its whole executable
// path, later systems with the file name only.
struct TListedProcess {
  DWORD Id;
  std::string ExeFile;
};

// FindOtherInstance over a given list: the first process other than `self`
// whose path equals `exePath`. `executablePath` finds the path of a process
// listed without one; it is asked only for processes whose listed file name
// is that of `exePath` (in any case), since asking costs a module snapshot.
DWORD FindInstanceIn(const std::vector<TListedProcess>& processes, DWORD self,
                     const std::string& exePath,
                     const std::function<std::string(DWORD)>& executablePath);

// Brings the top-level window of class `className` to the front with its last
// active popup, restoring the popup when it is minimised.
void ActivateWindow(const char* className);
