#include "diagram/simulator_kinds.h"

#include <cctype>
#include <string_view>
#include <unordered_map>

namespace korva {
namespace {

// The identifier a statement's side starts with: letters, digits and "_"
// before a "(" or the end.
std::string_view Name(std::string_view side) {
  size_t begin = side.find_first_not_of(' ');
  if (begin == std::string_view::npos) return {};
  side.remove_prefix(begin);
  size_t end = 0;
  while (end < side.size() && (std::isalnum(static_cast<unsigned char>(side[end])) || side[end] == '_')) ++end;
  std::string_view rest = side.substr(end);
  size_t after = rest.find_first_not_of(' ');
  if (after != std::string_view::npos && rest[after] != '(') return {};
  return side.substr(0, end);
}

}  // namespace

void ApplySimulatorKinds(const std::vector<std::string>& lines, ModelGraph& graph) {
  std::unordered_map<std::string, size_t> byId;
  for (size_t i = 0; i < graph.elements.size(); ++i) byId.emplace(graph.elements[i].id, i);
  auto element = [&](std::string_view id) -> GraphElement* {
    auto found = byId.find(std::string(id));
    return found == byId.end() ? nullptr : &graph.elements[found->second];
  };
  bool afterCalculation = false;
  for (const std::string& line : lines) {
    // An uncertain input is drawn by name: uyy="ID" before gs170.
    for (size_t at = line.find("uyy=\""); at != std::string::npos; at = line.find("uyy=\"", at + 1)) {
      size_t end = line.find('"', at + 5);
      if (end == std::string::npos) break;
      if (GraphElement* e = element(std::string_view(line).substr(at + 5, end - at - 5))) e->uncertain = true;
    }
    // An uncertain function takes its value from the draw: gs210:ID=y1.
    for (size_t at = line.find("gs210:"); at != std::string::npos; at = line.find("gs210:", at + 1)) {
      std::string_view rest = std::string_view(line).substr(at + 6);
      size_t equals = rest.find('=');
      if (equals == std::string_view::npos || rest.substr(equals + 1, 2) != "y1") continue;
      if (GraphElement* e = element(Name(rest.substr(0, equals)))) e->uncertain = true;
    }
    // A table is read from the file named by its identifier: open "ID" for input as #3.
    if (size_t at = line.find("open \""); at != std::string::npos && line.find("\" for input as #3") != std::string::npos) {
      size_t end = line.find('"', at + 6);
      if (GraphElement* e = element(std::string_view(line).substr(at + 6, end - at - 6))) {
        if (e->kind == ElementKind::kCalculated) e->kind = ElementKind::kTable;
      }
    }
    if (line.find("REM Fin del calculo de las variables") != std::string::npos) afterCalculation = true;
    if (!afterCalculation) continue;
    // At the end of a step a state's value goes to the input that holds it: INI=ID:
    std::string_view rest = line;
    while (!rest.empty()) {
      size_t colon = rest.find(':');
      std::string_view statement = rest.substr(0, colon);
      rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
      size_t equals = statement.find('=');
      if (equals == std::string_view::npos) continue;
      std::string_view left = statement.substr(0, equals);
      size_t word = left.find_last_of(' ', left.find_last_not_of(' '));
      if (word != std::string_view::npos && left.find_first_not_of("0123456789 ") < word) continue;
      GraphElement* target = element(Name(word == std::string_view::npos ? left : left.substr(word + 1)));
      GraphElement* state = element(Name(statement.substr(equals + 1)));
      if (target && state && target != state && target->kind == ElementKind::kInput &&
          (state->kind == ElementKind::kCalculated || state->kind == ElementKind::kTable)) {
        state->kind = ElementKind::kState;
      }
    }
  }
}

}  // namespace korva
