#pragma once
// Reads a module's text into its syntax tree. A construct outside the dialect
// the runner knows is a syntax error, never skipped.
#include <string>
#include <string_view>
#include <variant>

#include "vbrun/syntax.h"

namespace korva::vbrun {

struct SyntaxError {
  std::string module;
  int line = 0;  // 1-based
  int column = 0;
  std::string message;  // what was expected or found
};

// `text` is the module in Windows-1252 (CR LF or LF line ends).
std::variant<Module, SyntaxError> ParseModule(const std::string& name, std::string_view text);

}  // namespace korva::vbrun
