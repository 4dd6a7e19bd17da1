# The mingw-w64 cross tools of one target; the including file sets CMAKE_SYSTEM_PROCESSOR
# and KORVANE_MINGW_PREFIX (the target triplet).
set(CMAKE_SYSTEM_NAME Windows)
set(_kv_prefix ${KORVANE_MINGW_PREFIX})

# Debian installs both thread models; the library takes win32 (no winpthread DLL). The test
# programs need posix: GoogleTest and the tests use std::mutex and std::thread.
set(KORVANE_MINGW_THREADS win32 CACHE STRING "Thread model of the mingw-w64 compilers: win32 or posix")
find_program(CMAKE_C_COMPILER NAMES ${_kv_prefix}-gcc-${KORVANE_MINGW_THREADS} ${_kv_prefix}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${_kv_prefix}-g++-${KORVANE_MINGW_THREADS} ${_kv_prefix}-g++ REQUIRED)
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
