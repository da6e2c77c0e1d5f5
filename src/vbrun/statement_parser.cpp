#include <unordered_map>

#include "vbrun/line_parser.h"

namespace korva::vbrun {
namespace {

using StatementParse = void (LineParser::*)(StmtList& out, const LineParser::Opening& at);

// The words a statement can start with (all of them reserved), each with the
// function that parses the rest of its statement.
const std::unordered_map<std::string_view, StatementParse>& StatementWords() {
  static const std::unordered_map<std::string_view, StatementParse> kWords = {
      {"if", &LineParser::ParseIf},
      {"elseif", &LineParser::ParseElseIf},
      {"else", &LineParser::ParseElse},
      {"endif", &LineParser::ParseEndIf},
      {"end", &LineParser::ParseEnd},
      {"for", &LineParser::ParseFor},
      {"next", &LineParser::ParseNext},
      {"while", &LineParser::ParseWhile},
      {"wend", &LineParser::ParseWend},
      {"do", &LineParser::ParseDo},
      {"loop", &LineParser::ParseLoop},
      {"exit", &LineParser::ParseExit},
      {"goto", &LineParser::ParseGoTo},
      {"gosub", &LineParser::ParseGoSub},
      {"return", &LineParser::ParseReturn},
      {"on", &LineParser::ParseOn},
      {"resume", &LineParser::ParseResume},
      {"dim", &LineParser::ParseDim},
      {"static", &LineParser::ParseDim},
      {"redim", &LineParser::ParseReDim},
      {"randomize", &LineParser::ParseRandomize},
      {"call", &LineParser::ParseCall},
      {"let", &LineParser::ParseLet},
      {"error", &LineParser::ParseError},
      {"open", &LineParser::ParseOpen},
      {"close", &LineParser::ParseClose},
      {"input", &LineParser::ParseInput},
      {"line", &LineParser::ParseLineInput},
      {"write", &LineParser::ParseWrite},
      {"print", &LineParser::ParsePrint},
      {"debug", &LineParser::ParseDebug},
      {"put", &LineParser::ParsePut},
      {"get", &LineParser::ParseGet},
      {"kill", &LineParser::ParseKill},
      {"select", &LineParser::ParseRefused},
      {"with", &LineParser::ParseRefused},
      {"function", &LineParser::ParseRefused},
      {"const", &LineParser::ParseRefused},
      {"type", &LineParser::ParseRefused},
  };
  return kWords;
}

}  // namespace

void LineParser::Statements(StmtList& out, bool stopAtElse, bool inLineIf) {
  while (true) {
    while (Peek().kind == TokenKind::kColon) Next();
    if (AtEnd()) return;
    if (stopAtElse && Peek().Is("else")) return;
    Statement(out, inLineIf);
    if (AtEnd()) return;
    if (stopAtElse && Peek().Is("else")) return;
    if (Peek().kind != TokenKind::kColon) Expected("\":\" o el final de la línea");
  }
}

void LineParser::Statement(StmtList& out, bool inLineIf) {
  const Token tok = Peek();
  if (tok.kind != TokenKind::kIdentifier) Expected("una instrucción");
  // "name = value" assigns even when the name is also a statement word (Name, Line...).
  if (Peek(1).IsOp("=") && !tok.reserved) return AssignmentStatement(out);
  if (tok.suffix != 0 || !tok.reserved) {
    if (tok.Is("name")) {
      Next();
      return ParseName(out, Opening{tok, inLineIf});
    }
    return AssignmentOrCall(out);
  }
  Next();
  const auto& words = StatementWords();
  const auto parse = words.find(tok.lower);
  if (parse == words.end()) {
    throw ParseFailure{tok.column, "\"" + std::string(tok.text) + "\" no puede empezar una instrucción aquí"};
  }
  (this->*parse->second)(out, Opening{tok, inLineIf});
}

Stmt LineParser::Make(StmtKind kind) const {
  Stmt s;
  s.kind = kind;
  s.line = line_;
  return s;
}

// ---------------------------------------------------------------- If

void LineParser::ParseIf(StmtList& out, const Opening& at) {
  Nested level(*this);
  Stmt s = Make(StmtKind::kIfLine);
  s.exprs.push_back(Expression());
  if (Peek().Is("goto")) {  // If cond GoTo label
    Next();
    Stmt go = Make(StmtKind::kGoTo);
    go.Parts().label = Label();
    s.Parts().thenPart.push_back(std::move(go));
  } else {
    Keyword("then");
    if (AtEnd()) {
      if (at.inLineIf) throw ParseFailure{at.word.column, "If de bloque en un If de una línea"};
      s.kind = StmtKind::kIfBlock;
      out.push_back(std::move(s));
      return;
    }
    Branch(s.Parts().thenPart, true);
  }
  if (Peek().Is("else")) {
    Next();
    Branch(s.Parts().elsePart, false);
  }
  out.push_back(std::move(s));
}

void LineParser::Branch(StmtList& out, bool stopAtElse) {
  const Token tok = Peek();
  if (tok.kind == TokenKind::kNumber && tok.isWhole && tok.suffix == 0) {
    Jump(out, StmtKind::kGoTo);
    return;
  }
  Statements(out, stopAtElse, true);
}

void LineParser::ParseElseIf(StmtList& out, const Opening& at) {
  if (at.inLineIf) throw ParseFailure{at.word.column, "ElseIf en un If de una línea"};
  Stmt s = Make(StmtKind::kElseIf);
  s.exprs.push_back(Expression());
  Keyword("then");
  out.push_back(std::move(s));
}

void LineParser::ParseElse(StmtList& out, const Opening& at) {
  if (at.inLineIf) throw ParseFailure{at.word.column, "Else repetido en un If de una línea"};
  out.push_back(Make(StmtKind::kElse));
  if (!AtStatementEnd()) Statement(out, false);  // "Else x = 1" on the line of a block Else
}

void LineParser::ParseEndIf(StmtList& out, const Opening& at) {
  if (at.inLineIf) throw ParseFailure{at.word.column, "End If en un If de una línea"};
  out.push_back(Make(StmtKind::kEndIf));
}

void LineParser::ParseEnd(StmtList& out, const Opening& at) {
  if (TakeKeyword("if")) {
    if (at.inLineIf) throw ParseFailure{at.word.column, "End If en un If de una línea"};
    out.push_back(Make(StmtKind::kEndIf));
  } else if (Peek().Is("sub") || Peek().Is("function")) {
    throw ParseFailure{at.word.column, "\"End Sub\" debe ir solo en su línea"};
  } else if (Peek().Is("select") || Peek().Is("with") || Peek().Is("type")) {
    Unsupported("\"End " + std::string(Peek().text) + "\"");
  } else {
    out.push_back(Make(StmtKind::kEnd));
  }
}

// ---------------------------------------------------------------- loops

void LineParser::ParseFor(StmtList& out, const Opening&) {
  Stmt s = Make(StmtKind::kFor);
  s.target = Target();
  if (s.target->kind != ExprKind::kName) {
    throw ParseFailure{s.target->column, "el contador de For debe ser una variable"};
  }
  Op("=");
  s.exprs.push_back(Expression());
  Keyword("to");
  s.exprs.push_back(Expression());
  if (TakeKeyword("step")) s.exprs.push_back(Expression());
  out.push_back(std::move(s));
}

void LineParser::ParseNext(StmtList& out, const Opening&) {
  if (AtStatementEnd()) {
    out.push_back(Make(StmtKind::kNext));
    return;
  }
  do {
    Stmt s = Make(StmtKind::kNext);
    s.target = Target();
    out.push_back(std::move(s));
  } while (TakeOp(","));
}

void LineParser::ParseWhile(StmtList& out, const Opening&) { ExpressionStatement(out, StmtKind::kWhile); }

void LineParser::ParseWend(StmtList& out, const Opening&) { out.push_back(Make(StmtKind::kWend)); }

void LineParser::ParseDo(StmtList& out, const Opening&) {
  Stmt s = Make(StmtKind::kDo);
  LoopCondition(s);
  out.push_back(std::move(s));
}

void LineParser::ParseLoop(StmtList& out, const Opening&) {
  Stmt s = Make(StmtKind::kLoop);
  LoopCondition(s);
  out.push_back(std::move(s));
}

void LineParser::LoopCondition(Stmt& s) {
  if (Peek().Is("while") || Peek().Is("until")) {
    s.until = Next().lower == "until";
    s.exprs.push_back(Expression());
  }
}

void LineParser::ParseExit(StmtList& out, const Opening&) {
  if (TakeKeyword("sub"))
    out.push_back(Make(StmtKind::kExitSub));
  else if (TakeKeyword("for"))
    out.push_back(Make(StmtKind::kExitFor));
  else if (TakeKeyword("do"))
    out.push_back(Make(StmtKind::kExitDo));
  else
    Expected("Sub, For o Do");
}

// ---------------------------------------------------------------- jumps and errors

void LineParser::Jump(StmtList& out, StmtKind kind) {
  Stmt s = Make(kind);
  s.Parts().label = Label();
  out.push_back(std::move(s));
}

void LineParser::ParseGoTo(StmtList& out, const Opening&) { Jump(out, StmtKind::kGoTo); }

void LineParser::ParseGoSub(StmtList& out, const Opening&) { Jump(out, StmtKind::kGoSub); }

void LineParser::ParseReturn(StmtList& out, const Opening&) { out.push_back(Make(StmtKind::kReturn)); }

void LineParser::ParseOn(StmtList& out, const Opening&) {
  if (!Peek().Is("error")) Unsupported("\"On ... GoTo\" calculado");
  Next();
  if (TakeKeyword("resume")) {
    Keyword("next");
    out.push_back(Make(StmtKind::kOnErrorResumeNext));
    return;
  }
  Keyword("goto");
  Jump(out, StmtKind::kOnErrorGoTo);
}

void LineParser::ParseResume(StmtList& out, const Opening&) {
  if (TakeKeyword("next")) {
    out.push_back(Make(StmtKind::kResumeNext));
    return;
  }
  Stmt s = Make(StmtKind::kResume);
  if (!AtStatementEnd()) {
    s.Parts().label = Label();
    if (s.Parts().label == "0") s.Parts().label.clear();
  }
  out.push_back(std::move(s));
}

void LineParser::ParseError(StmtList& out, const Opening&) { ExpressionStatement(out, StmtKind::kErrorStmt); }

// ---------------------------------------------------------------- declarations

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
    s.Parts().declared.push_back(Declaration(redim));
  } while (TakeOp(","));
  out.push_back(std::move(s));
}

