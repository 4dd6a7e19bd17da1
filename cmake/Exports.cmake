# The library's exported interface has one source: src/korvane.exports.
# Each line is "<kind> <name>" where kind is
#   c     a function with C linkage (plain name on ELF, stdcall-decorated on 32-bit Windows)
#   cdec  a function with C linkage exported under its decorated name on Windows:
#         "cdec <name> <decorated>"
#   cpp   a function with C++ linkage, written as its demangled signature
#   data  an exported object
# From it we generate the ELF version script (everything else hidden) and, for Windows,
# the module-definition file.

function(korvane_read_exports list_file out_c out_cpp out_data out_cdec)
  file(STRINGS "${list_file}" lines)
  set(c "")
  set(cpp "")
  set(data "")
  set(cdec "")
  foreach(line IN LISTS lines)
    string(STRIP "${line}" line)
    if(line STREQUAL "" OR line MATCHES "^#")
      continue()
    endif()
    if(line MATCHES "^c[ \t]+([A-Za-z_][A-Za-z0-9_]*)$")
      list(APPEND c "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^cdec[ \t]+([A-Za-z_][A-Za-z0-9_]*)[ \t]+([^ \t]+)$")
      list(APPEND c "${CMAKE_MATCH_1}")
      list(APPEND cdec "${CMAKE_MATCH_1}=${CMAKE_MATCH_2}")
    elseif(line MATCHES "^cpp[ \t]+(.+)$")
      list(APPEND cpp "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^data[ \t]+([A-Za-z_][A-Za-z0-9_]*)$")
      list(APPEND data "${CMAKE_MATCH_1}")
    else()
      message(FATAL_ERROR "${list_file}: cannot read export line '${line}'")
    endif()
  endforeach()
  set(${out_c} "${c}" PARENT_SCOPE)
  set(${out_cpp} "${cpp}" PARENT_SCOPE)
  set(${out_data} "${data}" PARENT_SCOPE)
  set(${out_cdec} "${cdec}" PARENT_SCOPE)
endfunction()

# Writes the ELF version script.
function(korvane_write_version_script list_file out_file)
  korvane_read_exports("${list_file}" c cpp data cdec)
  set(text "/* Generated from korvane.exports: do not edit. */\n{\n  global:\n")
  foreach(name IN LISTS c data)
    string(APPEND text "    ${name};\n")
  endforeach()
  if(cpp)
    string(APPEND text "    extern \"C++\" {\n")
    foreach(sig IN LISTS cpp)
      string(APPEND text "      \"${sig}\";\n")
    endforeach()
    string(APPEND text "    };\n")
  endif()
  string(APPEND text "  local: *;\n};\n")
  file(WRITE "${out_file}.tmp" "${text}")
  file(COPY_FILE "${out_file}.tmp" "${out_file}" ONLY_IF_DIFFERENT)
  file(REMOVE "${out_file}.tmp")
endfunction()

# Writes the plain list of names as the built library must show them (one per line),
# for the export check: C names and objects as they are, C++ ones demangled.
function(korvane_write_expected_symbols list_file out_file)
  korvane_read_exports("${list_file}" c cpp data cdec)
  set(all ${c} ${data} ${cpp})
  list(SORT all)
  list(JOIN all "\n" text)
  file(WRITE "${out_file}.tmp" "${text}\n")
  file(COPY_FILE "${out_file}.tmp" "${out_file}" ONLY_IF_DIFFERENT)
  file(REMOVE "${out_file}.tmp")
endfunction()

# Windows: the module-definition file cannot be written from the list alone, because the
# names it must bind to are the compiler's: a __stdcall function `F` is the symbol
# `_F@N` (N = bytes of arguments), and a C++ one has its mangled name. So the .def is
# generated at build time from the symbols of the compiled objects (WriteDefFile.cmake):
#   c     `F@N == F`        internal _F@N, exported undecorated as F
#   cdec  `F@N == _F@N`     exported under the decorated name the list gives
#   cpp   `_Z...`           exported under the mangled name g++ gives it
#   data  `Name DATA`
# The "==" form keeps the decorated name in the import library, so callers compiled with
# our headers (which declare __stdcall) link against it. Alongside the .def the script
# writes the names the DLL's export table must hold, for CheckDllExports.cmake.
set(KORVANE_CMAKE_DIR "${CMAKE_CURRENT_LIST_DIR}")

# korvane_write_def_file(<export list> <out.def> [<object library target>])
# Also writes <out.def>.names. Call it in the directory of the target that uses the .def.
function(korvane_write_def_file list_file out_file)
  set(objects_target korvane_objects)
  if(ARGC GREATER 2)
    set(objects_target "${ARGV2}")
  endif()
  if(NOT CMAKE_NM)
    message(FATAL_ERROR "korvane_write_def_file needs CMAKE_NM (the target's nm)")
  endif()
  set(object_list "${out_file}.objects")
  file(GENERATE OUTPUT "${object_list}"
    CONTENT "$<JOIN:$<TARGET_OBJECTS:${objects_target}>,\n>\n")
  add_custom_command(OUTPUT "${out_file}" "${out_file}.names"
    COMMAND ${CMAKE_COMMAND} -DEXPORTS=${list_file} -DOBJECTS=${object_list} -DNM=${CMAKE_NM}
            -DOUT=${out_file} -DPOINTER_SIZE=${CMAKE_SIZEOF_VOID_P}
            -P ${KORVANE_CMAKE_DIR}/WriteDefFile.cmake
    DEPENDS "${list_file}" "$<TARGET_OBJECTS:${objects_target}>"
            ${KORVANE_CMAKE_DIR}/WriteDefFile.cmake ${KORVANE_CMAKE_DIR}/Exports.cmake
    COMMENT "Generating ${out_file} from the export list and the compiled objects"
    VERBATIM)
endfunction()
