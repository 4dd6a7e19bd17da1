# Turns a resource script into a C++ source holding its resources as data, for hosts
# without a resource compiler: the string table (entries are "<id>, "text"" lines; ""
# inside a text is a quote, other escapes are C's and pass through) and the dialog
# templates in their binary form (RcScript.cmake).
# cmake -DRC=<file.rc> -DOUT=<file.cpp> [-DNAMESPACE=ns -DINCLUDE=header] -P RcData.cmake
# (the table is NAMESPACE::gResources, declared by INCLUDE; the library's by default)
cmake_policy(VERSION 3.25)
if(NOT DEFINED NAMESPACE)
  set(NAMESPACE kv)
endif()
if(NOT DEFINED INCLUDE)
  set(INCLUDE resources/resources.h)
endif()
get_filename_component(rc_name "${RC}" NAME)
include(${CMAKE_CURRENT_LIST_DIR}/RcScript.cmake)
kv_rc_read("${RC}")

set(body "")
foreach(entry IN LISTS KV_RC_STRINGS)
  string(FIND "${entry}" "|" bar)
  string(SUBSTRING "${entry}" 0 ${bar} id)
  math(EXPR start "${bar} + 1")
  string(SUBSTRING "${entry}" ${start} -1 text)
  string(APPEND body "    {${id}, \"${text}\"},\n")
endforeach()

# Hex digits as a C initializer of bytes, twelve a line.
function(_kv_c_bytes hex out)
  string(REGEX REPLACE "(..)" "0x\\1, " bytes "${hex}")
  string(REPEAT "0x.., " 12 row)
  string(REGEX REPLACE "(${row})" "\\1\n    " bytes "${bytes}")
  string(REPLACE ", \n" ",\n" bytes "${bytes}")
  string(REGEX REPLACE ",[ \n]*$" "" bytes "${bytes}")
  set(${out} "${bytes}" PARENT_SCOPE)
endfunction()

set(blobs "")
set(table "")
if(KV_RC_DIALOG_COUNT GREATER 0)
  math(EXPR last "${KV_RC_DIALOG_COUNT} - 1")
  foreach(i RANGE 0 ${last})
    _kv_c_bytes("${KV_RC_DIALOG_${i}_HEX}" bytes)
    string(APPEND blobs "// ${KV_RC_DIALOG_${i}_NAME}\nalignas(4) constexpr unsigned char kDialog${i}[] = {\n    ${bytes}};\n")
    set(name "${KV_RC_DIALOG_${i}_NAME}")
    if(name MATCHES "^#([0-9]+)$")
      set(name_fields "nullptr, 5, ${CMAKE_MATCH_1}")
    else()
      set(name_fields "\"${name}\", 5, 0")
    endif()
    string(APPEND table "    {nullptr, ${name_fields}, sizeof kDialog${i}, kDialog${i}},  // RT_DIALOG\n")
  endforeach()
endif()
if(DEFINED KV_RC_VERSION_HEX)
  _kv_c_bytes("${KV_RC_VERSION_HEX}" bytes)
  string(APPEND blobs "// VERSIONINFO\nalignas(4) constexpr unsigned char kVersion[] = {\n    ${bytes}};\n")
  string(REGEX REPLACE "^#" "" ordinal "${KV_RC_VERSION_NAME}")
  string(APPEND table "    {nullptr, nullptr, 16, ${ordinal}, sizeof kVersion, kVersion},  // RT_VERSION\n")
endif()
if(table)
  set(data_ref "kData, sizeof kData / sizeof kData[0]")
  set(table "constexpr KW_DATA_RESOURCE kData[] = {\n${table}};\n")
else()
  set(data_ref "nullptr, 0")
endif()

file(WRITE "${OUT}.tmp" "// Generated from ${rc_name}: do not edit.
#include \"${INCLUDE}\"

namespace ${NAMESPACE} {

namespace {
constexpr KW_STRING_RESOURCE kStrings[] = {
${body}};
${blobs}${table}}  // namespace

constinit const KW_RESOURCES gResources = {kStrings, sizeof kStrings / sizeof kStrings[0], ${data_ref}};

}  // namespace ${NAMESPACE}
")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.tmp")
