#include "vbrun/lexer.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <unordered_set>

#include "text/cp1252.h"

namespace korva::vbrun {
namespace {

}  // namespace

bool IsReservedWord(std::string_view lower) {
  static const std::unordered_set<std::string_view> kWords = {
      "and",    "as",     "call", "close",     "debug", "dim",    "do",      "else",     "elseif", "end",
      "endif",  "eqv",    "exit", "for",       "get",   "gosub",  "goto",    "if",       "imp",    "input",
      "kill",   "let",    "line", "loop",      "mod",   "next",   "not",     "on",       "open",   "or",
      "print",  "public", "put",  "randomize", "redim", "resume", "return",  "step",     "sub",    "then",
      "to",     "until",  "wend", "while",     "write", "xor",    "private", "global",   "static", "function",
      "select", "case",   "with", "option",    "true",  "false",  "error",   "preserve", "const",  "type"};
  return kWords.count(lower) != 0;
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsTypeChar(char c) { return c == '%' || c == '&' || c == '!' || c == '#' || c == '@' || c == '$'; }

// Reads the digits of a number literal starting at `i`; returns false when the
// text there is not a number.
bool LexNumber(std::string_view line, size_t& i, Token& token) {
  const size_t start = i;
  if (line[i] == '&' && i + 1 < line.size() &&
      (line[i + 1] == 'H' || line[i + 1] == 'h' || line[i + 1] == 'O' || line[i + 1] == 'o')) {
    int base = (line[i + 1] == 'H' || line[i + 1] == 'h') ? 16 : 8;
    i += 2;
    size_t digitsStart = i;
    long long value = 0;
    while (i < line.size()) {
      char c = line[i];
      int digit = IsDigit(c)               ? c - '0'
                  : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                  : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                           : 99;
      if (digit >= base) break;
      value = value * base + digit;
      if (value > 0xFFFFFFFFLL) return false;
      ++i;
    }
    if (i == digitsStart) return false;
    bool isLong = i < line.size() && line[i] == '&';
    if (isLong) ++i;
    // As on the target, &HFFFF is the Integer -1 and &HFFFFFFFF the Long -1.
    if (!isLong && value <= 0xFFFF) {
      if (value > 0x7FFF) value -= 0x10000;
      token.suffix = '%';
    } else {
      if (value > 0x7FFFFFFF) value -= 0x100000000LL;
      token.suffix = '&';
    }
    token.kind = TokenKind::kNumber;
    token.number = static_cast<double>(value);
    token.isWhole = true;
    token.text = line.substr(start, i - start);
    return true;
  }
  bool whole = true;
  while (i < line.size() && IsDigit(line[i])) ++i;
  if (i < line.size() && line[i] == '.') {
    whole = false;
    ++i;
    while (i < line.size() && IsDigit(line[i])) ++i;
  }
  if (i == start || (i == start + 1 && line[start] == '.')) {
    i = start;
    return false;
  }
  if (i < line.size() && (line[i] == 'E' || line[i] == 'e' || line[i] == 'D' || line[i] == 'd')) {
    size_t j = i + 1;
    if (j < line.size() && (line[j] == '+' || line[j] == '-')) ++j;
    if (j < line.size() && IsDigit(line[j])) {
      while (j < line.size() && IsDigit(line[j])) ++j;
      whole = false;
      i = j;
    }
  }
  std::string digits(line.substr(start, i - start));
  for (char& c : digits) {
    if (c == 'D' || c == 'd') c = 'E';
  }
  token.kind = TokenKind::kNumber;
  token.number = std::strtod(digits.c_str(), nullptr);
  token.isWhole = whole;
  if (i < line.size() && IsTypeChar(line[i]) && line[i] != '$') {
    // "1&" is a Long literal; "1 & x" and "1&x" join texts, told apart by what follows.
    bool join = line[i] == '&' && i + 1 < line.size() && (IsNameStart(line[i + 1]) || line[i + 1] == '"');
    if (!join) token.suffix = line[i++];
  }
  token.text = line.substr(start, i - start);
  return true;
}

}  // namespace

bool IsNameStart(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return true;
  // Windows-1252 letters: Š Œ Ž š œ ž Ÿ ª µ º and À..ÿ except × and ÷.
  if (u == 0x8A || u == 0x8C || u == 0x8E || u == 0x9A || u == 0x9C || u == 0x9E || u == 0x9F) return true;
  if (u == 0xAA || u == 0xB5 || u == 0xBA) return true;
  return u >= 0xC0 && u != 0xD7 && u != 0xF7;
}

bool IsNameChar(char c) { return IsNameStart(c) || IsDigit(c) || c == '_'; }

Lexer::Lexer(std::string_view line, std::string& scratch) : line_(line), scratch_(scratch) {}

// Where a "Rem" starts a comment: at the start of a statement.
bool Lexer::AtStatementStart() const {
  if (count_ == 0 || last_ == TokenKind::kColon) return true;
  return count_ == 1 && firstIsNumber_;  // after a line number
}

// The scratch text at the columns of a token, sized to the line the first
// time it is needed (views into it must not move).
std::string_view Lexer::Scratch(size_t at, size_t length) {
  if (!scratchReady_) {
    scratch_.assign(line_.size(), ' ');
    scratchReady_ = true;
  }
  return std::string_view(scratch_).substr(at, length);
}

std::optional<LexError> Lexer::Next(Token& token) {
  const std::string_view line = line_;
  size_t& i = pos_;
  token = Token{};
  bool space = false;
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) {
    ++i;
    space = true;
  }
  token.spaceBefore = space;
  token.column = static_cast<int>(i) + 1;
  if (i >= line.size() || line[i] == '\'' || line[i] == '\r' || line[i] == '\n') {
    token.kind = TokenKind::kEnd;
    i = line.size();
  } else if (const char c = line[i]; c == '"') {
    const size_t open = i++;
    size_t length = 0;  // of the text with its doubled quotes made one
    bool doubled = false;
    for (size_t j = i;; ++j, ++length) {
      if (j >= line.size()) return LexError{token.column, "texto sin comillas de cierre"};
      if (line[j] == '"') {
        if (j + 1 < line.size() && line[j + 1] == '"') {
          doubled = true;
          ++j;
          continue;
        }
        break;
      }
    }
    token.kind = TokenKind::kString;
    if (!doubled) {
      token.text = line.substr(i, length);
      i += length + 1;
    } else {
      Scratch(0, 0);
      char* out = scratch_.data() + open + 1;
      for (size_t k = 0; k < length; ++k) {
        out[k] = line[i];
        i += line[i] == '"' ? 2 : 1;
      }
      ++i;
      token.text = Scratch(open + 1, length);
    }
  } else if (IsDigit(c) || (c == '.' && i + 1 < line.size() && IsDigit(line[i + 1])) ||
             (c == '&' && i + 1 < line.size() && std::string_view("HhOo").find(line[i + 1]) != std::string_view::npos &&
              i + 2 < line.size() && (IsDigit(line[i + 2]) || std::isxdigit(static_cast<unsigned char>(line[i + 2]))))) {
    if (!LexNumber(line, i, token)) {
      if (c != '&') return LexError{token.column, "número mal escrito"};
      token.kind = TokenKind::kOperator;
      token.text = line.substr(i, 1);
      ++i;
    }
  } else if (IsNameStart(c)) {
    const size_t start = i;
    while (i < line.size() && IsNameChar(line[i])) ++i;
    token.kind = TokenKind::kIdentifier;
    token.text = line.substr(start, i - start);
    Scratch(0, 0);
    for (size_t k = start; k < i; ++k) scratch_[k] = LowerChar(line[k]);
    token.lower = Scratch(start, i - start);
    token.reserved = IsReservedWord(token.lower);
    if (i < line.size() && IsTypeChar(line[i])) {
      char t = line[i];
      // "a&b" joins texts and "x!y" names a member: a type character must not be followed by a name.
      bool followedByName = i + 1 < line.size() && IsNameChar(line[i + 1]);
      bool fileNumber = t == '#' && (token.lower == "input" || token.lower == "print" || token.lower == "write" ||
                                     token.lower == "put" || token.lower == "get" || token.lower == "close");
      if (!followedByName && !fileNumber) {
        token.suffix = t;
        ++i;
      }
    }
    if (token.suffix == 0 && token.lower == "rem" && AtStatementStart()) {
      token.kind = TokenKind::kEnd;
      i = line.size();
    }
  } else if (c == ':') {
    token.kind = TokenKind::kColon;
    token.text = line.substr(i, 1);
    ++i;
  } else {
    static const std::string_view kSingle = "+-*/\\^&=<>(),;.#";
    if (kSingle.find(c) == std::string_view::npos) {
      return LexError{token.column, std::string("carácter no válido \"") + c + "\""};
    }
    token.kind = TokenKind::kOperator;
    size_t length = 1;
    if ((c == '<' || c == '>') && i + 1 < line.size()) {
      char n = line[i + 1];
      if (n == '=' || (c == '<' && n == '>')) length = 2;
    }
    token.text = line.substr(i, length);
    i += length;
  }
  if (count_ == 0) firstIsNumber_ = token.kind == TokenKind::kNumber;
  ++count_;
  last_ = token.kind;
  return std::nullopt;
}

}  // namespace korva::vbrun
