#include "variables/function_check.h"

#include <algorithm>

#include "text/cp1252.h"

namespace korva {
namespace {

bool SomeLineHolds(const std::vector<std::string>& lines, const std::string& text) {
  return std::any_of(lines.begin(), lines.end(),
                     [&](const std::string& line) { return line.find(text) != std::string::npos; });
}

}  // namespace

bool FunctionPassesCheck(const ElementSpec& element, const std::vector<std::string>& lines) {
  if (element.HasUncertainty) {
    bool estimate = std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
      std::string upper = UpperCase(line);
      return upper.find("H=") != std::string::npos || upper.find("H =") != std::string::npos;
    });
    if (!estimate) return false;
  } else if (!SomeLineHolds(lines, element.Id)) {
    return false;
  }
  return std::all_of(element.Arguments.begin(), element.Arguments.end(),
                     [&](const std::string& argument) { return SomeLineHolds(lines, argument); });
}

}  // namespace korva
