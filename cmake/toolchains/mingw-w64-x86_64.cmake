# Cross-compiles the library for 64-bit Windows with mingw-w64 (Debian: g++-mingw-w64-x86-64).
#   cmake -S . -B build/windows64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-x86_64.cmake
# This is the build whose test programs run under Wine: these hosts cannot execute 32-bit code.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(KORVANE_MINGW_PREFIX x86_64-w64-mingw32 CACHE STRING "Target triplet of the mingw-w64 tools")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
