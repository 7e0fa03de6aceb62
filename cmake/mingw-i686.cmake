# Cross-compiling for 32-bit Windows (Windows 95 on) with MinGW-w64. The
# -win32 compilers: the posix thread runtime that the -posix ones link imports
# functions Windows 95 lacks (vectored handlers, TryEnterCriticalSection,
# GetTickCount64), and the programs' own threads are CreateThread's.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
# libjpeg-turbo, libpng and libtiff, cross-built by scripts/build-deps.
set(ZEL95_DEPS_PREFIX /var/cache/zel95-deps/i686/current CACHE PATH "cross-built image libraries")
list(APPEND CMAKE_FIND_ROOT_PATH ${ZEL95_DEPS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Tests run under Wine through a wrapper that uses the test run's prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
