# Cross-compiling for 64-bit Windows (x86_64) with MinGW-w64. Its floor is
# 64-bit Windows, whose system DLLs have what the posix thread runtime imports.
set(ZEL95_MINGW_ARCH x86_64)
set(ZEL95_MINGW_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
