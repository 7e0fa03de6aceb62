// Serving the test thread's messages while waiting for a window to act.
#pragma once
#include <windows.h>

#include <functional>

// Dispatches every message until `done`, for at most `timeoutMs`.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000);
// Dispatches every message for `ms` milliseconds.
void PumpFor(DWORD ms);
