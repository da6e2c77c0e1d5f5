#include "emit/templates.h"

#include <algorithm>
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

constexpr std::string_view kUsedDeclaration = "#labels-used";
constexpr std::string_view kDefinedDeclaration = "#labels-defined";

bool IsDeclaration(std::string_view line) { return line.rfind("#labels-", 0) == 0; }

std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  size_t at = 0;
  while (at < text.size()) {
    size_t start = text.find_first_not_of(' ', at);
    if (start == std::string_view::npos) break;
    size_t end = text.find(' ', start);
    if (end == std::string_view::npos) end = text.size();
    words.emplace_back(text.substr(start, end - start));
    at = end;
  }
  return words;
}

}  // namespace

std::string_view TemplateBody(std::string_view text) {
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    if (!IsDeclaration(text.substr(at, end - at))) break;
    at = end + 1;
  }
  return text.substr(std::min(at, text.size()));
}

TemplateLabels DeclaredLabels(std::string_view text) {
  TemplateLabels labels;
  const std::string_view body = TemplateBody(text);
  std::string_view head = text.substr(0, text.size() - body.size());
  while (!head.empty()) {
    size_t end = head.find('\n');
    std::string_view line = head.substr(0, end);
    head = end == std::string_view::npos ? std::string_view() : head.substr(end + 1);
    std::vector<std::string> words = Words(line);
    if (words.empty()) continue;
    std::vector<std::string>* into = nullptr;
    if (words[0] == kUsedDeclaration) into = &labels.used;
    if (words[0] == kDefinedDeclaration) into = &labels.defined;
    if (into == nullptr) throw std::logic_error("unknown template declaration: " + words[0]);
    into->insert(into->end(), words.begin() + 1, words.end());
  }
  return labels;
}

const TemplateEntry& Template(TemplateId id) {
  const std::vector<TemplateEntry>& all = AllTemplates();
  size_t index = static_cast<size_t>(id);
  if (index >= all.size()) throw std::logic_error("no template numbered " + std::to_string(index));
  return all[index];
}

std::vector<std::string> ExpandTemplateText(std::string_view name, std::string_view whole,
                                            const TemplateValues& values) {
  const std::string_view text = TemplateBody(whole);
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
