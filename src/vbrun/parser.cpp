#include "vbrun/parser.h"

#include <unordered_set>

#include "vbrun/lexer.h"

namespace korva::vbrun {
namespace {

struct Failure {
  int column;
  std::string message;
};

// Words that cannot name a label or a variable.
bool IsReserved(const std::string& lower) {
  static const std::unordered_set<std::string> kWords = {
      "and",  "as",     "call",   "close",    "debug",  "dim",     "do",    "else",     "elseif",  "end",
      "endif", "eqv",   "exit",   "for",      "get",    "gosub",   "goto",  "if",       "imp",     "input",
      "kill", "let",    "line",   "loop",     "mod",    "next",    "not",   "on",       "open",    "or",
      "print", "public", "put",   "randomize", "redim", "resume",  "return", "step",    "sub",     "then",
      "to",   "until",  "wend",   "while",    "write",  "xor",     "private", "global", "static",  "function",
      "select", "case", "with",   "option",   "true",   "false",   "error",  "preserve", "const",   "type"};
  return kWords.count(lower) != 0;
}

class LineParser {
 public:
  LineParser(const Tokens& tokens, int line) : t_(tokens), line_(line) {}

  const Token& Peek(size_t ahead = 0) const {
    size_t i = pos_ + ahead;
    return i < t_.size() ? t_[i] : t_.back();
  }
  const Token& Next() {
    const Token& tok = Peek();
    if (pos_ < t_.size() - 1) ++pos_;
    return tok;
  }
  bool AtEnd() const { return Peek().kind == TokenKind::kEnd; }
  bool AtStatementEnd() const { return AtEnd() || Peek().kind == TokenKind::kColon || Peek().Is("else"); }

  [[noreturn]] void Expected(const std::string& what) const {
    const Token& tok = Peek();
    std::string found = tok.kind == TokenKind::kEnd ? "el final de la línea" : "\"" + Shown(tok) + "\"";
    throw Failure{tok.column, "se esperaba " + what + " y hay " + found};
  }
  [[noreturn]] void Unsupported(const std::string& what) const {
    throw Failure{Peek().column, what + " no es admitido por el ejecutor"};
  }
  static std::string Shown(const Token& tok) {
    if (tok.kind == TokenKind::kString) return "\"" + tok.text + "\"";
    std::string s = tok.text;
    if (tok.suffix != 0 && tok.kind == TokenKind::kIdentifier) s += tok.suffix;
    return s;
  }

  void Keyword(const char* word) {
    if (!Peek().Is(word)) Expected("\"" + std::string(word) + "\"");
    Next();
  }
  void Op(const char* op) {
    if (!Peek().IsOp(op)) Expected("\"" + std::string(op) + "\"");
    Next();
  }
  bool TakeOp(const char* op) {
    if (!Peek().IsOp(op)) return false;
    Next();
    return true;
  }
  bool TakeKeyword(const char* word) {
    if (!Peek().Is(word)) return false;
    Next();
    return true;
  }

  // A label after GoTo, GoSub, Resume, Then or Else: a line number or a name.
  std::string Label() {
    const Token& tok = Peek();
    if (tok.kind == TokenKind::kNumber && tok.isWhole && tok.suffix == 0 && tok.number >= 0) {
      Next();
      return tok.text;
    }
    if (tok.kind == TokenKind::kIdentifier && tok.suffix == 0 && !IsReserved(tok.lower)) {
      Next();
      return tok.lower;
    }
    Expected("una etiqueta");
  }

  // ---------------------------------------------------------------- expressions

  ExprPtr Expression() { return BinaryLevel(0); }

