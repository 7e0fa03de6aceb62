# What both MinGW-w64 toolchain files share; they set ZEL95_MINGW_ARCH
# (i686, x86_64) and ZEL95_MINGW_THREADS (win32, posix: which compilers).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${ZEL95_MINGW_ARCH})
set(triple ${ZEL95_MINGW_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-${ZEL95_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${triple}-g++-${ZEL95_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
# libjpeg-turbo, libpng and libtiff, cross-built by scripts/build-deps.
set(ZEL95_DEPS_PREFIX /var/cache/zel95-deps/${ZEL95_MINGW_ARCH}/current CACHE PATH "cross-built image libraries")
list(APPEND CMAKE_FIND_ROOT_PATH ${ZEL95_DEPS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Tests run under Wine through a wrapper that uses the test run's prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
