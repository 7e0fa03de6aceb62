// What the whole library shares: its instance handle, the count that keeps it
// loaded while objects, viewers or commands are alive, and its two icons.
#pragma once
#include <windows.h>

extern HINSTANCE ModuleInstance;
extern LONG ModuleCount;
extern HICON ProgramIcon;  // icon 2000
extern HICON SecondIcon;   // icon 2001

// Interlocked: Explorer runs folder windows, and so handlers, viewers and
// commands, on several threads.
inline void HoldModule() { InterlockedIncrement(&ModuleCount); }
inline void ReleaseModule() { InterlockedDecrement(&ModuleCount); }

// Keeps the library loaded for the time of one command.
class ModuleCountHold {
 public:
  ModuleCountHold() { HoldModule(); }
  ~ModuleCountHold() { ReleaseModule(); }
  ModuleCountHold(const ModuleCountHold&) = delete;
  ModuleCountHold& operator=(const ModuleCountHold&) = delete;
};