  ExprPtr BinaryLevel(int level) {
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

  bool LevelOperator(int level, BinaryOp& op) const {
    const Token& tok = Peek();
    switch (level) {
      case 0: return tok.Is("imp") && (op = BinaryOp::kImp, true);
      case 1: return tok.Is("eqv") && (op = BinaryOp::kEqv, true);
      case 2: return tok.Is("xor") && (op = BinaryOp::kXor, true);
      case 3: return tok.Is("or") && (op = BinaryOp::kOr, true);
      case 4: return tok.Is("and") && (op = BinaryOp::kAnd, true);
      default: return false;
    }
  }

  static ExprPtr MakeBinary(BinaryOp op, ExprPtr a, ExprPtr b, int column) {
    auto e = std::make_unique<Expr>();
    e->kind = ExprKind::kBinary;
    e->op = op;
    e->column = column;
    e->args.push_back(std::move(a));
    e->args.push_back(std::move(b));
    return e;
  }

  ExprPtr NotLevel() {
    if (Peek().Is("not")) {
      int column = Next().column;
      auto e = std::make_unique<Expr>();
      e->kind = ExprKind::kUnary;
      e->negate = false;
      e->column = column;
      e->args.push_back(NotLevel());
      return e;
    }
    return Comparison();
  }

  ExprPtr Comparison() {
    ExprPtr left = Concatenation();
    while (true) {
      const Token& tok = Peek();
      if (tok.kind != TokenKind::kOperator) return left;
      BinaryOp op;
      if (tok.text == "=") op = BinaryOp::kEq;
      else if (tok.text == "<>") op = BinaryOp::kNe;
      else if (tok.text == "<") op = BinaryOp::kLt;
      else if (tok.text == ">") op = BinaryOp::kGt;
      else if (tok.text == "<=") op = BinaryOp::kLe;
      else if (tok.text == ">=") op = BinaryOp::kGe;
      else return left;
      int column = Next().column;
      left = MakeBinary(op, std::move(left), Concatenation(), column);
    }
  }

  ExprPtr Concatenation() {
    ExprPtr left = Additive();
    while (Peek().IsOp("&")) {
      int column = Next().column;
      left = MakeBinary(BinaryOp::kConcat, std::move(left), Additive(), column);
    }
    return left;
  }

  ExprPtr Additive() {
    ExprPtr left = Modulo();
    while (Peek().IsOp("+") || Peek().IsOp("-")) {
      BinaryOp op = Peek().text == "+" ? BinaryOp::kAdd : BinaryOp::kSub;
      int column = Next().column;
      left = MakeBinary(op, std::move(left), Modulo(), column);
    }
    return left;
  }

  ExprPtr Modulo() {
    ExprPtr left = IntegerDivision();
    while (Peek().Is("mod")) {
      int column = Next().column;
      left = MakeBinary(BinaryOp::kMod, std::move(left), IntegerDivision(), column);
    }
    return left;
  }

  ExprPtr IntegerDivision() {
    ExprPtr left = Multiplicative();
    while (Peek().IsOp("\\")) {
      int column = Next().column;
      left = MakeBinary(BinaryOp::kIntDiv, std::move(left), Multiplicative(), column);
    }
    return left;
  }

  ExprPtr Multiplicative() {
    ExprPtr left = Unary();
    while (Peek().IsOp("*") || Peek().IsOp("/")) {
      BinaryOp op = Peek().text == "*" ? BinaryOp::kMul : BinaryOp::kDiv;
      int column = Next().column;
      left = MakeBinary(op, std::move(left), Unary(), column);
    }
    return left;
  }

  // Unary minus binds less tightly than "^": -2^2 is -4.
  ExprPtr Unary() {
    if (Peek().IsOp("-")) {
      int column = Next().column;
      auto e = std::make_unique<Expr>();
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

  ExprPtr Power() {
    ExprPtr left = Primary();
    while (Peek().IsOp("^")) {
      int column = Next().column;
      ExprPtr right;
      if (Peek().IsOp("-")) {
        int minus = Next().column;
        right = std::make_unique<Expr>();
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

  static ExprPtr Literal(Value v, int column) {
    auto e = std::make_unique<Expr>();
    e->kind = ExprKind::kLiteral;
    e->literal = std::move(v);
    e->column = column;
    return e;
  }

  static Value NumberLiteral(const Token& tok) {
    switch (tok.suffix) {
      case '%': return Value::Integer(tok.number);
      case '&': return Value::Long(tok.number);
      case '!': return Value::Single(static_cast<float>(tok.number));
      case '#':
      case '@': return Value::Double(tok.number);
      default: break;
    }
    // A whole number that fits is an Integer, else a Long; anything else is a Double.
    if (tok.isWhole && tok.number >= -32768 && tok.number <= 32767) return Value::Integer(tok.number);
    if (tok.isWhole && tok.number >= -2147483648.0 && tok.number <= 2147483647.0) return Value::Long(tok.number);
    return Value::Double(tok.number);
  }

  ExprPtr Primary() {
    const Token& tok = Peek();
    if (tok.kind == TokenKind::kNumber) {
      Next();
      return Literal(NumberLiteral(tok), tok.column);
    }
    if (tok.kind == TokenKind::kString) {
      Next();
      return Literal(Value::String(tok.text), tok.column);
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
    if (tok.kind == TokenKind::kIdentifier && !IsReserved(tok.lower)) return NameReference();
    Expected("una expresión");
  }

  // name, name(args) or name.member.
  ExprPtr NameReference() {
    const Token& tok = Next();
    auto e = std::make_unique<Expr>();
    e->kind = ExprKind::kName;
    e->name = tok.text;
    e->lower = tok.lower;
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
      const Token& member = Peek();
      if (member.kind != TokenKind::kIdentifier) Expected("el nombre de un miembro");
      Next();
      e->kind = ExprKind::kMember;
      e->member = member.lower;
    }
    return e;
  }

  // A variable or array element that receives a value.
  ExprPtr Target() {
    const Token& tok = Peek();
    if (tok.kind != TokenKind::kIdentifier || IsReserved(tok.lower)) Expected("una variable");
    ExprPtr e = NameReference();
    if (e->kind == ExprKind::kMember) throw Failure{e->column, "no se puede asignar a \"" + e->name + "." + e->member + "\""};
    return e;
  }

  // "#n" or "n" where a file number is expected.
  ExprPtr FileNumber() {
    TakeOp("#");
    return Expression();
  }

  // ---------------------------------------------------------------- statements

  void Statements(StmtList& out, bool stopAtElse) {
    while (true) {
      while (Peek().kind == TokenKind::kColon) Next();
      if (AtEnd()) return;
      if (stopAtElse && Peek().Is("else")) return;
      Statement(out, stopAtElse);
      if (AtEnd()) return;
      if (stopAtElse && Peek().Is("else")) return;
      if (Peek().kind != TokenKind::kColon) Expected("\":\" o el final de la línea");
    }
  }

  Stmt Make(StmtKind kind) const {
    Stmt s;
    s.kind = kind;
    s.line = line_;
    return s;
  }

  void GoToStatement(StmtList& out, StmtKind kind) {
    Stmt s = Make(kind);
    s.label = Label();
    out.push_back(std::move(s));
  }

  // The part after Then or Else of a single-line If: a line number alone is a GoTo.
  void Branch(StmtList& out, bool stopAtElse) {
    const Token& tok = Peek();
    if (tok.kind == TokenKind::kNumber && tok.isWhole && tok.suffix == 0) {
      GoToStatement(out, StmtKind::kGoTo);
      return;
    }
    Statements(out, stopAtElse);
  }

  void IfStatement(StmtList& out) {
    Stmt s = Make(StmtKind::kIfLine);
    s.exprs.push_back(Expression());
    if (Peek().Is("goto")) {  // If cond GoTo label
      Next();
      Stmt go = Make(StmtKind::kGoTo);
      go.label = Label();
      s.thenPart.push_back(std::move(go));
    } else {
      Keyword("then");
      if (AtEnd()) {
        s.kind = StmtKind::kIfBlock;
        out.push_back(std::move(s));
        return;
      }
      Branch(s.thenPart, true);
    }
    if (Peek().Is("else")) {
      Next();
      Branch(s.elsePart, false);
    }
    out.push_back(std::move(s));
  }

  VbType TypeName() {
    const Token& tok = Peek();
    static const std::pair<const char*, VbType> kTypes[] = {
        {"integer", VbType::kInteger}, {"long", VbType::kLong},     {"single", VbType::kSingle},
        {"double", VbType::kDouble},   {"string", VbType::kString}, {"variant", VbType::kVariant},
        {"boolean", VbType::kBoolean}};
    for (const auto& [word, type] : kTypes) {
      if (tok.Is(word)) {
        Next();
        if (type == VbType::kString && Peek().IsOp("*")) Unsupported("Una cadena de longitud fija");
        return type;
      }
    }
    Expected("un tipo (Integer, Long, Single, Double, String, Variant o Boolean)");
  }

  static VbType SuffixType(char suffix) {
    switch (suffix) {
      case '%': return VbType::kInteger;
      case '&': return VbType::kLong;
      case '!': return VbType::kSingle;
      case '#': return VbType::kDouble;
      case '$': return VbType::kString;
      default: return VbType::kEmpty;
    }
  }

  // name[(bounds)] [As type], for Dim and ReDim.
  Declared Declaration(bool requireBounds) {
    const Token& tok = Peek();
    if (tok.kind != TokenKind::kIdentifier || IsReserved(tok.lower)) Expected("un nombre de variable");
    Next();
    Declared d;
    d.name = tok.text;
    d.lower = tok.lower;
    d.suffix = tok.suffix;
    d.type = SuffixType(tok.suffix);
    if (TakeOp("(")) {
      d.isArray = true;
      if (!Peek().IsOp(")")) {
        do {
          Bounds b;
          b.upper = Expression();
          if (TakeKeyword("to")) {
            b.lower = std::move(b.upper);
            b.upper = Expression();
          }
          d.dims.push_back(std::move(b));
        } while (TakeOp(","));
      }
      Op(")");
    }
    if (requireBounds && d.dims.empty()) Expected("las dimensiones entre paréntesis");
    if (TakeKeyword("as")) {
      if (tok.suffix != 0) throw Failure{tok.column, "un nombre con carácter de tipo no lleva \"As\""};
      d.type = TypeName();
    }
    return d;
  }

  void DimStatement(StmtList& out, bool redim) {
    Stmt s = Make(redim ? StmtKind::kReDim : StmtKind::kDim);
    if (redim && TakeKeyword("preserve")) s.preserve = true;
    do {
      s.declared.push_back(Declaration(redim));
    } while (TakeOp(","));
    out.push_back(std::move(s));
  }

  void OpenStatement(StmtList& out) {
    Stmt s = Make(StmtKind::kOpen);
    s.exprs.push_back(Expression());
    Keyword("for");
    if (TakeKeyword("input")) s.mode = FileMode::kInput;
    else if (TakeKeyword("output")) s.mode = FileMode::kOutput;
    else if (TakeKeyword("append")) s.mode = FileMode::kAppend;
    else if (TakeKeyword("random")) s.mode = FileMode::kRandom;
    else if (Peek().Is("binary")) Unsupported("El modo Binary");
    else Expected("Input, Output, Append o Random");
    if (Peek().Is("access") || Peek().Is("shared") || Peek().Is("lock")) Unsupported("Access, Shared o Lock en Open");
    Keyword("as");
    s.exprs.push_back(FileNumber());
    if (Peek().Is("len")) {
      Next();
      Op("=");
      s.exprs.push_back(Expression());
    }
    out.push_back(std::move(s));
  }

  void PrintList(Stmt& s) {
    while (!AtStatementEnd()) {
      PrintItem item;
      if ((Peek().Is("tab") || Peek().Is("spc")) && Peek(1).IsOp("(")) {
        item.kind = Peek().lower == "tab" ? PrintItem::Kind::kTab : PrintItem::Kind::kSpc;
        Next();
        Next();
        item.expr = Expression();
        Op(")");
      } else if (Peek().IsOp(";") || Peek().IsOp(",")) {
        item.kind = PrintItem::Kind::kNone;
      } else {
        item.kind = PrintItem::Kind::kExpr;
        item.expr = Expression();
      }
      if (Peek().IsOp(";") || Peek().IsOp(",")) {
        item.separator = Next().text[0];
      } else if (!AtStatementEnd()) {
        item.separator = ';';  // items written side by side are joined as by ";"
      }
      s.items.push_back(std::move(item));
    }
  }

  void CallStatement(StmtList& out) {
    ExprPtr head = NameReference();
    if (head->kind == ExprKind::kMember) {
      throw Failure{head->column, "no se puede llamar a \"" + head->name + "." + head->member + "\""};
    }
    Stmt s = Make(StmtKind::kCall);
    s.label = head->name;
    s.lower = head->lower;
    if (head->kind == ExprKind::kIndex && AtStatementEnd()) {
      s.exprs = std::move(head->args);
    } else {
      if (head->kind == ExprKind::kIndex) {
        // "name (a), b": the first argument was parenthesized; the list goes on.
        if (head->args.size() != 1) Expected("\":\" o el final de la línea");
        ExprPtr first = std::move(head->args[0]);
        first->parenthesized = true;
        // The parenthesized first argument may be followed by operators: "MsgBox (a) + b".
        s.exprs.push_back(ContinueExpression(std::move(first)));
        if (!AtStatementEnd()) Op(",");
      }
      if (!AtStatementEnd()) {
        do {
          s.exprs.push_back(Expression());
        } while (TakeOp(","));
      }
    }
    out.push_back(std::move(s));
  }

  // An expression whose first operand has been read already; only "+", "-",
  // "&" and the comparisons can follow in the cases the modules write.
  ExprPtr ContinueExpression(ExprPtr first) {
    while (Peek().IsOp("+") || Peek().IsOp("-") || Peek().IsOp("&")) {
      BinaryOp op = Peek().text == "+" ? BinaryOp::kAdd : Peek().text == "-" ? BinaryOp::kSub : BinaryOp::kConcat;
      int column = Next().column;
      first = MakeBinary(op, std::move(first), Modulo(), column);
    }
    return first;
  }

  void Statement(StmtList& out, bool inLineIf) {
    const Token& tok = Peek();
    if (tok.kind != TokenKind::kIdentifier) Expected("una instrucción");
    // "name = value" assigns even when the name is also a statement word (Name, Line...).
    if (Peek(1).IsOp("=") && !IsReserved(tok.lower)) {
      Stmt s = Make(StmtKind::kAssign);
      s.target = Target();
      Op("=");
      s.exprs.push_back(Expression());
      out.push_back(std::move(s));
      return;
    }
    const std::string& w = tok.lower;
    if (tok.suffix != 0 || !IsReserved(w)) {
      if (w == "name" && tok.suffix == 0) {
        Next();
        Stmt s = Make(StmtKind::kName);
        s.exprs.push_back(Expression());
        Keyword("as");
        s.exprs.push_back(Expression());
        out.push_back(std::move(s));
        return;
      }
      // An assignment to an element or a call.
      size_t save = pos_;
      ExprPtr head = NameReference();
      if (Peek().IsOp("=")) {
        if (head->kind == ExprKind::kMember) {
          throw Failure{head->column, "no se puede asignar a \"" + head->name + "." + head->member + "\""};
        }
        Next();
        Stmt s = Make(StmtKind::kAssign);
        s.target = std::move(head);
        s.exprs.push_back(Expression());
        out.push_back(std::move(s));
        return;
      }
      pos_ = save;
      CallStatement(out);
      return;
    }
    Next();
    if (w == "if") return IfStatement(out);
    if (w == "elseif") {
      if (inLineIf) throw Failure{tok.column, "ElseIf en un If de una línea"};
      Stmt s = Make(StmtKind::kElseIf);
      s.exprs.push_back(Expression());
      Keyword("then");
      out.push_back(std::move(s));
      return;
    }
    if (w == "else") {
      out.push_back(Make(StmtKind::kElse));
      if (!AtStatementEnd()) Statement(out, false);  // "Else x = 1" on the line of a block Else
      return;
    }
    if (w == "endif") {
      out.push_back(Make(StmtKind::kEndIf));
      return;
    }
    if (w == "end") {
      if (TakeKeyword("if")) {
        out.push_back(Make(StmtKind::kEndIf));
      } else if (Peek().Is("sub") || Peek().Is("function")) {
        throw Failure{tok.column, "\"End Sub\" debe ir solo en su línea"};
      } else if (Peek().Is("select") || Peek().Is("with") || Peek().Is("type")) {
        Unsupported("\"End " + Peek().text + "\"");
      } else {
        out.push_back(Make(StmtKind::kEnd));
      }
      return;
    }
    if (w == "for") {
      Stmt s = Make(StmtKind::kFor);
      s.target = Target();
      if (s.target->kind != ExprKind::kName) throw Failure{s.target->column, "el contador de For debe ser una variable"};
      Op("=");
      s.exprs.push_back(Expression());
      Keyword("to");
      s.exprs.push_back(Expression());
      if (TakeKeyword("step")) s.exprs.push_back(Expression());
      out.push_back(std::move(s));
      return;
    }
    if (w == "next") {
      if (AtStatementEnd()) {
        out.push_back(Make(StmtKind::kNext));
        return;
      }
      do {
        Stmt s = Make(StmtKind::kNext);
        s.target = Target();
        out.push_back(std::move(s));
      } while (TakeOp(","));
      return;
    }
    if (w == "while") {
      Stmt s = Make(StmtKind::kWhile);
      s.exprs.push_back(Expression());
      out.push_back(std::move(s));
      return;
    }
    if (w == "wend") {
      out.push_back(Make(StmtKind::kWend));
      return;
    }
    if (w == "do" || w == "loop") {
      Stmt s = Make(w == "do" ? StmtKind::kDo : StmtKind::kLoop);
      if (Peek().Is("while") || Peek().Is("until")) {
        s.until = Next().lower == "until";
        s.exprs.push_back(Expression());
      }
      out.push_back(std::move(s));
      return;
    }
    if (w == "goto") return GoToStatement(out, StmtKind::kGoTo);
    if (w == "gosub") return GoToStatement(out, StmtKind::kGoSub);
    if (w == "return") {
      out.push_back(Make(StmtKind::kReturn));
      return;
    }
    if (w == "on") {
      if (!Peek().Is("error")) Unsupported("\"On ... GoTo\" calculado");
      Next();
      if (TakeKeyword("resume")) {
        Keyword("next");
        out.push_back(Make(StmtKind::kOnErrorResumeNext));
        return;
      }
      Keyword("goto");
      Stmt s = Make(StmtKind::kOnErrorGoTo);
      s.label = Label();
      out.push_back(std::move(s));
      return;
    }
    if (w == "resume") {
      Stmt s = Make(StmtKind::kResume);
      if (TakeKeyword("next")) {
        s.label = "next";
        s.until = true;  // marks Resume Next
      } else if (!AtStatementEnd()) {
        s.label = Label();
        if (s.label == "0") s.label.clear();
      }
      out.push_back(std::move(s));
      return;
    }
    if (w == "exit") {
      if (TakeKeyword("sub")) out.push_back(Make(StmtKind::kExitSub));
      else if (TakeKeyword("for")) out.push_back(Make(StmtKind::kExitFor));
      else if (TakeKeyword("do")) out.push_back(Make(StmtKind::kExitDo));
      else Expected("Sub, For o Do");
      return;
    }
    if (w == "open") return OpenStatement(out);
    if (w == "close") {
      Stmt s = Make(StmtKind::kClose);
      if (!AtStatementEnd()) {
        do {
          s.exprs.push_back(FileNumber());
        } while (TakeOp(","));
      }
      out.push_back(std::move(s));
      return;
    }
    if (w == "input" || w == "line") {
      Stmt s = Make(w == "input" ? StmtKind::kInput : StmtKind::kLineInput);
      if (w == "line") Keyword("input");
      Op("#");
      s.exprs.push_back(Expression());
      Op(",");
      do {
        auto target = Target();
        s.exprs.push_back(std::move(target));
      } while (s.kind == StmtKind::kInput && TakeOp(","));
      out.push_back(std::move(s));
      return;
    }
    if (w == "write") {
      Stmt s = Make(StmtKind::kWrite);
      Op("#");
      s.exprs.push_back(Expression());
      if (TakeOp(",")) {
        while (!AtStatementEnd()) {
          s.exprs.push_back(Expression());
          if (!TakeOp(",") && !TakeOp(";")) break;
        }
      }
      out.push_back(std::move(s));
      return;
    }
    if (w == "print") {
      if (!Peek().IsOp("#")) {
        throw Failure{tok.column, "Print sin objeto no es válido en un módulo: se esperaba \"Print #\" o \"Debug.Print\""};
      }
      Next();
      Stmt s = Make(StmtKind::kPrint);
      s.exprs.push_back(Expression());
      if (TakeOp(",")) PrintList(s);
      out.push_back(std::move(s));
      return;
    }
    if (w == "debug") {
      Op(".");
      Keyword("print");
      Stmt s = Make(StmtKind::kPrint);
      PrintList(s);
      out.push_back(std::move(s));
      return;
    }
    if (w == "put" || w == "get") {
      Stmt s = Make(w == "put" ? StmtKind::kPut : StmtKind::kGet);
      s.exprs.push_back(FileNumber());
      Op(",");
      if (Peek().IsOp(",")) {
        s.exprs.push_back(nullptr);
      } else {
        s.exprs.push_back(Expression());
      }
      Op(",");
      if (s.kind == StmtKind::kGet) {
        s.target = Target();
      } else {
        s.exprs.push_back(Expression());
      }
      out.push_back(std::move(s));
      return;
    }
    if (w == "kill") {
      Stmt s = Make(StmtKind::kKill);
      s.exprs.push_back(Expression());
      out.push_back(std::move(s));
      return;
    }
    if (w == "redim") return DimStatement(out, true);
    if (w == "dim" || w == "static") return DimStatement(out, false);
    if (w == "randomize") {
      Stmt s = Make(StmtKind::kRandomize);
      if (!AtStatementEnd()) s.exprs.push_back(Expression());
      out.push_back(std::move(s));
      return;
    }
    if (w == "call") {
      if (Peek().kind != TokenKind::kIdentifier || IsReserved(Peek().lower)) Expected("el nombre de un procedimiento");
      return CallStatement(out);
    }
    if (w == "let") {
      Stmt s = Make(StmtKind::kAssign);
      s.target = Target();
      Op("=");
      s.exprs.push_back(Expression());
      out.push_back(std::move(s));
      return;
    }
    if (w == "error") {
      Stmt s = Make(StmtKind::kErrorStmt);
      s.exprs.push_back(Expression());
      out.push_back(std::move(s));
      return;
    }
    if (w == "select" || w == "with" || w == "function" || w == "const" || w == "type") {
      throw Failure{tok.column, "\"" + tok.text + "\" no es admitido por el ejecutor"};
    }
    throw Failure{tok.column, "\"" + tok.text + "\" no puede empezar una instrucción aquí"};
  }

  size_t pos_ = 0;

 private:
  const Tokens& t_;
  int line_;
};

// The physical lines of a module, continuation lines (" _") joined.
struct SourceLine {
  int number;  // index of the first physical line
  std::string text;
};

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    start = end + 1;
  }
  return lines;
}

class ModuleParser {
 public:
  ModuleParser(const std::string& name, std::string_view text) {
    module_.name = name;
    module_.lines = SplitLines(text);
  }

  std::variant<Module, SyntaxError> Parse() {
    Tokens tokens;
    for (size_t i = 0; i < module_.lines.size(); ++i) {
      int first = static_cast<int>(i);
      std::string text = module_.lines[i];
      while (EndsInContinuation(text) && i + 1 < module_.lines.size()) {
        text.resize(text.find_last_not_of(" \t") - 1);
        text += " " + module_.lines[++i];
      }
      if (auto error = Lex(text, tokens)) return Error(first, error->column, error->message);
      try {
        Line(tokens, first);
      } catch (const Failure& f) {
        return Error(first, f.column, f.message);
      }
    }
    if (current_ != nullptr) {
      return Error(current_->firstLine, 1, "falta \"End Sub\" del procedimiento " + current_->name);
    }
    return std::move(module_);
  }

 private:
  static bool EndsInContinuation(const std::string& text) {
    size_t last = text.find_last_not_of(" \t");
    return last != std::string::npos && last >= 1 && text[last] == '_' && (text[last - 1] == ' ' || text[last - 1] == '\t');
  }

  SyntaxError Error(int line, int column, const std::string& message) const {
    return SyntaxError{module_.name, line + 1, column, message};
  }

  void Line(const Tokens& tokens, int line) {
    LineParser p(tokens, line);
    if (p.AtEnd()) return;
    if (current_ == nullptr) return ModuleLevel(p, line);
    // A label at the start of the line: a line number, or a name followed by ":".
    const Token& first = p.Peek();
    std::string label;
    if (first.kind == TokenKind::kNumber && first.isWhole && first.suffix == 0) {
      label = first.text;
      p.Next();
    } else if (first.kind == TokenKind::kIdentifier && first.suffix == 0 && !IsReserved(first.lower) &&
               p.Peek(1).kind == TokenKind::kColon) {
      label = first.lower;
      p.Next();
      p.Next();
    }
    if (!label.empty()) current_->labels.emplace_back(static_cast<int>(current_->body.size()), label);
    if (p.Peek().Is("end") && (p.Peek(1).Is("sub") || p.Peek(1).Is("function"))) {
      p.Next();
      p.Next();
      if (!p.AtEnd()) p.Expected("el final de la línea");
      current_ = nullptr;
      return;
    }
    p.Statements(current_->body, false);
    if (!p.AtEnd()) p.Expected("\":\" o el final de la línea");
  }

  void ModuleLevel(LineParser& p, int line) {
    while (true) {
      while (p.Peek().kind == TokenKind::kColon) p.Next();
      if (p.AtEnd()) return;
      const Token& tok = p.Peek();
      if (tok.Is("attribute") || tok.Is("option")) {
        // Attribute VB_Name = "..." and Option Explicit/Base/Compare lines of the target's files.
        if (tok.Is("option")) {
          p.Next();
          if (p.Peek().Is("base") || p.Peek().Is("compare")) {
            if (!(p.Peek().Is("base") && p.Peek(1).kind == TokenKind::kNumber && p.Peek(1).number == 0) &&
                !(p.Peek().Is("compare") && p.Peek(1).Is("binary"))) {
              p.Unsupported("\"Option " + p.Peek().text + "\" distinto del predeterminado");
            }
          }
        }
        while (!p.AtEnd()) p.Next();
        return;
      }
      if (tok.kind == TokenKind::kIdentifier && tok.lower.size() == 6 && tok.lower.starts_with("def")) {
        DefType(p);
      } else if (tok.Is("dim") || tok.Is("public") || tok.Is("private") || tok.Is("global")) {
        bool isPublic = !tok.Is("private") && !tok.Is("dim");
        p.Next();
        if (p.Peek().Is("sub")) {
          p.Next();
          return ProcedureHeader(p, line, isPublic);
        }
        if (p.Peek().Is("function")) p.Unsupported("\"Function\"");
        do {
          Declared d = p.Declaration(false);
          d.isPublic = isPublic;
          module_.variables.push_back(std::move(d));
          module_.variableLines.push_back(line);
        } while (p.TakeOp(","));
      } else if (tok.Is("sub")) {
        p.Next();
        return ProcedureHeader(p, line, true);
      } else if (tok.Is("function") || tok.Is("type") || tok.Is("const") || tok.Is("declare")) {
        p.Unsupported("\"" + tok.text + "\"");
      } else {
        p.Expected("una declaración o un procedimiento");
      }
      if (!p.AtEnd() && p.Peek().kind != TokenKind::kColon) p.Expected("\":\" o el final de la línea");
    }
  }

  void DefType(LineParser& p) {
    const Token& word = p.Next();
    VbType type;
    if (word.lower == "defint") type = VbType::kInteger;
    else if (word.lower == "deflng") type = VbType::kLong;
    else if (word.lower == "defsng") type = VbType::kSingle;
    else if (word.lower == "defdbl") type = VbType::kDouble;
    else if (word.lower == "defstr") type = VbType::kString;
    else if (word.lower == "defbool") type = VbType::kBoolean;
    else if (word.lower == "defvar") type = VbType::kVariant;
    else throw Failure{word.column, "\"" + word.text + "\" no es admitido por el ejecutor"};
    do {
      char from = Letter(p);
      char to = from;
      if (p.TakeOp("-")) to = Letter(p);
      if (to < from) throw Failure{p.Peek().column, "intervalo de letras al revés"};
      for (char c = from; c <= to; ++c) module_.letterType[c - 'a'] = type;
    } while (p.TakeOp(","));
  }

  static char Letter(LineParser& p) {
    const Token& tok = p.Peek();
    if (tok.kind != TokenKind::kIdentifier || tok.lower.size() != 1 || tok.lower[0] < 'a' || tok.lower[0] > 'z') {
      p.Expected("una letra");
    }
    p.Next();
    return tok.lower[0];
  }

  void ProcedureHeader(LineParser& p, int line, bool isPublic) {
    const Token& name = p.Peek();
    if (name.kind != TokenKind::kIdentifier || IsReserved(name.lower)) p.Expected("el nombre del procedimiento");
    p.Next();
    Procedure proc;
    proc.name = name.text;
    proc.lower = name.lower;
    proc.isPublic = isPublic;
    proc.firstLine = line;
    if (p.TakeOp("(")) {
      if (!p.Peek().IsOp(")")) p.Unsupported("Un procedimiento con parámetros");
      p.Op(")");
    }
    if (!p.AtEnd()) p.Expected("el final de la línea");
    module_.procedures.push_back(std::move(proc));
    current_ = &module_.procedures.back();
  }

  Module module_;
  Procedure* current_ = nullptr;
};

}  // namespace

std::variant<Module, SyntaxError> ParseModule(const std::string& name, std::string_view text) {
  return ModuleParser(name, text).Parse();
}

}  // namespace korva::vbrun
