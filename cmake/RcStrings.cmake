# Turns the STRINGTABLE of a resource script into a C++ source holding the table as data,
# for hosts without a resource compiler. Entries are "<id>, "text"" lines between
# BEGIN and END; "" inside a text is a quote, other escapes are C's and pass through.
# cmake -DRC=<file.rc> -DOUT=<file.cpp> -P RcStrings.cmake
file(STRINGS "${RC}" lines ENCODING UTF-8)
set(in_table FALSE)
set(entries "")
foreach(line IN LISTS lines)
  string(STRIP "${line}" line)
  if(line MATCHES "^STRINGTABLE")
    set(in_table TRUE)
    continue()
  endif()
  if(NOT in_table OR line STREQUAL "" OR line MATCHES "^//" OR line STREQUAL "BEGIN")
    continue()
  endif()
  if(line STREQUAL "END")
    set(in_table FALSE)
    continue()
  endif()
  if(NOT line MATCHES "^([0-9]+)[ \t]*,?[ \t]*\"(.*)\"[ \t]*(//.*)?$")
    message(FATAL_ERROR "${RC}: cannot read string table line '${line}'")
  endif()
  set(id "${CMAKE_MATCH_1}")
  string(REPLACE "\"\"" "\\\"" text "${CMAKE_MATCH_2}")
  list(APPEND entries "${id}|${text}")
endforeach()
list(SORT entries COMPARE NATURAL)
set(body "")
foreach(entry IN LISTS entries)
  string(FIND "${entry}" "|" bar)
  string(SUBSTRING "${entry}" 0 ${bar} id)
  math(EXPR start "${bar} + 1")
  string(SUBSTRING "${entry}" ${start} -1 text)
  string(APPEND body "    {${id}, \"${text}\"},\n")
endforeach()
file(WRITE "${OUT}.tmp" "// Generated from korvane.rc: do not edit.
#include \"resources/resources.h\"

namespace kv {

namespace {
constexpr KW_STRING_RESOURCE kStrings[] = {
${body}};
}  // namespace

constinit const KW_RESOURCES gResources = {kStrings, sizeof kStrings / sizeof kStrings[0]};

}  // namespace kv
")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.tmp")
