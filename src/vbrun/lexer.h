#pragma once
// Splits a line of a module into tokens. Keywords are not told apart here:
// they are identifiers whose lower-case text the parser compares.
#include <optional>
#include <string>
#include <string_view>

#include "vbrun/token.h"

namespace korva::vbrun {

struct LexError {
  int column = 0;
  std::string message;
};

// True for the characters a name may start with: ASCII letters and the
// letters of Windows-1252 (ñ, á, ...), which the target allows in names.
bool IsNameStart(char c);
bool IsNameChar(char c);

// The tokens of `line`, ending in a kEnd token. A "'" outside a string ends
// the line; "Rem" is left to the parser, which knows where a statement starts.
std::optional<LexError> Lex(std::string_view line, Tokens& tokens);

}  // namespace korva::vbrun
