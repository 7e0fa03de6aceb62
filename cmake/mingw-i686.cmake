# Cross-compiling for 32-bit Windows (Windows 95 on) with MinGW-w64. The
# -win32 compilers: the posix thread runtime that the -posix ones link imports
# functions Windows 95 lacks (vectored handlers, TryEnterCriticalSection,
# GetTickCount64), and the programs' own threads are CreateThread's.
set(ZEL95_MINGW_ARCH i686)
set(ZEL95_MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
