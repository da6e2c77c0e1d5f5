#include "xmile/expression.h"

#include <cstdlib>
#include <unordered_set>

#include "text/cp1252.h"

namespace korva::xmile {
namespace {

// Deeper trees are refused: every later stage walks them recursively.
constexpr int kMaxDepth = 1000;

ExprPtr Make(Expr e) { return std::make_shared<const Expr>(std::move(e)); }

bool IsNameChar(char c) {
  const auto u = static_cast<unsigned char>(c);
  return std::isalnum(u) || c == '_' || c == '$' || c == '.' || u >= 0x80;
}

struct Token {
  enum class Kind { kEnd, kNumber, kName, kQuotedName, kSymbol } kind = Kind::kEnd;
  std::string text;  // the name, the symbol (lower-cased keywords are names)
  double value = 0;
  size_t at = 0;
};

class Lexer {
 public:
  explicit Lexer(const std::string& text) : text_(text) {}

  // The next token, or an error text.
  bool Next(Token& token, std::string& error) {
    SkipBlanksAndComments();
    token = Token{};
    token.at = pos_;
    if (pos_ >= text_.size()) return true;
    const char c = text_[pos_];
    if (std::isdigit(static_cast<unsigned char>(c)) ||
        (c == '.' && pos_ + 1 < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_ + 1])))) {
      return ReadNumber(token, error);
    }
    if (c == '"') {
      const size_t close = text_.find('"', pos_ + 1);
      if (close == std::string::npos) {
        error = "comillas sin cerrar";
        return false;
      }
      token.kind = Token::Kind::kQuotedName;
      token.text = text_.substr(pos_ + 1, close - pos_ - 1);
      pos_ = close + 1;
      return true;
    }
    if (IsNameChar(c)) {
      size_t end = pos_;
      while (end < text_.size() && IsNameChar(text_[end])) ++end;
      token.kind = Token::Kind::kName;
      token.text = text_.substr(pos_, end - pos_);
      pos_ = end;
      return true;
    }
    static const char* const kTwo[] = {"<=", ">=", "<>", "==", "!=", "&&", "||"};
    for (const char* two : kTwo) {
      if (text_.compare(pos_, 2, two) == 0) {
        token.kind = Token::Kind::kSymbol;
        token.text = two;
        pos_ += 2;
        return true;
      }
    }
    if (std::string("+-*/^()[],<>=!").find(c) != std::string::npos) {
      token.kind = Token::Kind::kSymbol;
      token.text = std::string(1, c);
      ++pos_;
      return true;
    }
    error = "carácter inesperado '" + std::string(1, c) + "'";
    return false;
  }

 private:
  void SkipBlanksAndComments() {
    for (;;) {
      while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
      if (pos_ < text_.size() && text_[pos_] == '{') {
        const size_t close = text_.find('}', pos_);
        pos_ = close == std::string::npos ? text_.size() : close + 1;
        continue;
      }
      return;
    }
  }

  bool ReadNumber(Token& token, std::string& error) {
    size_t end = pos_;
    while (end < text_.size() && (std::isdigit(static_cast<unsigned char>(text_[end])) || text_[end] == '.')) ++end;
    if (end < text_.size() && (text_[end] == 'e' || text_[end] == 'E')) {
      size_t exp = end + 1;
      if (exp < text_.size() && (text_[exp] == '+' || text_[exp] == '-')) ++exp;
      if (exp < text_.size() && std::isdigit(static_cast<unsigned char>(text_[exp]))) {
        end = exp;
        while (end < text_.size() && std::isdigit(static_cast<unsigned char>(text_[end]))) ++end;
      }
    }
    const std::string number = text_.substr(pos_, end - pos_);
    char* stop = nullptr;
    token.value = std::strtod(number.c_str(), &stop);
    if (stop == nullptr || *stop != '\0') {
      error = "número mal escrito '" + number + "'";
      return false;
    }
    token.kind = Token::Kind::kNumber;
    pos_ = end;
    return true;
  }

  const std::string& text_;
  size_t pos_ = 0;
};

class Parser {
 public:
  explicit Parser(const std::string& text) : lexer_(text) {}

  ParseResult Parse() {
    ParseResult result;
    if (!Advance()) return Failed();
    ExprPtr e = Expression(0);
    if (!e) return Failed();
    if (current_.kind != Token::Kind::kEnd) {
      error_ = "sobra texto desde la posición " + std::to_string(current_.at + 1);
      return Failed();
    }
    result.expr = e;
    return result;
  }

 private:
  ParseResult Failed() {
    ParseResult result;
    result.error = error_.empty() ? "ecuación incompleta" : error_;
    return result;
  }

  bool Advance() { return lexer_.Next(current_, error_); }