void LineParser::ParseDim(StmtList& out, const Opening&) { DimStatement(out, false); }

void LineParser::ParseReDim(StmtList& out, const Opening&) { DimStatement(out, true); }

// ---------------------------------------------------------------- assignments and calls

void LineParser::AssignmentOrCall(StmtList& out) {
  const size_t start = Mark();
  ExprPtr head = NameReference();
  if (Peek().IsOp("=")) {
    Unmark();  // an assignment: the head read stands
    if (head->kind == ExprKind::kMember) {
      throw ParseFailure{head->column, "no se puede asignar a \"" + std::string(head->name) + "\""};
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
}

void LineParser::CallStatement(StmtList& out) {
  ExprPtr head = NameReference();
  if (head->kind == ExprKind::kMember) {
    throw ParseFailure{head->column, "no se puede llamar a \"" + std::string(head->name) + "\""};
  }
  Stmt s = Make(StmtKind::kCall);
  s.Parts().label = head->name;
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

ExprPtr LineParser::ContinueExpression(ExprPtr first) {
  while (Peek().IsOp("+") || Peek().IsOp("-") || Peek().IsOp("&")) {
    BinaryOp op = Peek().text == "+" ? BinaryOp::kAdd : Peek().text == "-" ? BinaryOp::kSub : BinaryOp::kConcat;
    int column = Next().column;
    first = MakeBinary(op, std::move(first), Modulo(), column);
  }
  return first;
}

void LineParser::ParseCall(StmtList& out, const Opening&) {
  if (Peek().kind != TokenKind::kIdentifier || Peek().reserved) Expected("el nombre de un procedimiento");
  CallStatement(out);
}

void LineParser::AssignmentStatement(StmtList& out) {
  Stmt s = Make(StmtKind::kAssign);
  s.target = Target();
  Op("=");
  s.exprs.push_back(Expression());
  out.push_back(std::move(s));
}

void LineParser::ParseLet(StmtList& out, const Opening&) { AssignmentStatement(out); }

// ---------------------------------------------------------------- the rest

void LineParser::ExpressionStatement(StmtList& out, StmtKind kind) {
  Stmt s = Make(kind);
  s.exprs.push_back(Expression());
  out.push_back(std::move(s));
}

void LineParser::ParseRandomize(StmtList& out, const Opening&) {
  Stmt s = Make(StmtKind::kRandomize);
  if (!AtStatementEnd()) s.exprs.push_back(Expression());
  out.push_back(std::move(s));
}

void LineParser::ParseRefused(StmtList&, const Opening& at) {
  throw ParseFailure{at.word.column, "\"" + std::string(at.word.text) + "\" no es admitido por el ejecutor"};
}

}  // namespace korva::vbrun
