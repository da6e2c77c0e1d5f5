# Turns every file under DIR into an entry of the template table in OUT.
# The files are UTF-8 text; the generated source is compiled with the program's
# execution character set, so the texts reach the program in Windows-1252.
file(GLOB_RECURSE files RELATIVE ${DIR} ${DIR}/*.bas)
list(SORT files)
set(body "")
foreach(f IN LISTS files)
  file(READ ${DIR}/${f} text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(APPEND body "  {\"${f}\", R\"KORVA_TEMPLATE(${text})KORVA_TEMPLATE\"},\n")
endforeach()
set(out "// Generated from the templates folder; do not edit.\n#include \"emit/templates.h\"\n\nnamespace korva {\n\nconst std::vector<TemplateEntry>& AllTemplates() {\n  static const std::vector<TemplateEntry> table = {\n${body}  };\n  return table;\n}\n\n}  // namespace korva\n")
if(EXISTS ${OUT})
  file(READ ${OUT} old)
  if(old STREQUAL out)
    return()
  endif()
endif()
file(WRITE ${OUT} "${out}")
