# Embeds whole text files into OUT, each as the body of a function that
# returns it: ENTRIES is a list of "FunctionName=path" pairs. Like the
# templates, the files are UTF-8 text, and the generated source is compiled
# with the program's execution character set, so the texts reach the program
# in Windows-1252.
set(body "")
foreach(entry IN LISTS ENTRIES)
  string(REGEX REPLACE "=.*$" "" function "${entry}")
  string(REGEX REPLACE "^[^=]*=" "" path "${entry}")
  file(READ ${path} text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(APPEND body "std::string_view ${function}() {\n  return R\"KORVA_TEXT(${text})KORVA_TEXT\";\n}\n\n")
endforeach()
set(out "// Generated from the help files; do not edit.\n#include <string_view>\n\nnamespace korva {\n\n${body}}  // namespace korva\n")
set(old "")
if(EXISTS ${OUT})
  file(READ ${OUT} old)
endif()
if(NOT old STREQUAL "${out}")
  file(WRITE ${OUT} "${out}")
endif()
