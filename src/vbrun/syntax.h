#pragma once
// The syntax tree of a module: declarations, procedures and their statements,
// one source line after another. The checker fills in what each name stands
// for (the binding fields) before anything runs.
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "vbrun/value.h"

namespace korva::vbrun {

enum class Builtin : uint8_t;

struct Expr;
// An expression lives in its module's arena (ExprArena): the pointer that
// owns it ends its life, and its memory goes with the arena.
struct ExprEnd {
  void operator()(Expr* e) const;
};
using ExprPtr = std::unique_ptr<Expr, ExprEnd>;

// Where the expressions of a module are made, in large blocks: a generated
// module holds millions of them, and one allocation each would add a
// bookkeeping header to every one.
class ExprArena {
 public:
  // `source`: the module's text, which outlives the arena.
  explicit ExprArena(std::string_view source = {}) : source_(source) {}
  ExprPtr New();
  // A text for an expression to view: the text itself when it lies in the
  // module's text, else a copy kept here.
  std::string_view Keep(std::string_view text);

 private:
  static constexpr size_t kBlockExprs = 4096;
  std::vector<std::unique_ptr<unsigned char[]>> blocks_;
  size_t used_ = kBlockExprs;  // in the last block
  std::string_view source_;
  std::deque<std::string> texts_;
};

enum class ExprKind : uint8_t {
  kLiteral,  // number or text
  kName,     // a name alone: variable, or a function called without arguments (Rnd, Err)
  kIndex,    // name(arguments): array element or function call
  kUnary,    // - or Not
  kBinary,
  kMember,  // Err.Number and the like: `name` is the object, `member` the member
};

// What a name stands for, settled by the checker.
enum class Binding : uint8_t { kUnbound, kLocal, kGlobal, kBuiltin };

struct Expr {
  ExprKind kind = ExprKind::kLiteral;
  char suffix = 0;
  bool negate = false;  // kUnary: true for "-", false for Not
  bool parenthesized = false;
  BinaryOp op = BinaryOp::kAdd;
  Binding binding = Binding::kUnbound;
  Builtin builtin{};                     // kBuiltin
  // kLiteral: the literal's type. Otherwise the numeric type the checker
  // found the value always has (Boolean to Double, never held in a Variant),
  // or kEmpty when it is known only as the program runs.
  VbType type = VbType::kEmpty;
  int column = 0;
  int slot = -1;    // kLocal / kGlobal: the variable
  double number = 0;  // kLiteral of a number or Boolean
  // kName and kIndex: the name as written, without type character; kMember:
  // the object and member as written ("Err.Number"); kLiteral of a text: the
  // text. Kept by the module's arena (ExprArena::Keep).
  std::string_view name;
  std::vector<ExprPtr> args;  // kIndex arguments, kUnary operand, kBinary operands

