# Turns every file under DIR into an entry of the template table in OUT, and
# gives each one a name in the enumeration of OUT_IDS: "data_entry/header.bas"
# becomes TemplateId::kDataEntryHeader, so that a template that does not exist
# cannot be named in the code.
# The files are UTF-8 text; the generated source is compiled with the program's
# execution character set, so the texts reach the program in Windows-1252.
file(GLOB_RECURSE files RELATIVE ${DIR} ${DIR}/*.bas)
list(SORT files)
set(body "")
set(ids "")
foreach(f IN LISTS files)
  file(READ ${DIR}/${f} text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REGEX REPLACE "\\.bas$" "" stem "${f}")
  string(REGEX REPLACE "[/_]" ";" parts "${stem}")
  set(id "k")
  foreach(part IN LISTS parts)
    string(SUBSTRING "${part}" 0 1 first)
    string(SUBSTRING "${part}" 1 -1 rest)
    string(TOUPPER "${first}" first)
    string(APPEND id "${first}${rest}")
  endforeach()
  string(APPEND ids "  ${id},\n")
  string(APPEND body "  {\"${f}\", R\"KORVA_TEMPLATE(${text})KORVA_TEMPLATE\"},\n")
endforeach()

set(out "// Generated from the templates folder; do not edit.\n#include \"emit/templates.h\"\n\nnamespace korva {\n\nconst std::vector<TemplateEntry>& AllTemplates() {\n  static const std::vector<TemplateEntry> table = {\n${body}  };\n  return table;\n}\n\n}  // namespace korva\n")
set(out_ids "// Generated from the templates folder; do not edit.\n#pragma once\n\nnamespace korva {\n\n// One name for every file of the templates folder, in the order of AllTemplates().\nenum class TemplateId {\n${ids}};\n\n}  // namespace korva\n")

# Rewritten only when changed, so that nothing is rebuilt without need.
foreach(pair "OUT;out" "OUT_IDS;out_ids")
  list(GET pair 0 file_var)
  list(GET pair 1 text_var)
  set(old "")
  if(EXISTS ${${file_var}})
    file(READ ${${file_var}} old)
  endif()
  if(NOT old STREQUAL "${${text_var}}")
    file(WRITE ${${file_var}} "${${text_var}}")
  endif()
endforeach()