  bool IsKeyword(const char* word) const {
    return current_.kind == Token::Kind::kName && LowerCase(current_.text) == word;
  }
  bool IsSymbol(const char* symbol) const {
    return current_.kind == Token::Kind::kSymbol && current_.text == symbol;
  }

  bool Expect(const char* symbol) {
    if (!IsSymbol(symbol)) {
      error_ = std::string("falta '") + symbol + "' en la posición " + std::to_string(current_.at + 1);
      return false;
    }
    return Advance();
  }

  // Binary operators by precedence, loosest first.
  static int Level(const Token& t, std::string& op) {
    std::string text = t.kind == Token::Kind::kName ? LowerCase(t.text) : t.text;
    if (t.kind == Token::Kind::kName && text != "or" && text != "and" && text != "mod") return -1;
    if (t.kind != Token::Kind::kName && t.kind != Token::Kind::kSymbol) return -1;
    if (text == "||") text = "or";
    if (text == "&&") text = "and";
    if (text == "==") text = "=";
    if (text == "!=") text = "<>";
    op = text;
    if (text == "or") return 1;
    if (text == "and") return 2;
    if (text == "=" || text == "<>") return 3;
    if (text == "<" || text == "<=" || text == ">" || text == ">=") return 4;
    if (text == "+" || text == "-") return 5;
    if (text == "*" || text == "/" || text == "mod") return 6;
    if (text == "^") return 8;  // above the unary operators (level 7)
    return -1;
  }

  bool Deeper() {
    if (++depth_ > kMaxDepth) {
      error_ = "la ecuación anida más de " + std::to_string(kMaxDepth) + " operaciones";
      return false;
    }
    return true;
  }

  ExprPtr Expression(int minLevel) {
    if (!Deeper()) return nullptr;
    ExprPtr left = Prefix(minLevel);
    if (!left) return nullptr;
    int chain = 0;
    for (;;) {
      std::string op;
      const int level = Level(current_, op);
      if (level < 0 || level < minLevel) break;
      if (!Advance()) return nullptr;
      ExprPtr right = Expression(level + 1);  // left-associative
      if (!right) return nullptr;
      left = Binary(op, left, right);
      if (++chain + depth_ > kMaxDepth) {
        error_ = "la ecuación encadena más de " + std::to_string(kMaxDepth) + " operaciones";
        return nullptr;
      }
    }
    --depth_;
    return left;
  }

  ExprPtr Prefix(int minLevel) {
    if (IsKeyword("if")) {
      if (!Advance()) return nullptr;
      ExprPtr condition = Expression(0);
      if (!condition) return nullptr;
      if (!IsKeyword("then")) return Missing("THEN");
      if (!Advance()) return nullptr;
      ExprPtr then = Expression(0);
      if (!then) return nullptr;
      if (!IsKeyword("else")) return Missing("ELSE");
      if (!Advance()) return nullptr;
      ExprPtr otherwise = Expression(0);
      if (!otherwise) return nullptr;
      return If(condition, then, otherwise);
    }
    if (IsSymbol("-") || IsSymbol("+") || IsSymbol("!") || IsKeyword("not")) {
      const std::string op = IsSymbol("-") ? "-" : IsSymbol("+") ? "+" : "not";
      if (!Advance()) return nullptr;
      // Unary operators bind below "^" (-2^2 is -4) and NOT below comparisons.
      ExprPtr operand = Expression(op == "not" ? std::max(minLevel, 3) : 7);
      if (!operand) return nullptr;
      return Unary(op, operand);
    }
    return Primary();
  }

  ExprPtr Missing(const char* what) {
    error_ = std::string("falta ") + what + " en la posición " + std::to_string(current_.at + 1);
    return nullptr;
  }

  bool Arguments(const char* close, std::vector<ExprPtr>& args) {
    if (!Advance()) return false;
    if (IsSymbol(close)) return Advance();
    for (;;) {
      ExprPtr a = Expression(0);
      if (!a) return false;
      args.push_back(a);
      if (IsSymbol(",")) {
        if (!Advance()) return false;
        continue;
      }
      return Expect(close);
    }
  }

