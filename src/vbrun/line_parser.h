#pragma once
// The parser of one line of a module: a cursor over its tokens, the
// expressions (expression_parser.cpp) and the statements (statement_parser.cpp).
#include <deque>
#include <string>
#include <string_view>

#include "vbrun/lexer.h"
#include "vbrun/syntax.h"
#include "vbrun/token.h"

namespace korva::vbrun {

// A syntax error found on a line: the column and what was expected.
struct ParseFailure {
  int column;
  std::string message;
};

class LineParser {
 public:
  // Nesting deeper than this (parentheses, signs, Not, single-line Ifs in
  // single-line Ifs) is refused as too complex, as the target's compiler does.
  static constexpr int kMaxNesting = 1000;

  // `text` is the logical line (continuations joined); `scratch` is the
  // lexer's (see Lexer); the expressions are made in `exprs`.
  LineParser(std::string_view text, std::string& scratch, int line, ExprArena& exprs)
      : lexer_(text, scratch), line_(line), exprs_(exprs) {}

  // The tokens are read as they are asked for, and only the last one taken
  // and those looked ahead at are kept (and, after a Mark, every one from
  // there): a reference to a token lasts until the next call of Next, so a
  // token needed longer is copied.
  const Token& Peek(size_t ahead = 0) const;
  const Token& Next();
  // Where the parser stands, to come back to it with Rewind: the tokens from
  // there on are kept until then.
  size_t Mark();
  void Rewind(size_t mark);
  // Goes on from where the parser stands, without coming back.
  void Unmark() { marked_ = false; }
  bool AtEnd() const;
  bool AtStatementEnd() const;
  [[noreturn]] void Expected(const std::string& what) const;
  [[noreturn]] void Unsupported(const std::string& what) const;
  static std::string Shown(const Token& tok);
  void Keyword(const char* word);
  void Op(const char* op);
  bool TakeOp(const char* op);
  bool TakeKeyword(const char* word);
  // A label after GoTo, GoSub, Resume, Then or Else: a line number or a name.
  std::string Label();
  ExprPtr Expression();
  ExprPtr BinaryLevel(int level);
  bool LevelOperator(int level, BinaryOp& op) const;
  ExprPtr MakeBinary(BinaryOp op, ExprPtr a, ExprPtr b, int column);
  ExprPtr NotLevel();
  ExprPtr Comparison();
  ExprPtr Concatenation();
  ExprPtr Additive();
  ExprPtr Modulo();
  ExprPtr IntegerDivision();
  ExprPtr Multiplicative();
  // Unary minus binds less tightly than "^": -2^2 is -4.
  ExprPtr Unary();
  ExprPtr Power();
  ExprPtr Literal(Value v, int column);
  static Value NumberLiteral(const Token& tok);
  ExprPtr Primary();
  // name, name(args) or name.member.
  ExprPtr NameReference();
  // A variable or array element that receives a value.
  ExprPtr Target();
  // "#n" or "n" where a file number is expected.
  ExprPtr FileNumber();

  // ---------------------------------------------------------------- statements
  // (statement_parser.cpp; the file statements in file_statement_parser.cpp)

  // The statements of the rest of the line, separated by ":"; in the Then part
  // of a single-line If (`stopAtElse`) they stop at its Else. In either part
  // (`inLineIf`) the statements of block Ifs are refused.
  void Statements(StmtList& out, bool stopAtElse, bool inLineIf = false);
  // One statement: an assignment or a call when it starts with a name, else
  // the statement its first word starts, parsed by the Parse function of that
  // word (see StatementWords in statement_parser.cpp).
  void Statement(StmtList& out, bool inLineIf);
  Stmt Make(StmtKind kind) const;

  // The first word of a statement, taken already, and where the statement stands.
  struct Opening {
    const Token& word;
    bool inLineIf;  // in the Then or Else part of a single-line If
  };

