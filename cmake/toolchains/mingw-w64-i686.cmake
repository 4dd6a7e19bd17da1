# Cross-compiles the library for 32-bit Windows with mingw-w64 (Debian: g++-mingw-w64-i686).
#   cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-i686.cmake
# The result, korvane.dll, depends on system DLLs only: the GCC and C++ run-times are
# linked in statically, and the win32 thread model needs no winpthread DLL.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(KORVANE_MINGW_PREFIX i686-w64-mingw32 CACHE STRING "Target triplet of the mingw-w64 tools")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