  ExprPtr Primary() {
    if (current_.kind == Token::Kind::kNumber) {
      const double value = current_.value;
      if (!Advance()) return nullptr;
      return Number(value);
    }
    if (IsSymbol("(")) {
      if (!Advance()) return nullptr;
      ExprPtr inner = Expression(0);
      if (!inner || !Expect(")")) return nullptr;
      return inner;
    }
    if (current_.kind == Token::Kind::kName || current_.kind == Token::Kind::kQuotedName) {
      const bool quoted = current_.kind == Token::Kind::kQuotedName;
      const std::string text = current_.text;
      if (!quoted && (IsKeyword("then") || IsKeyword("else") || IsKeyword("and") || IsKeyword("or"))) {
        error_ = "falta un operando antes de " + text;
        return nullptr;
      }
      const bool mod = !quoted && IsKeyword("mod");  // the operator, or MOD(a, b)
      if (!Advance()) return nullptr;
      if (mod && !IsSymbol("(")) {
        error_ = "falta un operando antes de " + text;
        return nullptr;
      }
      std::vector<ExprPtr> args;
      if (IsSymbol("(")) {
        if (!Arguments(")", args)) return nullptr;
        return Call(CanonicalName(text), std::move(args));
      }
      if (IsSymbol("[")) {
        if (!Arguments("]", args)) return nullptr;
      }
      return Name(CanonicalName(text), std::move(args));
    }
    if (current_.kind == Token::Kind::kEnd) {
      error_ = "ecuación incompleta";
    } else {
      error_ = "'" + current_.text + "' inesperado en la posición " + std::to_string(current_.at + 1);
    }
    return nullptr;
  }

  Lexer lexer_;
  Token current_;
  std::string error_;
  int depth_ = 0;
};

void CollectNames(const Expr& e, std::unordered_set<std::string>& seen, std::vector<std::string>& names) {
  if (e.kind == Expr::Kind::kName && seen.insert(e.name).second) names.push_back(e.name);
  for (const ExprPtr& a : e.args) CollectNames(*a, seen, names);
}

std::string NumberText(double v) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.9g", v);
  return buffer;
}

}  // namespace

ExprPtr Node(Expr::Kind kind, std::string name, std::vector<ExprPtr> args, double value) {
  Expr e;
  e.kind = kind;
  e.name = std::move(name);
  e.args = std::move(args);
  e.value = value;
  return Make(std::move(e));
}

ExprPtr Number(double value) { return Node(Expr::Kind::kNumber, "", {}, value); }
ExprPtr Name(std::string name, std::vector<ExprPtr> subscripts) {
  return Node(Expr::Kind::kName, std::move(name), std::move(subscripts));
}
ExprPtr Call(std::string function, std::vector<ExprPtr> args) {
  return Node(Expr::Kind::kCall, std::move(function), std::move(args));
}
ExprPtr Unary(std::string op, ExprPtr operand) { return Node(Expr::Kind::kUnary, std::move(op), {std::move(operand)}); }
ExprPtr Binary(std::string op, ExprPtr left, ExprPtr right) {
  return Node(Expr::Kind::kBinary, std::move(op), {std::move(left), std::move(right)});
}
ExprPtr If(ExprPtr condition, ExprPtr then, ExprPtr otherwise) {
  return Node(Expr::Kind::kIf, "", {std::move(condition), std::move(then), std::move(otherwise)});
}

ParseResult ParseEquation(const std::string& text) { return Parser(text).Parse(); }

std::vector<std::string> NamesUsed(const Expr& expr) {
  std::unordered_set<std::string> seen;
  std::vector<std::string> names;
  CollectNames(expr, seen, names);
  return names;
}

std::string ToXmileText(const Expr& e, const std::function<std::string(const std::string&)>& display) {
  auto sub = [&](const ExprPtr& a) { return ToXmileText(*a, display); };
  switch (e.kind) {
    case Expr::Kind::kNumber:
      return NumberText(e.value);
    case Expr::Kind::kName: {
      std::string text = display(e.name);
      if (e.args.empty()) return text;
      text += "[";
      for (size_t i = 0; i < e.args.size(); ++i) text += (i ? ", " : "") + sub(e.args[i]);
      return text + "]";
    }
    case Expr::Kind::kCall: {
      std::string text = UpperCase(e.name) + "(";
      for (size_t i = 0; i < e.args.size(); ++i) text += (i ? ", " : "") + sub(e.args[i]);
      return text + ")";
    }
    case Expr::Kind::kUnary:
      return (e.name == "not" ? "NOT " : e.name) + "(" + sub(e.args[0]) + ")";
    case Expr::Kind::kBinary: {
      const std::string op = e.name == "and" || e.name == "or" || e.name == "mod" ? UpperCase(e.name) : e.name;
      return "(" + sub(e.args[0]) + " " + op + " " + sub(e.args[1]) + ")";
    }
    case Expr::Kind::kIf:
      return "(IF " + sub(e.args[0]) + " THEN " + sub(e.args[1]) + " ELSE " + sub(e.args[2]) + ")";
  }
  return "";
}

std::string CanonicalName(const std::string& name) {
  std::string text = name;
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') text = text.substr(1, text.size() - 2);
  std::string out;
  bool blank = false;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
      c = ' ';
      ++i;
    }
    if (c == '_' || std::isspace(static_cast<unsigned char>(c))) {
      blank = true;
      continue;
    }
    if (blank && !out.empty()) out += ' ';
    blank = false;
    out += LowerChar(c);
  }
  return out;
}

}  // namespace korva::xmile
