#include "emit/templates.h"

#include <cstdio>
#include <cstdlib>

namespace korva {

std::string_view TemplateText(std::string_view name) {
  for (const TemplateEntry& entry : AllTemplates()) {
    if (entry.name == name) return entry.text;
  }
  std::fprintf(stderr, "korva: missing template %.*s\n", static_cast<int>(name.size()), name.data());
  std::abort();
}

std::vector<std::string> TemplateLines(std::string_view name) {
  std::string_view text = TemplateText(name);
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::vector<std::string> ExpandTemplate(std::string_view name, const TemplateValues& values) {
  std::vector<std::string> lines = TemplateLines(name);
  for (std::string& line : lines) {
    for (const auto& [key, value] : values) {
      const std::string marker = "$" + std::string(key) + "$";
      for (size_t at = line.find(marker); at != std::string::npos; at = line.find(marker, at + value.size())) {
        line.replace(at, marker.size(), value);
      }
    }
  }
  return lines;
}

}  // namespace korva
