#pragma once
// A checked program: every module's syntax tree with its names bound, and each
// procedure flattened into a list of instructions whose jumps (GoTo, loops,
// If blocks) are instruction indices, settled once before the run.
#include <string>
#include <vector>

#include "vbrun/syntax.h"

namespace korva::vbrun {

enum class OpCode : uint8_t {
  kStatement,    // run `stmt`
  kJump,         // go to `target`
  kJumpIfFalse,  // test `cond`; go to `target` when false
  kFor,          // start a For loop; go to `target` (after its Next) when it runs no time
  kNext,         // step the loop `loop` opened by `forStmt`; back to `target` while it runs
  kDoTest,       // Do/Loop While|Until `cond` (`until`): go to `target` when the loop ends or goes on
};

struct Instr {
  OpCode op = OpCode::kStatement;
  const Stmt* stmt = nullptr;  // the statement (for messages too)
  const Expr* cond = nullptr;
  const Stmt* forStmt = nullptr;  // kNext
  int target = -1;
  int loop = -1;          // kFor/kNext: the loop's slot in the frame
  bool jumpWhen = false;  // kDoTest: jump when the condition has this truth
};

// A variable of the program or of a procedure.
struct VariableInfo {
  std::string name;
  VbType type = VbType::kVariant;
  bool isArray = false;
  const Declared* declared = nullptr;  // with fixed bounds, for arrays sized at the start
  int module = -1;                     // where it is declared (-1 when implicit)
  int line = -1;
};

struct CompiledProcedure {
  int module = 0;
  const Procedure* source = nullptr;
  std::vector<Instr> code;
  std::vector<VariableInfo> locals;
  int loopCount = 0;
};

struct Program {
  std::vector<Module> modules;
  std::vector<VariableInfo> globals;
  std::vector<CompiledProcedure> procedures;
  int main = -1;  // the procedure called Main
};

}  // namespace korva::vbrun
