#pragma once
// Fixed Visual Basic text of the generated modules, kept as readable files in
// the templates folder and embedded into the program at build time. Every
// template has a name in TemplateId, so only templates that exist can be used.
//
// A template may begin with declarations of the line labels it shares with
// the code around it, which are not part of its text:
//   #labels-used NAME ...     markers it jumps to, lines the generator numbers
//   #labels-defined NAME ...  markers that label its own lines, which other
//                             lines jump to
// The values of both come from the generator, as any marker's.
//
// A template may hold markers "$NAME$" (NAME in capitals, digits and "_"),
// replaced by the values its emitter gives. A marker without a value, or a
// value without its marker, is a fault of the program: the expansion throws
// std::logic_error, which the tests of every emitter meet before any user does.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "emit/template_ids.h"

namespace korva {

struct TemplateEntry {
  std::string_view name;  // path below the templates folder, e.g. "simulator/normal_table.bas"
  std::string_view text;  // Windows-1252 text, lines separated by LF
};

// Every template, in the order of TemplateId.
const std::vector<TemplateEntry>& AllTemplates();

const TemplateEntry& Template(TemplateId id);

using TemplateValues = std::vector<std::pair<std::string_view, std::string>>;

struct TemplateLabels {
  std::vector<std::string> used;
  std::vector<std::string> defined;
};
TemplateLabels DeclaredLabels(std::string_view text);

// The text without its declarations.
std::string_view TemplateBody(std::string_view text);

// The template's lines (without line ends; a final LF ends the last line),
// every marker replaced by its value. Values are put in as they are: a value
// holding "$NAME$" is not expanded again.
std::vector<std::string> ExpandTemplate(TemplateId id, const TemplateValues& values = {});

// The same for any text of the template form; `name` only names it in errors.
std::vector<std::string> ExpandTemplateText(std::string_view name, std::string_view text,
                                            const TemplateValues& values);

}  // namespace korva
