#pragma once
// Fixed Visual Basic text of the generated modules, kept as readable files in
// the templates folder and embedded into the program at build time.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korva {

struct TemplateEntry {
  std::string_view name;  // path below the templates folder, e.g. "simulator/normal_table.bas"
  std::string_view text;  // Windows-1252 text, lines separated by LF
};

const std::vector<TemplateEntry>& AllTemplates();

// The text of the named template; an unknown name is a programming error and aborts.
std::string_view TemplateText(std::string_view name);

// The template split into its lines (without line ends); a final LF ends the last line.
std::vector<std::string> TemplateLines(std::string_view name);

// The template's lines with every "$NAME$" replaced by its value.
using TemplateValues = std::vector<std::pair<std::string_view, std::string>>;
std::vector<std::string> ExpandTemplate(std::string_view name, const TemplateValues& values = {});

}  // namespace korva
