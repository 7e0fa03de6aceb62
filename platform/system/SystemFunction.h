// Functions that later Windows versions added, looked up at run time so that
// a module that calls them still loads on Windows 95, whose loader refuses
// any import its system DLLs lack.
#pragma once

#include <windows.h>

// `name` in the loaded system DLL `module`, or null where that DLL lacks it.
template <typename Function>
Function* SystemFunction(const char* module, const char* name) {
  const HMODULE handle = GetModuleHandleA(module);
  if (!handle) return nullptr;
  return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(handle, name)));
}
