# Cross-compiles the library for 32-bit Windows with mingw-w64 (Debian: g++-mingw-w64-i686).
#   cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-i686.cmake
# The result, korvane.dll, depends on system DLLs only: the GCC and C++ run-times are
# linked in statically, and the win32 thread model needs no winpthread DLL.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(KORVANE_MINGW_PREFIX i686-w64-mingw32 CACHE STRING "Target triplet of the mingw-w64 tools")
set(_kv_prefix ${KORVANE_MINGW_PREFIX})

# Debian installs both thread models; prefer win32, fall back to the default alternative.
find_program(CMAKE_C_COMPILER NAMES ${_kv_prefix}-gcc-win32 ${_kv_prefix}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${_kv_prefix}-g++-win32 ${_kv_prefix}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${_kv_prefix}-windres REQUIRED)
find_program(CMAKE_NM NAMES ${_kv_prefix}-nm REQUIRED)
find_program(CMAKE_OBJDUMP NAMES ${_kv_prefix}-objdump REQUIRED)
find_program(CMAKE_DLLTOOL NAMES ${_kv_prefix}-dlltool)

set(CMAKE_FIND_ROOT_PATH /usr/${_kv_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
