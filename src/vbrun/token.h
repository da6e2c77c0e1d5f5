#pragma once
// A token of one logical line of a module. Texts are Windows-1252, viewed in
// the line itself or in the lexer's scratch copy of it: a token stays valid
// for as long as the line is being parsed, and copying one is cheap.
#include <string_view>

namespace korva::vbrun {

enum class TokenKind : unsigned char {
  kIdentifier,  // a name or keyword; `text` as written, `suffix` its type character if any
  kNumber,      // a numeric literal; `number` its value, `suffix` its type character if any
  kString,      // a string literal; `text` without the quotes, "" made one quote
  kOperator,    // + - * / \ ^ & = < > <= >= <> ( ) , ; . #
  kColon,       // statement separator
  kEnd,         // end of the line (a comment ends it too)
};

struct Token {
  TokenKind kind = TokenKind::kEnd;
  char suffix = 0;       // type character: % & ! # @ $, or 0
  bool isWhole = false;  // a number literal written without point or exponent
  bool reserved = false;  // an identifier that is a reserved word (whatever its type character)
  bool spaceBefore = false;
  int column = 0;  // 1-based column where the token starts
  double number = 0;
  std::string_view text;   // identifier as written, number as written, operator, string contents
  std::string_view lower;  // identifier in lower case, for keyword and name comparisons

  bool Is(std::string_view keyword) const { return kind == TokenKind::kIdentifier && lower == keyword && suffix == 0; }
  bool IsOp(std::string_view op) const { return kind == TokenKind::kOperator && text == op; }
};

}  // namespace korva::vbrun
