# Cross-compiling for 64-bit Windows (x86_64) with MinGW-w64. Its floor is
# 64-bit Windows, whose system DLLs have what the posix thread runtime imports.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
# libjpeg-turbo, libpng and libtiff, cross-built by scripts/build-deps.
set(ZEL95_DEPS_PREFIX /var/cache/zel95-deps/x86_64/current CACHE PATH "cross-built image libraries")
list(APPEND CMAKE_FIND_ROOT_PATH ${ZEL95_DEPS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Tests run under Wine through a wrapper that uses the test run's prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
