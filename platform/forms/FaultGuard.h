// Hardware faults in event handlers (an access violation, a division by
// zero) are reported like exceptions, and the program goes on.
//
// A C++ exception cannot be thrown out of a system exception's handler. So
// every guarded call marks its place (__builtin_setjmp) and, on i686, the
// thread's SEH chain (x86_64 unwinds by tables and has none). A fault in the
// program's own code meets a vectored handler first (before the system code that calls
// window procedures can take it); a fault elsewhere that nothing handles
// meets the unhandled-exception filter. Either resumes the faulting thread in
// a landing routine that jumps back to the innermost mark, where the fault
// becomes an EGPFault ("GPF" in its report) for the application's exception
// handler.
//
// What this leaves behind: everything between the mark and the fault is
// abandoned without unwinding. Destructors there do not run (memory, GDI
// objects, a disabled window or a captured mouse stay as they were), and a
// lock that system code held while calling back into the handler stays
// taken. Hence the report's "highly recommended" shutdown.
#pragma once

#include "fontcore/Exceptions.h"

#include <windows.h>

#include <string>

class EGPFault : public Exception {
 public:
  EGPFault(std::string message, const void* address) : Exception(std::move(message), address) {}
  const char* ClassName() const override { return "EGPFault"; }
};

// Runs call(context). A C++ exception or a hardware fault that escapes it
// goes to the application's exception handler.
void RunGuarded(void (*call)(void*), void* context) noexcept;

// What a system exception was, in words: "Access violation writing address
// 00000000", "Integer division by zero" ...
std::string FaultDescription(const EXCEPTION_RECORD& record);
