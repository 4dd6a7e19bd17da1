# Writes korvane.1 from the tool's own --help texts, so the page says what the tool says.
# cmake -DTOOL=<korvane> -DVERSION=<x.y.z> -DOUT=<korvane.1> -P ManPage.cmake

function(help_text out)
  execute_process(COMMAND ${TOOL} ${ARGN} --help OUTPUT_VARIABLE text RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${TOOL} ${ARGN} --help failed: ${rc}")
  endif()
  # roff: backslashes doubled, a leading dot or quote escaped, each line kept as it stands.
  string(REPLACE "\\" "\\e" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  string(REGEX REPLACE "\n$" "" text "${text}")
  set(${out} ".nf\n${text}\n.fi\n" PARENT_SCOPE)
endfunction()

help_text(main)
set(page ".TH KORVANE 1 \"\" \"korvane ${VERSION}\" \"User Commands\"\n")
string(APPEND page ".SH NAME\nkorvane \\- the korvane library's number, date and mask work from a shell\n")
string(APPEND page ".SH SYNOPSIS\n${main}")
string(APPEND page ".SH COMMANDS\n")
foreach(command number date mask settings charset printers print demo)
  help_text(sub ${command})
  string(APPEND page ".SS ${command}\n${sub}")
endforeach()
string(APPEND page ".SH ENVIRONMENT\n.TP\n.B KORVANE_WININI\nthe win.ini with the regional settings\n")
string(APPEND page ".TP\n.B KORVANE_LANGID\nsystem language id, hex or decimal\n")
string(APPEND page ".TP\n.B KORVANE_LCID\nuser locale id\n")
string(APPEND page ".SH EXIT STATUS\n0 when every value was taken, 2 when a value was refused or the command line was wrong.\n")
file(WRITE ${OUT} "${page}")
