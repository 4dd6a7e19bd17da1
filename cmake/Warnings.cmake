# Warnings are errors in project code; third-party code is never compiled with these.
function(korvane_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -Wshadow -Wnon-virtual-dtor
      -Wcast-align -Wunused -Wpointer-arith -Wformat=2 -Wimplicit-fallthrough)
  endif()
endfunction()
