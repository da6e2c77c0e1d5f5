// The statements that read and write files, and Debug.Print.
#include "vbrun/line_parser.h"

namespace korva::vbrun {

void LineParser::ParseOpen(StmtList& out, const Opening&) {
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

void LineParser::ParseClose(StmtList& out, const Opening&) {
  Stmt s = Make(StmtKind::kClose);
  if (!AtStatementEnd()) {
    do {
      s.exprs.push_back(FileNumber());
    } while (TakeOp(","));
  }
  out.push_back(std::move(s));
}

void LineParser::ParseInput(StmtList& out, const Opening&) { InputStatement(out, StmtKind::kInput); }

void LineParser::ParseLineInput(StmtList& out, const Opening&) {
  Keyword("input");
  InputStatement(out, StmtKind::kLineInput);
}

void LineParser::InputStatement(StmtList& out, StmtKind kind) {
  Stmt s = Make(kind);
  Op("#");
  s.exprs.push_back(Expression());
  Op(",");
  do {
    s.exprs.push_back(Target());
  } while (kind == StmtKind::kInput && TakeOp(","));
  out.push_back(std::move(s));
}

void LineParser::ParseWrite(StmtList& out, const Opening&) {
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
}

void LineParser::ParsePrint(StmtList& out, const Opening& at) {
  if (!Peek().IsOp("#")) {
    throw ParseFailure{at.word.column,
                       "Print sin objeto no es válido en un módulo: se esperaba \"Print #\" o \"Debug.Print\""};
  }
  Next();
  Stmt s = Make(StmtKind::kPrint);
  s.exprs.push_back(Expression());
  if (TakeOp(",")) PrintList(s);
  out.push_back(std::move(s));
}

void LineParser::ParseDebug(StmtList& out, const Opening&) {
  Op(".");
  Keyword("print");
  Stmt s = Make(StmtKind::kPrint);
  PrintList(s);
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
    s.Parts().items.push_back(std::move(item));
  }
}

void LineParser::ParsePut(StmtList& out, const Opening&) { RecordStatement(out, StmtKind::kPut); }

void LineParser::ParseGet(StmtList& out, const Opening&) { RecordStatement(out, StmtKind::kGet); }

void LineParser::RecordStatement(StmtList& out, StmtKind kind) {
  Stmt s = Make(kind);
  s.exprs.push_back(FileNumber());
  Op(",");
  if (Peek().IsOp(",")) {
    s.exprs.push_back(nullptr);  // the next record
  } else {
    s.exprs.push_back(Expression());
  }
  Op(",");
  if (kind == StmtKind::kGet) {
    s.target = Target();
  } else {
    s.exprs.push_back(Expression());
  }
  out.push_back(std::move(s));
}

void LineParser::ParseKill(StmtList& out, const Opening&) { ExpressionStatement(out, StmtKind::kKill); }

void LineParser::ParseName(StmtList& out, const Opening&) {
  Stmt s = Make(StmtKind::kName);
  s.exprs.push_back(Expression());
  Keyword("as");
  s.exprs.push_back(Expression());
  out.push_back(std::move(s));
}

}  // namespace korva::vbrun