  Value Literal() const {
    return type == VbType::kString ? Value::String(std::string(name)) : Value{type, false, number, {}};
  }
};

// An item of a Print list: an expression, Tab(n) or Spc(n), and what follows it.
struct PrintItem {
  enum class Kind : uint8_t { kExpr, kTab, kSpc, kNone } kind = Kind::kNone;
  ExprPtr expr;        // the value, or the column / count
  char separator = 0;  // ';', ',' or 0 at the end of the list
};

// A dimension of Dim or ReDim: lower bound (default 0) and upper bound.
struct Bounds {
  ExprPtr lower;  // null for the default lower bound
  ExprPtr upper;
};

struct Declared {
  std::string name;
  std::string lower;
  char suffix = 0;
  bool isArray = false;          // written with parentheses
  std::vector<Bounds> dims;      // empty for a dynamic array
  VbType type = VbType::kEmpty;  // kEmpty: by the letter rules
  int slot = -1;                 // settled by the checker
  bool local = false;
  bool isPublic = false;  // a module variable declared Public or Global
};

enum class StmtKind : uint8_t {
  kAssign,   // target = value
  kCall,     // a procedure called: name and arguments
  kIfBlock,  // If cond Then (end of line)
  kElseIf,
  kElse,
  kEndIf,
  kIfLine,  // single-line If: cond, thenPart, elsePart
  kFor,     // For var = from To to [Step step]
  kNext,    // one Next variable (Next a, b gives two)
  kWhile,
  kWend,
  kDo,    // Do [While|Until cond]
  kLoop,  // Loop [While|Until cond]
  kGoTo,
  kGoSub,
  kReturn,
  kOnErrorGoTo,  // label, or "0" to switch handling off
  kOnErrorResumeNext,
  kResume,      // label; empty: retry the failing statement
  kResumeNext,  // go on after the failing statement
  kEnd,
  kExitSub,
  kExitFor,
  kExitDo,
  kOpen,   // file, mode, number, record length
  kClose,  // numbers (none: all)
  kInput,  // Input #n, targets
  kLineInput,
  kWrite,
  kPrint,  // Print #n or Debug.Print (number null)
  kPut,
  kGet,
  kName,
  kKill,
  kReDim,
  kDim,  // a Dim inside a procedure
  kRandomize,
  kErrorStmt,  // Error n: raises an error
};

enum class FileMode : uint8_t { kInput, kOutput, kAppend, kRandom };

struct Stmt;
using StmtList = std::vector<Stmt>;

struct StmtParts;

struct Stmt {
  StmtKind kind = StmtKind::kEnd;
  bool until = false;     // kDo/kLoop: Until rather than While
  bool preserve = false;  // ReDim Preserve
  FileMode mode = FileMode::kInput;
  Builtin builtin{};  // kCall of a built-in procedure (MsgBox)
  bool builtinCall = false;
  int line = 0;                // index of the source line in the module
  int procedure = -1;          // kCall: the procedure, settled by the checker
  ExprPtr target;              // kAssign, kFor counter, kNext counter, kGet target
  std::vector<ExprPtr> exprs;  // operands: condition, values, file numbers...
  // What only some statements have, kept apart so that the many that have
  // none stay small (a generated module holds hundreds of thousands).
  std::unique_ptr<StmtParts> parts;

  // The parts, made when first wanted for writing.
  StmtParts& Parts();
  // The parts, or none (empty) when the statement has none.
  const StmtParts& Parts() const;
};

struct StmtParts {
  std::string label;               // GoTo/GoSub/Resume/On Error target; kCall: procedure name
  StmtList thenPart, elsePart;     // kIfLine
  std::vector<PrintItem> items;    // kPrint
  std::vector<Declared> declared;  // kReDim, kDim
};

// A label written at the start of a source line.
struct LineLabel {
  int bodyIndex;  // the first statement at or after the label, in the procedure's body
  int line;       // the source line it is written on
  std::string label;
};

// A procedure: Sub name() ... End Sub.
struct Procedure {
  std::string name;
  std::string lower;
  bool isPublic = true;
  int firstLine = 0;  // source line of the header
  StmtList body;      // statements in source order
  // Source line index -> label written at its start ("" when none), kept by the parser.
  std::vector<LineLabel> labels;
  int localCount = 0;                               // settled by the checker
  std::vector<Declared> locals;                     // every local, declared or implicit
};

// The physical lines of a module's text, kept as the one text they come from
// (a generated module has hundreds of thousands of short lines). A line is
// given without its LF or CR LF.
class SourceLines {
 public:
  SourceLines() = default;
  explicit SourceLines(std::string_view text);

  size_t size() const { return starts_.size(); }
  std::string_view Line(size_t i) const;
  // A copy of line i, for messages.
  std::string operator[](size_t i) const { return std::string(Line(i)); }
  // The whole text: it stays where it is while the lines are kept, moved or not.
  std::string_view text() const { return text_ ? std::string_view(*text_) : std::string_view(); }

 private:
  std::unique_ptr<const std::string> text_;
  std::vector<size_t> starts_;
};

// One module: its source lines (for messages), letter rules, module-level
// variables and procedures.
struct Module {
  // First, so that it goes last: every expression of the module is in it.
  std::unique_ptr<ExprArena> exprs = std::make_unique<ExprArena>();
  std::string name;  // file name as given
  SourceLines lines;
  VbType letterType[26] = {};  // deftype per first letter; kEmpty when none (Variant)
  std::vector<Declared> variables;
  std::vector<int> variableLines;
  std::vector<Procedure> procedures;
};

}  // namespace korva::vbrun
