#include "FaultGuard.h"

#include "Application.h"

#include <cstdio>

namespace {

// A guarded call in progress.
struct TFaultMark {
  void* jump[5];
  TFaultMark* outer;
  DWORD thread;
#if defined(__i386__)
  void* exceptionList;  // the thread's SEH chain when the call began
#endif
  EXCEPTION_RECORD record;
};

TFaultMark* innermostMark = nullptr;
LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = nullptr;

bool IsHardwareFault(DWORD code) {
  switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_IN_PAGE_ERROR:
    case EXCEPTION_DATATYPE_MISALIGNMENT:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_INT_OVERFLOW:
    case EXCEPTION_FLT_DIVIDE_BY_ZERO:
    case EXCEPTION_FLT_INVALID_OPERATION:
    case EXCEPTION_FLT_OVERFLOW:
    case EXCEPTION_FLT_UNDERFLOW:
    case EXCEPTION_FLT_INEXACT_RESULT:
    case EXCEPTION_FLT_DENORMAL_OPERAND:
    case EXCEPTION_FLT_STACK_CHECK:
      return true;
    default:
      return false;
  }
}

// Entered instead of the faulting instruction, on the faulting stack.
__attribute__((noreturn, noinline)) void LandAfterFault() {
  __builtin_longjmp(innermostMark->jump, 1);
}

// The program's own image, where the guarded handlers' code lies.
bool InOwnCode(const void* address) {
  static const BYTE* const base = [] {
    MEMORY_BASIC_INFORMATION memory{};
    VirtualQuery(reinterpret_cast<const void*>(&RunGuarded), &memory, sizeof memory);
    return static_cast<const BYTE*>(memory.AllocationBase);
  }();
  static const DWORD size = [] {
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    return reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew)
        ->OptionalHeader.SizeOfImage;
  }();
  const auto* at = static_cast<const BYTE*>(address);
  return at >= base && at < base + size;
}

// A fault while a guarded call runs on this thread goes back to its mark.
bool TakeFault(EXCEPTION_POINTERS* info) {
  TFaultMark* mark = innermostMark;
  if (!mark || mark->thread != GetCurrentThreadId() ||
      !IsHardwareFault(info->ExceptionRecord->ExceptionCode))
    return false;
  mark->record = *info->ExceptionRecord;
  CONTEXT& context = *info->ContextRecord;
#if defined(__i386__)
  context.Eip = reinterpret_cast<DWORD>(&LandAfterFault);
#else
  // Entered as if called: below whatever the faulting frame kept under its
  // stack pointer, 16-byte aligned less the return address.
  context.Rsp = ((context.Rsp - 256) & ~DWORD64{15}) - 8;
  context.Rip = reinterpret_cast<DWORD64>(&LandAfterFault);
#endif
  return true;
}

// First chance, before the system's own handlers: the system code that calls
// window procedures would otherwise take the fault. Faults inside system code
// are left to the handlers there.
LONG CALLBACK FirstChanceFault(EXCEPTION_POINTERS* info) {
  if (InOwnCode(info->ExceptionRecord->ExceptionAddress) && TakeFault(info))
    return EXCEPTION_CONTINUE_EXECUTION;
  return EXCEPTION_CONTINUE_SEARCH;
}

// Last chance: a fault that no handler took, wherever it happened.
LONG WINAPI UnhandledFault(EXCEPTION_POINTERS* info) {
  if (TakeFault(info)) return EXCEPTION_CONTINUE_EXECUTION;
  return previousFilter ? previousFilter(info) : EXCEPTION_CONTINUE_SEARCH;
}

void InstallFaultHandlers() {
  previousFilter = SetUnhandledExceptionFilter(UnhandledFault);
  // Vectored handlers are not there on every system.
  using AddHandler = PVOID(WINAPI*)(ULONG, PVECTORED_EXCEPTION_HANDLER);
  const auto add = reinterpret_cast<AddHandler>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "AddVectoredExceptionHandler")));
  if (add) add(1, FirstChanceFault);
}

void ReportFault(const EXCEPTION_RECORD& record) noexcept {
  try {
    throw EGPFault(FaultDescription(record), record.ExceptionAddress);
  } catch (...) {
    Application.HandleException();
  }
}

}  // namespace

std::string FaultDescription(const EXCEPTION_RECORD& record) {
  char text[96];
  switch (record.ExceptionCode) {
    case EXCEPTION_ACCESS_VIOLATION: {
      const bool known = record.NumberParameters >= 2;
      const ULONG_PTR kind = known ? record.ExceptionInformation[0] : 0;
      const ULONG_PTR address = known ? record.ExceptionInformation[1] : 0;
      snprintf(text, sizeof text, "Access violation %s address %08llX",
               kind == 1   ? "writing"
               : kind == 8 ? "executing"
                           : "reading",
               static_cast<unsigned long long>(address));
      return text;
    }
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
      return "Integer division by zero";
    case EXCEPTION_INT_OVERFLOW:
      return "Integer overflow";
    case EXCEPTION_ILLEGAL_INSTRUCTION:
      return "Illegal instruction";
    case EXCEPTION_PRIV_INSTRUCTION:
      return "Privileged instruction";
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
      return "Array bounds exceeded";
    case EXCEPTION_DATATYPE_MISALIGNMENT:
      return "Misaligned data";
    case EXCEPTION_IN_PAGE_ERROR:
      return "In-page error";
    case EXCEPTION_FLT_DIVIDE_BY_ZERO:
      return "Floating point division by zero";
    default:
      snprintf(text, sizeof text, "System exception %08X",
               static_cast<unsigned>(record.ExceptionCode));
      return text;
  }
}

void RunGuarded(void (*call)(void*), void* context) noexcept {
  static const bool installed = (InstallFaultHandlers(), true);
  (void)installed;

  TFaultMark mark{};
  mark.outer = innermostMark;
  mark.thread = GetCurrentThreadId();
#if defined(__i386__)
  mark.exceptionList = reinterpret_cast<void*>(__readfsdword(0));
#endif
  innermostMark = &mark;
  if (__builtin_setjmp(mark.jump) != 0) {
#if defined(__i386__)
    // Back from a fault: the frames below are gone, their SEH records too.
    // (x86_64 unwinds by tables and keeps no such chain.)
    __writefsdword(0, reinterpret_cast<DWORD>(mark.exceptionList));
#endif
    innermostMark = mark.outer;
    ReportFault(mark.record);
    return;
  }
  try {
    call(context);
  } catch (...) {
    innermostMark = mark.outer;
    Application.HandleException();
    return;
  }
  innermostMark = mark.outer;
}
