#include <algorithm>

#include "vbrun/line_parser.h"

namespace korva::vbrun {

const Token& LineParser::Peek(size_t ahead) const {
  const size_t i = pos_ + ahead - base_;
  while (ahead_.size() <= i) {
    if (!ahead_.empty() && ahead_.back().kind == TokenKind::kEnd) return ahead_.back();
    Token token;
    if (auto error = lexer_.Next(token)) throw ParseFailure{error->column, error->message};
    ahead_.push_back(token);
  }
  return ahead_[i];
}

// The end of the line is never passed: taking it leaves it the next token.
const Token& LineParser::Next() {
  if (Peek().kind == TokenKind::kEnd) return Peek();
  ++pos_;
  // Only the token just taken is kept behind the next one, unless marked.
  const size_t keep = marked_ ? std::min(mark_, pos_ - 1) : pos_ - 1;
  while (base_ < keep) {
    ahead_.pop_front();
    ++base_;
  }
  return ahead_[pos_ - 1 - base_];
}

size_t LineParser::Mark() {
  marked_ = true;
  mark_ = pos_;
  return pos_;
}

void LineParser::Rewind(size_t mark) {
  pos_ = mark;
  marked_ = false;
}

bool LineParser::AtEnd() const { return Peek().kind == TokenKind::kEnd; }

bool LineParser::AtStatementEnd() const { return AtEnd() || Peek().kind == TokenKind::kColon || Peek().Is("else"); }

void LineParser::Expected(const std::string& what) const {
  const Token tok = Peek();
  std::string found = tok.kind == TokenKind::kEnd ? "el final de la línea" : "\"" + Shown(tok) + "\"";
  throw ParseFailure{tok.column, "se esperaba " + what + " y hay " + found};
}

void LineParser::Unsupported(const std::string& what) const {
  throw ParseFailure{Peek().column, what + " no es admitido por el ejecutor"};
}

std::string LineParser::Shown(const Token& tok) {
  if (tok.kind == TokenKind::kString) return "\"" + std::string(tok.text) + "\"";
  std::string s(tok.text);
  if (tok.suffix != 0 && tok.kind == TokenKind::kIdentifier) s += tok.suffix;
  return s;
}

void LineParser::Keyword(const char* word) {
  if (!Peek().Is(word)) Expected("\"" + std::string(word) + "\"");
  Next();
}

void LineParser::Op(const char* op) {
  if (!Peek().IsOp(op)) Expected("\"" + std::string(op) + "\"");
  Next();
}

bool LineParser::TakeOp(const char* op) {
  if (!Peek().IsOp(op)) return false;
  Next();
  return true;
}

bool LineParser::TakeKeyword(const char* word) {
  if (!Peek().Is(word)) return false;
  Next();
  return true;
}

// A label after GoTo, GoSub, Resume, Then or Else: a line number or a name.
std::string LineParser::Label() {
  const Token tok = Peek();
  if (tok.kind == TokenKind::kNumber && tok.isWhole && tok.suffix == 0 && tok.number >= 0) {
    Next();
    return std::string(tok.text);
  }
  if (tok.kind == TokenKind::kIdentifier && tok.suffix == 0 && !tok.reserved) {
    Next();
    return std::string(tok.lower);
  }
  Expected("una etiqueta");
}

LineParser::Nested::Nested(LineParser& p) : p_(p) {
  if (++p_.nesting_ > kMaxNesting) {
    --p_.nesting_;
    throw ParseFailure{p_.Peek().column, "expresión demasiado compleja (demasiados niveles anidados)"};
  }
}

ExprPtr LineParser::Expression() {
  Nested level(*this);
  return BinaryLevel(0);
}

ExprPtr LineParser::BinaryLevel(int level) {
  // Levels from the loosest: Imp, Eqv, Xor, Or, And, (Not), comparisons, &, + -, Mod, \, * /.
  if (level == 5) return NotLevel();
  ExprPtr left = BinaryLevel(level + 1);
  while (true) {
    BinaryOp op;
    if (!LevelOperator(level, op)) return left;
    int column = Peek().column;
    Next();
    ExprPtr right = BinaryLevel(level + 1);
    left = MakeBinary(op, std::move(left), std::move(right), column);
  }
}

bool LineParser::LevelOperator(int level, BinaryOp& op) const {
  const Token tok = Peek();
  switch (level) {
    case 0:
      return tok.Is("imp") && (op = BinaryOp::kImp, true);
    case 1:
      return tok.Is("eqv") && (op = BinaryOp::kEqv, true);
    case 2:
      return tok.Is("xor") && (op = BinaryOp::kXor, true);
    case 3:
      return tok.Is("or") && (op = BinaryOp::kOr, true);
    case 4:
      return tok.Is("and") && (op = BinaryOp::kAnd, true);
    default:
      return false;
  }
}

ExprPtr LineParser::MakeBinary(BinaryOp op, ExprPtr a, ExprPtr b, int column) {
  auto e = exprs_.New();
  e->kind = ExprKind::kBinary;
  e->op = op;
  e->column = column;
  e->args.push_back(std::move(a));
  e->args.push_back(std::move(b));
  return e;
}

ExprPtr LineParser::NotLevel() {
  Nested level(*this);
  if (Peek().Is("not")) {
    int column = Next().column;
    auto e = exprs_.New();
    e->kind = ExprKind::kUnary;
    e->negate = false;
    e->column = column;
    e->args.push_back(NotLevel());
    return e;
  }
  return Comparison();
}

ExprPtr LineParser::Comparison() {
  ExprPtr left = Concatenation();
  while (true) {
    const Token tok = Peek();
    if (tok.kind != TokenKind::kOperator) return left;
    BinaryOp op;
    if (tok.text == "=")
      op = BinaryOp::kEq;
    else if (tok.text == "<>")
      op = BinaryOp::kNe;
    else if (tok.text == "<")
      op = BinaryOp::kLt;
    else if (tok.text == ">")
      op = BinaryOp::kGt;
    else if (tok.text == "<=")
      op = BinaryOp::kLe;
    else if (tok.text == ">=")
      op = BinaryOp::kGe;
    else
      return left;
    int column = Next().column;
    left = MakeBinary(op, std::move(left), Concatenation(), column);
  }
}

ExprPtr LineParser::Concatenation() {
  ExprPtr left = Additive();
  while (Peek().IsOp("&")) {
    int column = Next().column;
    left = MakeBinary(BinaryOp::kConcat, std::move(left), Additive(), column);
  }
  return left;
}

ExprPtr LineParser::Additive() {
  ExprPtr left = Modulo();
  while (Peek().IsOp("+") || Peek().IsOp("-")) {
    BinaryOp op = Peek().text == "+" ? BinaryOp::kAdd : BinaryOp::kSub;
    int column = Next().column;
    left = MakeBinary(op, std::move(left), Modulo(), column);
  }
  return left;
}

ExprPtr LineParser::Modulo() {
  ExprPtr left = IntegerDivision();
  while (Peek().Is("mod")) {
    int column = Next().column;
    left = MakeBinary(BinaryOp::kMod, std::move(left), IntegerDivision(), column);
  }
  return left;
}

ExprPtr LineParser::IntegerDivision() {
  ExprPtr left = Multiplicative();
  while (Peek().IsOp("\\")) {
    int column = Next().column;
    left = MakeBinary(BinaryOp::kIntDiv, std::move(left), Multiplicative(), column);
  }
  return left;
}

ExprPtr LineParser::Multiplicative() {
  ExprPtr left = Unary();
  while (Peek().IsOp("*") || Peek().IsOp("/")) {
    BinaryOp op = Peek().text == "*" ? BinaryOp::kMul : BinaryOp::kDiv;
    int column = Next().column;
    left = MakeBinary(op, std::move(left), Unary(), column);
  }
  return left;
}

// Unary minus binds less tightly than "^": -2^2 is -4.
ExprPtr LineParser::Unary() {
  Nested level(*this);
  if (Peek().IsOp("-")) {
    int column = Next().column;
    auto e = exprs_.New();
    e->kind = ExprKind::kUnary;
    e->negate = true;
    e->column = column;
    e->args.push_back(Unary());
    return e;
  }
  if (Peek().IsOp("+")) {
    Next();
    return Unary();
  }
  return Power();
}

ExprPtr LineParser::Power() {
  ExprPtr left = Primary();
  while (Peek().IsOp("^")) {
    int column = Next().column;
    ExprPtr right;
    if (Peek().IsOp("-")) {
      int minus = Next().column;
      right = exprs_.New();
      right->kind = ExprKind::kUnary;
      right->negate = true;
      right->column = minus;
      right->args.push_back(Primary());
    } else {
      right = Primary();
    }
    left = MakeBinary(BinaryOp::kPow, std::move(left), std::move(right), column);
  }
  return left;
}

ExprPtr LineParser::Literal(Value v, int column) {
  auto e = exprs_.New();
  e->kind = ExprKind::kLiteral;
  e->type = v.type;
  e->number = v.num;
  e->name = exprs_.Keep(v.str);
  e->column = column;
  return e;
}

Value LineParser::NumberLiteral(const Token& tok) {
  switch (tok.suffix) {
    case '%':
      return Value::Integer(tok.number);
    case '&':
      return Value::Long(tok.number);
    case '!':
      return Value::Single(static_cast<float>(tok.number));
    case '#':
    case '@':
      return Value::Double(tok.number);
    default:
      break;
  }
  // A whole number that fits is an Integer, else a Long; anything else is a Double.
  if (tok.isWhole && tok.number >= -32768 && tok.number <= 32767) return Value::Integer(tok.number);
  if (tok.isWhole && tok.number >= -2147483648.0 && tok.number <= 2147483647.0) return Value::Long(tok.number);
  return Value::Double(tok.number);
}

ExprPtr LineParser::Primary() {
  const Token tok = Peek();
  if (tok.kind == TokenKind::kNumber) {
    Next();
    return Literal(NumberLiteral(tok), tok.column);
  }
  if (tok.kind == TokenKind::kString) {
    Next();
    return Literal(Value::String(std::string(tok.text)), tok.column);
  }
  if (tok.IsOp("(")) {
    Next();
    ExprPtr inner = Expression();
    Op(")");
    inner->parenthesized = true;
    return inner;
  }
  if (tok.Is("true") || tok.Is("false")) {
    Next();
    return Literal(Value::Boolean(tok.lower == "true"), tok.column);
  }
  if (tok.kind == TokenKind::kIdentifier && !tok.reserved) return NameReference();
  Expected("una expresión");
}

// name, name(args) or name.member.
ExprPtr LineParser::NameReference() {
  const Token tok = Next();
  auto e = exprs_.New();
  e->kind = ExprKind::kName;
  e->name = exprs_.Keep(tok.text);
  e->suffix = tok.suffix;
  e->column = tok.column;
  if (Peek().IsOp("(")) {
    Next();
    e->kind = ExprKind::kIndex;
    if (!Peek().IsOp(")")) {
      do {
        e->args.push_back(Expression());
      } while (TakeOp(","));
    }
    Op(")");
  } else if (Peek().IsOp(".") && !Peek().spaceBefore) {
    Next();
    const Token member = Peek();
    if (member.kind != TokenKind::kIdentifier) Expected("el nombre de un miembro");
    Next();
    e->kind = ExprKind::kMember;
    e->name = exprs_.Keep(std::string(e->name) + "." + std::string(member.text));
  }
  return e;
}

// A variable or array element that receives a value.
ExprPtr LineParser::Target() {
  const Token tok = Peek();
  if (tok.kind != TokenKind::kIdentifier || tok.reserved) Expected("una variable");
  ExprPtr e = NameReference();
  if (e->kind == ExprKind::kMember)
    throw ParseFailure{e->column, "no se puede asignar a \"" + std::string(e->name) + "\""};
  return e;
}

// "#n" or "n" where a file number is expected.
ExprPtr LineParser::FileNumber() {
  TakeOp("#");
  return Expression();
}

}  // namespace korva::vbrun
