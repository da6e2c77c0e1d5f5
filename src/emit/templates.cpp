#include "emit/templates.h"

#include <stdexcept>

namespace korva {
namespace {

bool IsMarkerChar(char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'; }

// The length of the marker name that starts at `from` and is closed by "$";
// 0 when no marker starts there.
size_t MarkerNameLength(std::string_view text, size_t from) {
  if (from >= text.size() || text[from] < 'A' || text[from] > 'Z') return 0;
  size_t end = from;
  while (end < text.size() && IsMarkerChar(text[end])) ++end;
  return end < text.size() && text[end] == '$' ? end - from : 0;
}

[[noreturn]] void Fault(std::string_view name, const std::string& what) {
  throw std::logic_error("template " + std::string(name) + ": " + what);
}

}  // namespace

const TemplateEntry& Template(TemplateId id) {
  const std::vector<TemplateEntry>& all = AllTemplates();
  size_t index = static_cast<size_t>(id);
  if (index >= all.size()) throw std::logic_error("no template numbered " + std::to_string(index));
  return all[index];
}

std::vector<std::string> ExpandTemplateText(std::string_view name, std::string_view text,
                                            const TemplateValues& values) {
  std::vector<bool> used(values.size(), false);
  std::vector<std::string> lines(1);
  for (size_t at = 0; at < text.size();) {
    char c = text[at];
    if (c == '\n') {
      if (at + 1 < text.size()) lines.emplace_back();
      ++at;
      continue;
    }
    size_t length = c == '$' ? MarkerNameLength(text, at + 1) : 0;
    if (length == 0) {
      lines.back() += c;
      ++at;
      continue;
    }
    std::string_view marker = text.substr(at + 1, length);
    size_t k = 0;
    while (k < values.size() && values[k].first != marker) ++k;
    if (k == values.size()) Fault(name, "no value for $" + std::string(marker) + "$");
    used[k] = true;
    lines.back() += values[k].second;
    at += length + 2;
  }
  if (text.empty()) lines.clear();
  for (size_t k = 0; k < values.size(); ++k) {
    if (!used[k]) Fault(name, "no marker $" + std::string(values[k].first) + "$");
  }
  return lines;
}

std::vector<std::string> ExpandTemplate(TemplateId id, const TemplateValues& values) {
  const TemplateEntry& entry = Template(id);
  return ExpandTemplateText(entry.name, entry.text, values);
}

}  // namespace korva
