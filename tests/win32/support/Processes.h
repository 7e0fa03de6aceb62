// Programs started by a test and the windows and processes it then looks
// for, across processes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A program started with CreateProcess; ended by the destructor if it still runs.
class StartedProgram {
 public:
  // `commandLine` as CreateProcess takes it, program name included;
  // `application` may be empty (the system then searches as WinExec does).
  StartedProgram(const std::string& application, const std::string& commandLine);
  ~StartedProgram();
  StartedProgram(const StartedProgram&) = delete;
  StartedProgram& operator=(const StartedProgram&) = delete;

  bool Started() const { return started_; }
  DWORD Id() const { return process_.dwProcessId; }
  // Waits up to `milliseconds` for the end; STILL_ACTIVE if it runs on.
  DWORD ExitCode(DWORD milliseconds = 60000);

 private:
  bool started_ = false;
  PROCESS_INFORMATION process_{};
};

// Top-level windows of `process` (0: any), of the class and with the caption
// given (null: any), visible ones only when `visibleOnly`.
std::vector<HWND> TopLevelWindows(DWORD process, const char* className, const char* caption,
                                  bool visibleOnly);
// The first such visible window, waited for up to 60 s; null when none came.
HWND WaitForTopLevelWindow(DWORD process, const char* className, const char* caption);
// Waits up to 60 s until `window` is gone; true when it went.
bool WaitUntilGone(HWND window);

struct TRunningProgram {
  DWORD Id;
  std::string Path;  // the executable's path as its first module names it
};
// Running processes whose executable's file name is `fileName` (any case; "" for all).
std::vector<TRunningProgram> RunningPrograms(const std::string& fileName);
// Waits up to 60 s until no process of that file name runs; true then.
bool WaitUntilNoneRuns(const std::string& fileName);

// The text of a control in another process (WM_GETTEXT crosses processes).
std::string ControlText(HWND control);
