# Warnings are errors in project code; third-party code is never compiled with these.
function(korvane_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -Wshadow -Wnon-virtual-dtor
      -Wcast-align -Wunused -Wpointer-arith -Wformat=2 -Wimplicit-fallthrough)
    # g++ 12 at -O3 reports overlapping copies inside libstdc++'s own string concatenation
    # (GCC bug 105651, fixed in 13); the report is about the header, not our code.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
      target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
  endif()
endfunction()
