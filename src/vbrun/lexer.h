#pragma once
// Splits a line of a module into tokens, one at a time as the parser asks for
// them, so that an error early in a long line is reported without reading the
// rest of it. Keywords are identifiers whose lower-case text the parser
// compares; the lexer marks those reserved, which cannot name a variable, a
// label or a procedure.
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

// The reserved words (lower-case text): they cannot name a variable, a label
// or a procedure.
bool IsReservedWord(std::string_view lower);

class Lexer {
 public:
  // `scratch` holds the lower-case names and the texts whose doubled quotes
  // are made one, each at the columns of its token; it and `line` must
  // outlive the tokens read.
  Lexer(std::string_view line, std::string& scratch);

  // Reads the next token into `token`: kEnd at the end of the line, and again
  // after it. A "'" outside a string ends the line; so does "Rem" where a
  // statement starts.
  std::optional<LexError> Next(Token& token);

 private:
  bool AtStatementStart() const;
  bool Number(size_t& i, Token& token) const;
  std::string_view Scratch(size_t at, size_t length);

  std::string_view line_;
  std::string& scratch_;
  bool scratchReady_ = false;
  size_t pos_ = 0;
  size_t count_ = 0;  // tokens read
  TokenKind last_ = TokenKind::kEnd;
  bool firstIsNumber_ = false;
};

}  // namespace korva::vbrun