  void ParseIf(StmtList& out, const Opening& at);
  void ParseElseIf(StmtList& out, const Opening& at);
  void ParseElse(StmtList& out, const Opening& at);
  void ParseEndIf(StmtList& out, const Opening& at);
  // End, End If, and the Ends the runner refuses.
  void ParseEnd(StmtList& out, const Opening& at);
  void ParseFor(StmtList& out, const Opening& at);
  // Next, or Next a, b: one kNext per counter.
  void ParseNext(StmtList& out, const Opening& at);
  void ParseWhile(StmtList& out, const Opening& at);
  void ParseWend(StmtList& out, const Opening& at);
  void ParseDo(StmtList& out, const Opening& at);
  void ParseLoop(StmtList& out, const Opening& at);
  void ParseExit(StmtList& out, const Opening& at);
  void ParseGoTo(StmtList& out, const Opening& at);
  void ParseGoSub(StmtList& out, const Opening& at);
  void ParseReturn(StmtList& out, const Opening& at);
  // On Error GoTo label and On Error Resume Next.
  void ParseOn(StmtList& out, const Opening& at);
  void ParseResume(StmtList& out, const Opening& at);
  void ParseDim(StmtList& out, const Opening& at);
  void ParseReDim(StmtList& out, const Opening& at);
  void ParseRandomize(StmtList& out, const Opening& at);
  void ParseCall(StmtList& out, const Opening& at);
  void ParseLet(StmtList& out, const Opening& at);
  void ParseError(StmtList& out, const Opening& at);
  // A statement word of the language that the runner does not take (Select, With...).
  void ParseRefused(StmtList& out, const Opening& at);
  void ParseOpen(StmtList& out, const Opening& at);
  void ParseClose(StmtList& out, const Opening& at);
  void ParseInput(StmtList& out, const Opening& at);
  void ParseLineInput(StmtList& out, const Opening& at);
  void ParseWrite(StmtList& out, const Opening& at);
  // Print #n, list.
  void ParsePrint(StmtList& out, const Opening& at);
  // Debug.Print list.
  void ParseDebug(StmtList& out, const Opening& at);
  void ParsePut(StmtList& out, const Opening& at);
  void ParseGet(StmtList& out, const Opening& at);
  void ParseKill(StmtList& out, const Opening& at);
  // Name old As new (the word is not reserved: see Statement).
  void ParseName(StmtList& out, const Opening& at);

  // GoTo, GoSub: the label that follows.
  void Jump(StmtList& out, StmtKind kind);
  // The part after Then or Else of a single-line If: a line number alone is a GoTo.
  void Branch(StmtList& out, bool stopAtElse);
  // The While or Until condition of a Do or a Loop, if one follows.
  void LoopCondition(Stmt& s);
  VbType TypeName();
  // name[(bounds)] [As type], for Dim and ReDim.
  Declared Declaration(bool requireBounds);
  void DimStatement(StmtList& out, bool redim);
  // Input #n, targets and Line Input #n, target, after their words.
  void InputStatement(StmtList& out, StmtKind kind);
  // Put #n, [record], value and Get #n, [record], target, after their words.
  void RecordStatement(StmtList& out, StmtKind kind);
  void PrintList(Stmt& s);
  // A statement that starts with a name: an assignment to it or to an element
  // of it, or a call of it.
  void AssignmentOrCall(StmtList& out);
  void CallStatement(StmtList& out);
  // An expression whose first operand has been read already; only "+", "-",
  // "&" and the comparisons can follow in the cases the modules write.
  ExprPtr ContinueExpression(ExprPtr first);
  // target = value (also after Let).
  void AssignmentStatement(StmtList& out);
  // A statement word followed by one expression (While, Kill, Error).
  void ExpressionStatement(StmtList& out, StmtKind kind);

 private:
  // Counts one level of nesting for as long as it lives.
  class Nested {
   public:
    explicit Nested(LineParser& p);
    ~Nested() { --p_.nesting_; }
    Nested(const Nested&) = delete;
    Nested& operator=(const Nested&) = delete;

   private:
    LineParser& p_;
  };

  int nesting_ = 0;
  mutable Lexer lexer_;
  mutable std::deque<Token> ahead_;  // the tokens kept, the first of them the base_-th of the line
  size_t base_ = 0;
  size_t pos_ = 0;  // the next token, counted from the start of the line
  bool marked_ = false;
  size_t mark_ = 0;
  int line_;
  ExprArena& exprs_;
};

}  // namespace korva::vbrun
