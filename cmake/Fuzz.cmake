# libFuzzer builds: the whole tree gets coverage instrumentation with ASan + UBSan, so the
# library, its platform layer and the fuzz targets agree; only the targets link the engine.
if(KORVANE_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "KORVANE_FUZZ needs clang (e.g. -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang)")
  endif()
  if(KORVANE_SANITIZE AND NOT KORVANE_SANITIZE STREQUAL "OFF")
    message(FATAL_ERROR "KORVANE_FUZZ brings its own sanitizers; leave KORVANE_SANITIZE off")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
    -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()
