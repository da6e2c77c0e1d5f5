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

bool FunctionPassesCheck(const ElementSpec& spec, const std::vector<std::string>& lines) {
  if (spec.HasUncertainty) {
    bool estimate = std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
      std::string upper = UpperCase(line);
      return upper.find("H=") != std::string::npos || upper.find("H =") != std::string::npos;
    });
    if (!estimate) return false;
  } else if (!SomeLineHolds(lines, spec.Id)) {
    return false;
  }
  return std::all_of(spec.Arguments.begin(), spec.Arguments.end(),
                     [&](const std::string& argument) { return SomeLineHolds(lines, argument); });
}

}  // namespace korva
