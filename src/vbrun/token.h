#pragma once
// The tokens of one logical line of a module. Texts are Windows-1252.
#include <string>
#include <vector>

namespace korva::vbrun {

enum class TokenKind {
  kIdentifier,  // a name or keyword; `text` as written, `suffix` its type character if any
  kNumber,      // a numeric literal; `number` its value, `suffix` its type character if any
  kString,      // a string literal; `text` without the quotes, "" made one quote
  kOperator,    // + - * / \ ^ & = < > <= >= <> ( ) , ; . #
  kColon,       // statement separator
  kEnd,         // end of the line (a comment ends it too)
};

struct Token {
  TokenKind kind = TokenKind::kEnd;
  std::string text;   // identifier as written, operator, string contents
  std::string lower;  // identifier in lower case, for keyword and name comparisons
  double number = 0;
  char suffix = 0;       // type character: % & ! # @ $, or 0
  bool isWhole = false;  // a number literal written without point or exponent
  bool spaceBefore = false;
  int column = 0;  // 1-based column where the token starts

  bool Is(const char* keyword) const { return kind == TokenKind::kIdentifier && lower == keyword && suffix == 0; }
  bool IsOp(const char* op) const { return kind == TokenKind::kOperator && text == op; }
};

using Tokens = std::vector<Token>;

}  // namespace korva::vbrun
