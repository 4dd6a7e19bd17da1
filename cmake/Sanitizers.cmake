# One switch for the whole tree, so the library, its platform layer and the tests agree.
if(KORVANE_SANITIZE STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
elseif(KORVANE_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(KORVANE_SANITIZE AND NOT KORVANE_SANITIZE STREQUAL "OFF")
  message(FATAL_ERROR "KORVANE_SANITIZE must be OFF, address or thread")
endif()

# What the test processes need under the sanitizers: fontconfig keeps caches for the life
# of the process, which LeakSanitizer would report as leaks of every test that draws text.
function(korvane_sanitizer_environment)
  if(KORVANE_SANITIZE STREQUAL "address")
    set_property(TEST ${ARGN} APPEND PROPERTY ENVIRONMENT
      "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0")
  endif()
endfunction()
