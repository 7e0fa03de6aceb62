// Every entry the system calls back (window, dialog, abort and thread
// procedures) runs its body through Guarded: a C++ exception unwinding into
// user32 or the spooler would end the shell's process.
#pragma once

template <typename Result, typename Body>
Result Guarded(Result fallback, Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    return fallback;
  }
}
