#include "vbrun/line_parser.h"

namespace korva::vbrun {

void LineParser::Statements(StmtList& out, bool stopAtElse) {
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

Stmt LineParser::Make(StmtKind kind) const {
  Stmt s;
  s.kind = kind;
  s.line = line_;
  return s;
}

void LineParser::GoToStatement(StmtList& out, StmtKind kind) {
  Stmt s = Make(kind);
  s.label = Label();
  out.push_back(std::move(s));
}

// The part after Then or Else of a single-line If: a line number alone is a GoTo.
void LineParser::Branch(StmtList& out, bool stopAtElse) {
  const Token tok = Peek();
  if (tok.kind == TokenKind::kNumber && tok.isWhole && tok.suffix == 0) {
    GoToStatement(out, StmtKind::kGoTo);
    return;
  }
  Statements(out, stopAtElse);
}

void LineParser::IfStatement(StmtList& out) {
  Nested level(*this);
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

VbType LineParser::TypeName() {
  const Token tok = Peek();
  static const std::pair<const char*, VbType> kTypes[] = {{"integer", VbType::kInteger}, {"long", VbType::kLong},
                                                          {"single", VbType::kSingle},   {"double", VbType::kDouble},
                                                          {"string", VbType::kString},   {"variant", VbType::kVariant},
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


// name[(bounds)] [As type], for Dim and ReDim.
Declared LineParser::Declaration(bool requireBounds) {
  const Token tok = Peek();
  if (tok.kind != TokenKind::kIdentifier || tok.reserved) Expected("un nombre de variable");
  Next();
  Declared d;
  d.name = tok.text;
  d.lower = tok.lower;
  d.suffix = tok.suffix;
  d.type = TypeOfSuffix(tok.suffix);
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
    if (tok.suffix != 0) throw ParseFailure{tok.column, "un nombre con carácter de tipo no lleva \"As\""};
    d.type = TypeName();
  }
  return d;
}

void LineParser::DimStatement(StmtList& out, bool redim) {
  Stmt s = Make(redim ? StmtKind::kReDim : StmtKind::kDim);
  if (redim && TakeKeyword("preserve")) s.preserve = true;
  do {
    s.declared.push_back(Declaration(redim));
  } while (TakeOp(","));
  out.push_back(std::move(s));
}

void LineParser::OpenStatement(StmtList& out) {
  Stmt s = Make(StmtKind::kOpen);
  s.exprs.push_back(Expression());
  Keyword("for");
  if (TakeKeyword("input"))
    s.mode = FileMode::kInput;
  else if (TakeKeyword("output"))
    s.mode = FileMode::kOutput;
  else if (TakeKeyword("append"))
    s.mode = FileMode::kAppend;
  else if (TakeKeyword("random"))
    s.mode = FileMode::kRandom;
  else if (Peek().Is("binary"))
    Unsupported("El modo Binary");
  else
    Expected("Input, Output, Append o Random");
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

void LineParser::PrintList(Stmt& s) {
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

void LineParser::CallStatement(StmtList& out) {
  ExprPtr head = NameReference();
  if (head->kind == ExprKind::kMember) {
    throw ParseFailure{head->column, "no se puede llamar a \"" + head->name + "\""};
  }
  Stmt s = Make(StmtKind::kCall);
  s.label = head->name;
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
ExprPtr LineParser::ContinueExpression(ExprPtr first) {
  while (Peek().IsOp("+") || Peek().IsOp("-") || Peek().IsOp("&")) {
    BinaryOp op = Peek().text == "+" ? BinaryOp::kAdd : Peek().text == "-" ? BinaryOp::kSub : BinaryOp::kConcat;
    int column = Next().column;
    first = MakeBinary(op, std::move(first), Modulo(), column);
  }
  return first;
}

void LineParser::AssignmentStatement(StmtList& out) {
  Stmt s = Make(StmtKind::kAssign);
  s.target = Target();
  Op("=");
  s.exprs.push_back(Expression());
  out.push_back(std::move(s));
}

void LineParser::ExpressionStatement(StmtList& out, StmtKind kind) {
  Stmt s = Make(kind);
  s.exprs.push_back(Expression());
  out.push_back(std::move(s));
}

void LineParser::Statement(StmtList& out, bool inLineIf) {
  const Token tok = Peek();
  if (tok.kind != TokenKind::kIdentifier) Expected("una instrucción");
  // "name = value" assigns even when the name is also a statement word (Name, Line...).
  if (Peek(1).IsOp("=") && !tok.reserved) {
    return AssignmentStatement(out);
  }
  const std::string_view w = tok.lower;
  if (tok.suffix != 0 || !tok.reserved) {
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
    const size_t start = Mark();
    ExprPtr head = NameReference();
    if (Peek().IsOp("=")) {
      Unmark();  // an assignment: the head read stands
      if (head->kind == ExprKind::kMember) {
        throw ParseFailure{head->column, "no se puede asignar a \"" + head->name + "\""};
      }
      Next();
      Stmt s = Make(StmtKind::kAssign);
      s.target = std::move(head);
      s.exprs.push_back(Expression());
      out.push_back(std::move(s));
      return;
    }
    Rewind(start);
    CallStatement(out);
    return;
  }
  Next();
  if (w == "if") return IfStatement(out);
  if (w == "elseif") {
    if (inLineIf) throw ParseFailure{tok.column, "ElseIf en un If de una línea"};
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
      throw ParseFailure{tok.column, "\"End Sub\" debe ir solo en su línea"};
    } else if (Peek().Is("select") || Peek().Is("with") || Peek().Is("type")) {
      Unsupported("\"End " + std::string(Peek().text) + "\"");
    } else {
      out.push_back(Make(StmtKind::kEnd));
    }
    return;
  }
  if (w == "for") {
    Stmt s = Make(StmtKind::kFor);
    s.target = Target();
    if (s.target->kind != ExprKind::kName)
      throw ParseFailure{s.target->column, "el contador de For debe ser una variable"};
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
    return ExpressionStatement(out, StmtKind::kWhile);
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
    if (TakeKeyword("next")) {
      out.push_back(Make(StmtKind::kResumeNext));
      return;
    }
    Stmt s = Make(StmtKind::kResume);
    if (!AtStatementEnd()) {
      s.label = Label();
      if (s.label == "0") s.label.clear();
    }
    out.push_back(std::move(s));
    return;
  }
  if (w == "exit") {
    if (TakeKeyword("sub"))
      out.push_back(Make(StmtKind::kExitSub));
    else if (TakeKeyword("for"))
      out.push_back(Make(StmtKind::kExitFor));
    else if (TakeKeyword("do"))
      out.push_back(Make(StmtKind::kExitDo));
    else
      Expected("Sub, For o Do");
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
      throw ParseFailure{tok.column,
                         "Print sin objeto no es válido en un módulo: se esperaba \"Print #\" o \"Debug.Print\""};
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
    return ExpressionStatement(out, StmtKind::kKill);
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
    if (Peek().kind != TokenKind::kIdentifier || Peek().reserved) Expected("el nombre de un procedimiento");
    return CallStatement(out);
  }
  if (w == "let") {
    return AssignmentStatement(out);
  }
  if (w == "error") {
    return ExpressionStatement(out, StmtKind::kErrorStmt);
  }
  if (w == "select" || w == "with" || w == "function" || w == "const" || w == "type") {
    throw ParseFailure{tok.column, "\"" + std::string(tok.text) + "\" no es admitido por el ejecutor"};
  }
  throw ParseFailure{tok.column, "\"" + std::string(tok.text) + "\" no puede empezar una instrucción aquí"};
}

}  // namespace korva::vbrun
