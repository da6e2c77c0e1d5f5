#include "vbrun/checker.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

#include "text/cp1252.h"
#include "vbrun/builtins.h"
#include "vbrun/pure_builtins.h"

namespace korva::vbrun {
namespace {

struct Failure {
  int line;  // 0-based source line
  std::string message;
};

// An open block while a procedure is flattened.
struct Block {
  StmtKind kind = StmtKind::kIfBlock;  // kIfBlock, kFor, kWhile, kDo
  int line = 0;
  int start = -1;        // kFor: the kFor instruction; kWhile/kDo: the loop's first instruction
  int pendingTest = -1;  // kIfBlock: the jump to the next branch; kWhile/kDo: the exit test
  bool sawElse = false;
  std::vector<int> exits;  // jumps to the end of the block
  const Stmt* forStmt = nullptr;
  int loop = -1;
};

Block NewBlock(StmtKind kind, int line) {
  Block b;
  b.kind = kind;
  b.line = line;
  return b;
}

class Checker {
 public:
  explicit Checker(std::vector<Module> modules) { program_.modules = std::move(modules); }

  std::variant<Program, CompileError> Check() {
    int module = 0;
    try {
      for (module = 0; module < static_cast<int>(program_.modules.size()); ++module) DeclareModule(module);
      for (module = 0; module < static_cast<int>(program_.modules.size()); ++module) DeclareProcedures(module);
      for (size_t i = 0; i < program_.procedures.size(); ++i) {
        module = program_.procedures[i].module;
        CompileProcedure(program_.procedures[i], *sources_[i]);
      }
    } catch (const Failure& f) {
      return CompileError{program_.modules[module].name, f.line + 1, f.message};
    }
    auto main = publicProcedures_.find("main");
    if (main == publicProcedures_.end()) {
      return CompileError{program_.modules.empty() ? "" : program_.modules[0].name, 0,
                          "no hay ningún procedimiento Sub Main"};
    }
    program_.main = main->second;
    return std::move(program_);
  }

 private:
  VbType LetterType(int module, const std::string& lower) const {
    unsigned char c = static_cast<unsigned char>(lower.empty() ? 0 : lower[0]);
    if (c < 'a' || c > 'z') return VbType::kVariant;
    VbType t = program_.modules[module].letterType[c - 'a'];
    return t == VbType::kEmpty ? VbType::kVariant : t;
  }

  VbType TypeOf(int module, const Declared& d) const {
    return d.type != VbType::kEmpty ? d.type : LetterType(module, d.lower);
  }

  void DeclareModule(int module) {
    Module& m = program_.modules[module];
    moduleVariables_.emplace_back().reserve(m.variables.size());
    program_.globals.reserve(program_.globals.size() + m.variables.size());
    for (size_t i = 0; i < m.variables.size(); ++i) {
      Declared& d = m.variables[i];
      int line = m.variableLines[i];
      if (moduleVariables_[module].count(d.lower)) throw Failure{line, "declaración duplicada de " + d.name};
      d.slot = static_cast<int>(program_.globals.size());
      program_.globals.push_back(VariableInfo{d.name, TypeOf(module, d), d.isArray, &d, module, line});
      moduleVariables_[module][d.lower] = d.slot;
      if (d.isPublic) {
        if (publicVariables_.count(d.lower)) throw Failure{line, "declaración pública duplicada de " + d.name};
        publicVariables_[d.lower] = d.slot;
      }
      for (Bounds& b : d.dims) {
        BindConstant(b.lower.get(), line);
        BindConstant(b.upper.get(), line);
      }
    }
  }

  // Bounds of a module-level array must be constants.
  void BindConstant(Expr* e, int line) {
    if (e == nullptr) return;
    if (e->kind == ExprKind::kLiteral) return;
    if (e->kind == ExprKind::kUnary && e->negate) return BindConstant(e->args[0].get(), line);
    throw Failure{line, "se esperaba una constante en las dimensiones de una matriz del módulo"};
  }

  void DeclareProcedures(int module) {
    Module& m = program_.modules[module];
    privateProcedures_.emplace_back();
    for (Procedure& p : m.procedures) {
      int index = static_cast<int>(program_.procedures.size());
      if (privateProcedures_[module].count(p.lower)) throw Failure{p.firstLine, "procedimiento duplicado: " + p.name};
      if (moduleVariables_[module].count(p.lower)) throw Failure{p.firstLine, "nombre ya declarado: " + p.name};
      privateProcedures_[module][p.lower] = index;
      if (p.isPublic) {
        if (publicProcedures_.count(p.lower)) {
          throw Failure{p.firstLine, "procedimiento público duplicado en otro módulo: " + p.name};
        }
        publicProcedures_[p.lower] = index;
      }
      CompiledProcedure proc;
      proc.module = module;
      proc.source = &p;
      program_.procedures.push_back(std::move(proc));
      sources_.push_back(&p);
    }
  }

  int FindProcedure(int module, const std::string& lower) const {
    auto own = privateProcedures_[module].find(lower);
    if (own != privateProcedures_[module].end()) return own->second;
    auto pub = publicProcedures_.find(lower);
    return pub == publicProcedures_.end() ? -1 : pub->second;
  }

  // ---------------------------------------------------------------- names in a procedure

  bool FindVariable(const std::string& lower, Binding& binding, int& slot) const {
    auto local = locals_.find(lower);
    if (local != locals_.end()) {
      binding = Binding::kLocal;
      slot = local->second;
      return true;
    }
    auto own = moduleVariables_[module_].find(lower);
    if (own != moduleVariables_[module_].end()) {
      binding = Binding::kGlobal;
      slot = own->second;
      return true;
    }
    auto pub = publicVariables_.find(lower);
    if (pub != publicVariables_.end()) {
      binding = Binding::kGlobal;
      slot = pub->second;
      return true;
    }
    return false;
  }

  const VariableInfo& Info(Binding binding, int slot) const {
    return binding == Binding::kLocal ? proc_->locals[slot] : program_.globals[slot];
  }

  int AddLocal(const std::string& name, const std::string& lower, VbType type, bool isArray, const Declared* d,
               int line = -1) {
    int slot = static_cast<int>(proc_->locals.size());
    proc_->locals.push_back(VariableInfo{name, type, isArray, d, line < 0 ? -1 : module_, line});
    locals_[lower] = slot;
    return slot;
  }

  VbType ImplicitType(const Expr& e, const std::string& lower) const {
    VbType typed = TypeOfSuffix(e.suffix);
    return typed != VbType::kEmpty ? typed : LetterType(module_, lower);
  }


  // A variable of a numeric type always holds a value of that type (every
  // store converts to it), so reading it gives a number of that type.
  void SetVariableType(Expr& e) const {
    const VbType type = Info(e.binding, e.slot).type;
    e.type = IsFixedNumeric(type) ? type : VbType::kEmpty;
  }

  [[noreturn]] void Undefined(const Expr& e, int line) const {
    throw Failure{line, "Sub o Function no definida: " + std::string(e.name)};
  }

  void BindExpr(Expr& e, int line) {
    for (auto& arg : e.args) {
      if (arg) BindExpr(*arg, line);
    }
    // The numeric type the value always has, where the operands' types fix it.
    if (e.kind == ExprKind::kUnary) e.type = FixedUnaryType(e.negate, e.args[0]->type);
    if (e.kind == ExprKind::kBinary) e.type = FixedBinaryType(e.op, e.args[0]->type, e.args[1]->type);
    if (e.kind == ExprKind::kLiteral || e.kind == ExprKind::kUnary || e.kind == ExprKind::kBinary) return;
    const std::string lower = LowerCase(e.name);
    switch (e.kind) {
      case ExprKind::kName: {
        if (FindVariable(lower, e.binding, e.slot)) {
          if (Info(e.binding, e.slot).isArray) throw Failure{line, "falta el subíndice de la matriz " + std::string(e.name)};
          SetVariableType(e);
          return;
        }
        if (const BuiltinInfo* b = FindBuiltin(lower, e.suffix); b != nullptr && b->minArgs == 0) {
          e.binding = Binding::kBuiltin;
          e.builtin = b->id;
          return;
        }
        if (FindProcedure(module_, lower) >= 0) {
          throw Failure{line, "se esperaba una variable o una función, no el procedimiento " + std::string(e.name)};
        }
        e.binding = Binding::kLocal;
        e.slot = AddLocal(std::string(e.name), lower, ImplicitType(e, lower), false, nullptr);
        SetVariableType(e);
        return;
      }
      case ExprKind::kIndex: {
        if (FindVariable(lower, e.binding, e.slot)) {
          if (!Info(e.binding, e.slot).isArray) throw Failure{line, std::string(e.name) + " no es una matriz"};
          SetVariableType(e);
          return;
        }
        if (const BuiltinInfo* b = FindBuiltin(lower, e.suffix)) {
          int n = static_cast<int>(e.args.size());
          if (n < b->minArgs || n > b->maxArgs) throw Failure{line, "número de argumentos incorrecto en " + std::string(e.name)};
          e.binding = Binding::kBuiltin;
          e.builtin = b->id;
          if (n == 1) e.type = FixedBuiltinType(b->id, e.args[0]->type);
          return;
        }
        Undefined(e, line);
      }
      case ExprKind::kMember:
        if (lower == "err.number" || lower == "err.description") {
          e.binding = Binding::kBuiltin;
          e.builtin = lower == "err.number" ? Builtin::kErrNumber : Builtin::kErrDescription;
          return;
        }
        throw Failure{line, "miembro no admitido: " + std::string(e.name)};
      default:
        return;
    }
  }

  // A variable or array element that receives a value.
  void BindTarget(Expr& e, int line) {
    const std::string lower = LowerCase(e.name);
    if (e.kind == ExprKind::kIndex) {
      for (auto& arg : e.args) BindExpr(*arg, line);
      if (!FindVariable(lower, e.binding, e.slot)) {
        if (FindBuiltin(lower, e.suffix) != nullptr)
          throw Failure{line, "no se puede asignar a la función " + std::string(e.name)};
        Undefined(e, line);
      }
      if (!Info(e.binding, e.slot).isArray) throw Failure{line, std::string(e.name) + " no es una matriz"};
      return;
    }
    if (FindVariable(lower, e.binding, e.slot)) {
      if (Info(e.binding, e.slot).isArray) throw Failure{line, "falta el subíndice de la matriz " + std::string(e.name)};
      return;
    }
    if (FindProcedure(module_, lower) >= 0) throw Failure{line, "no se puede asignar al procedimiento " + std::string(e.name)};
    e.binding = Binding::kLocal;
    e.slot = AddLocal(std::string(e.name), lower, ImplicitType(e, lower), false, nullptr);
  }

  // Dim inside the procedure, and ReDim of names not declared elsewhere, make locals.
  void DeclareLocals(StmtList& list) {
    for (Stmt& s : list) {
      if (s.kind == StmtKind::kIfLine) {
        DeclareLocals(s.Parts().thenPart);
        DeclareLocals(s.Parts().elsePart);
      } else if (s.kind == StmtKind::kDim) {
        for (Declared& d : s.Parts().declared) {
          if (locals_.count(d.lower)) throw Failure{s.line, "declaración duplicada de " + d.name};
          d.local = true;
          d.slot = AddLocal(d.name, d.lower, TypeOf(module_, d), d.isArray, d.dims.empty() ? nullptr : &d, s.line);
        }
      }
    }
  }

  void DeclareReDims(StmtList& list) {
    for (Stmt& s : list) {
      if (s.kind == StmtKind::kIfLine) {
        DeclareReDims(s.Parts().thenPart);
        DeclareReDims(s.Parts().elsePart);
      } else if (s.kind == StmtKind::kReDim) {
        for (Declared& d : s.Parts().declared) {
          Binding binding;
          int slot;
          if (FindVariable(d.lower, binding, slot)) {
            if (!Info(binding, slot).isArray) throw Failure{s.line, "ReDim de " + d.name + ", que no es una matriz"};
            d.local = binding == Binding::kLocal;
            d.slot = slot;
          } else {
            d.local = true;
            d.slot = AddLocal(d.name, d.lower, TypeOf(module_, d), true, nullptr);
          }
        }
      }
    }
  }

  void BindStatements(StmtList& list) {
    for (Stmt& s : list) BindStatement(s);
  }

  void BindStatement(Stmt& s) {
    int line = s.line;
    switch (s.kind) {
      case StmtKind::kAssign:
      case StmtKind::kFor:
      case StmtKind::kGet:
        BindTarget(*s.target, line);
        break;
      case StmtKind::kNext:
        if (s.target) BindTarget(*s.target, line);
        break;
      case StmtKind::kInput:
      case StmtKind::kLineInput:
        BindExpr(*s.exprs[0], line);
        for (size_t i = 1; i < s.exprs.size(); ++i) BindTarget(*s.exprs[i], line);
        return;
      case StmtKind::kCall: {
        const std::string lower = LowerCase(s.Parts().label);
        int proc = FindProcedure(module_, lower);
        if (proc >= 0) {
          if (!s.exprs.empty()) throw Failure{line, "el procedimiento " + s.Parts().label + " no lleva argumentos"};
          s.procedure = proc;
        } else {
          const BuiltinInfo* b = FindBuiltin(lower, 0);
          if (b == nullptr || !b->procedure) throw Failure{line, "Sub o Function no definida: " + s.Parts().label};
          int n = static_cast<int>(s.exprs.size());
          if (n < b->minArgs || n > b->maxArgs) throw Failure{line, "número de argumentos incorrecto en " + s.Parts().label};
          s.builtinCall = true;
          s.builtin = b->id;
        }
        break;
      }
      case StmtKind::kIfLine:
        BindStatements(s.Parts().thenPart);
        BindStatements(s.Parts().elsePart);
        break;
      case StmtKind::kReDim:
      case StmtKind::kDim:
        for (Declared& d : s.Parts().declared) {
          for (Bounds& b : d.dims) {
            if (b.lower) BindExpr(*b.lower, line);
            BindExpr(*b.upper, line);
          }
        }
        break;
      case StmtKind::kPrint:
        for (PrintItem& item : s.Parts().items) {
          if (item.expr) BindExpr(*item.expr, line);
        }
        break;
      default:
        break;
    }
    for (auto& e : s.exprs) {
      if (e) BindExpr(*e, line);
    }
  }

  // ---------------------------------------------------------------- flattening

  int Emit(Instr instr) {
    proc_->code.push_back(instr);
    return static_cast<int>(proc_->code.size()) - 1;
  }
  int Here() const { return static_cast<int>(proc_->code.size()); }
  void Patch(int at, int target) { proc_->code[at].target = target; }

  Block& Innermost(StmtKind kind, const Stmt& s, const char* what) {
    for (auto it = blocks_.rbegin(); it != blocks_.rend(); ++it) {
      if (it->kind == kind) return *it;
    }
    throw Failure{s.line, what};
  }

  Block& Top(StmtKind kind, const Stmt& s, const std::string& what) {
    if (blocks_.empty() || blocks_.back().kind != kind) {
      if (!blocks_.empty()) throw Failure{s.line, what + " (hay " + Opened(blocks_.back()) + " sin cerrar)"};
      throw Failure{s.line, what};
    }
    return blocks_.back();
  }

  static std::string Opened(const Block& b) {
    switch (b.kind) {
      case StmtKind::kIfBlock:
        return "un If de bloque abierto en la línea " + std::to_string(b.line + 1);
      case StmtKind::kFor:
        return "un For abierto en la línea " + std::to_string(b.line + 1);
      case StmtKind::kWhile:
        return "un While abierto en la línea " + std::to_string(b.line + 1);
      default:
        return "un Do abierto en la línea " + std::to_string(b.line + 1);
    }
  }

  void EmitLabelled(const Stmt& s, OpCode op) {
    Instr in;
    in.op = op;
    in.stmt = &s;
    int at = Emit(in);
    if (!s.Parts().label.empty() && !(s.kind == StmtKind::kOnErrorGoTo && s.Parts().label == "0")) {
      fixups_.emplace_back(at, s.Parts().label);
    }
  }

  void Flatten(const StmtList& list, std::vector<int>* starts) {
    for (size_t i = 0; i < list.size(); ++i) {
      if (starts != nullptr) (*starts)[i] = Here();
      FlattenOne(list[i]);
    }
  }

  void FlattenOne(const Stmt& s) {
    switch (s.kind) {
      case StmtKind::kIfLine: {
        int test = Emit(Instr{OpCode::kJumpIfFalse, &s, s.exprs[0].get()});
        Flatten(s.Parts().thenPart, nullptr);
        if (s.Parts().elsePart.empty()) {
          Patch(test, Here());
        } else {
          int skip = Emit(Instr{OpCode::kJump, &s});
          Patch(test, Here());
          Flatten(s.Parts().elsePart, nullptr);
          Patch(skip, Here());
        }
        return;
      }
      case StmtKind::kIfBlock: {
        Block b = NewBlock(StmtKind::kIfBlock, s.line);
        b.pendingTest = Emit(Instr{OpCode::kJumpIfFalse, &s, s.exprs[0].get()});
        blocks_.push_back(std::move(b));
        return;
      }
      case StmtKind::kElseIf: {
        Block& b = Top(StmtKind::kIfBlock, s, "ElseIf sin If de bloque");
        if (b.sawElse) throw Failure{s.line, "ElseIf después de Else"};
        b.exits.push_back(Emit(Instr{OpCode::kJump, &s}));
        Patch(b.pendingTest, Here());
        b.pendingTest = Emit(Instr{OpCode::kJumpIfFalse, &s, s.exprs[0].get()});
        return;
      }
      case StmtKind::kElse: {
        Block& b = Top(StmtKind::kIfBlock, s, "Else sin If de bloque");
        if (b.sawElse) throw Failure{s.line, "Else repetido en un If de bloque"};
        b.sawElse = true;
        b.exits.push_back(Emit(Instr{OpCode::kJump, &s}));
        Patch(b.pendingTest, Here());
        b.pendingTest = -1;
        return;
      }
      case StmtKind::kEndIf: {
        Block& b = Top(StmtKind::kIfBlock, s, "End If sin If de bloque");
        if (b.pendingTest >= 0) Patch(b.pendingTest, Here());
        for (int at : b.exits) Patch(at, Here());
        blocks_.pop_back();
        return;
      }
      case StmtKind::kFor: {
        Block b = NewBlock(StmtKind::kFor, s.line);
        b.loop = proc_->loopCount++;
        b.forStmt = &s;
        Instr in{OpCode::kFor, &s};
        in.loop = b.loop;
        b.start = Emit(in);
        blocks_.push_back(std::move(b));
        return;
      }
      case StmtKind::kNext: {
        Block& b = Top(StmtKind::kFor, s, "Next sin For");
        if (s.target && LowerCase(s.target->name) != LowerCase(b.forStmt->target->name)) {
          throw Failure{s.line, "Next " + std::string(s.target->name) + " no cierra el For de " + std::string(b.forStmt->target->name)};
        }
        Instr in{OpCode::kNext, &s};
        in.forStmt = b.forStmt;
        in.loop = b.loop;
        in.target = b.start + 1;
        Emit(in);
        Patch(b.start, Here());
        for (int at : b.exits) Patch(at, Here());
        blocks_.pop_back();
        return;
      }
      case StmtKind::kExitFor:
        Innermost(StmtKind::kFor, s, "Exit For fuera de un For").exits.push_back(Emit(Instr{OpCode::kJump, &s}));
        return;
      case StmtKind::kWhile: {
        Block b = NewBlock(StmtKind::kWhile, s.line);
        b.start = Here();
        b.pendingTest = Emit(Instr{OpCode::kJumpIfFalse, &s, s.exprs[0].get()});
        blocks_.push_back(std::move(b));
        return;
      }
      case StmtKind::kWend: {
        Block& b = Top(StmtKind::kWhile, s, "Wend sin While");
        Instr back{OpCode::kJump, &s};
        back.target = b.start;
        Emit(back);
        Patch(b.pendingTest, Here());
        blocks_.pop_back();
        return;
      }
      case StmtKind::kDo: {
        Block b = NewBlock(StmtKind::kDo, s.line);
        b.start = Here();
        if (!s.exprs.empty()) {
          // Do While c leaves when c is false; Do Until c leaves when c is true.
          Instr test{OpCode::kDoTest, &s, s.exprs[0].get()};
          test.jumpWhen = s.until;
          b.pendingTest = Emit(test);
        }
        blocks_.push_back(std::move(b));
        return;
      }
      case StmtKind::kLoop: {
        Block& b = Top(StmtKind::kDo, s, "Loop sin Do");
        if (!s.exprs.empty() && b.pendingTest >= 0) throw Failure{s.line, "condición a la vez en Do y en Loop"};
        if (s.exprs.empty()) {
          Instr back{OpCode::kJump, &s};
          back.target = b.start;
          Emit(back);
        } else {
          // Loop While c goes back when c is true; Loop Until c goes back when c is false.
          Instr test{OpCode::kDoTest, &s, s.exprs[0].get()};
          test.jumpWhen = !s.until;
          test.target = b.start;
          Emit(test);
        }
        if (b.pendingTest >= 0) Patch(b.pendingTest, Here());
        for (int at : b.exits) Patch(at, Here());
        blocks_.pop_back();
        return;
      }
      case StmtKind::kExitDo:
        Innermost(StmtKind::kDo, s, "Exit Do fuera de un Do").exits.push_back(Emit(Instr{OpCode::kJump, &s}));
        return;
      case StmtKind::kGoTo:
        EmitLabelled(s, OpCode::kJump);
        return;
      case StmtKind::kGoSub:
      case StmtKind::kOnErrorGoTo:
      case StmtKind::kResume:
        EmitLabelled(s, OpCode::kStatement);
        return;
      default:
        Emit(Instr{OpCode::kStatement, &s});
        return;
    }
  }

  // Binds the names of `source`, whose tree the checker owns and fills in,
  // and flattens it into `proc`.
  void CompileProcedure(CompiledProcedure& proc, Procedure& source) {
    proc_ = &proc;
    module_ = proc.module;
    locals_.clear();
    blocks_.clear();
    fixups_.clear();
    DeclareLocals(source.body);
    DeclareReDims(source.body);
    BindStatements(source.body);

    std::vector<int> starts(source.body.size() + 1);
    proc.code.reserve(InstructionBound(source.body));
    Flatten(source.body, &starts);
    starts[source.body.size()] = Here();
    if (!blocks_.empty()) {
      const Block& b = blocks_.back();
      std::string what = b.kind == StmtKind::kIfBlock ? "If de bloque sin End If"
                         : b.kind == StmtKind::kFor   ? "For sin Next"
                         : b.kind == StmtKind::kWhile ? "While sin Wend"
                                                      : "Do sin Loop";
      throw Failure{b.line, what};
    }

    // The labels sorted by their text (a procedure may hold hundreds of
    // thousands): the first label written twice, in the order of the lines,
    // is the error.
    struct Target {
      std::string_view label;
      int instruction;
      int line;
    };
    std::vector<Target> labels;
    labels.reserve(source.labels.size());
    for (const LineLabel& written : source.labels) {
      labels.push_back(Target{written.label, starts[written.bodyIndex], written.line});
    }
    auto byLabel = [](const Target& a, const Target& b) { return a.label < b.label; };
    std::stable_sort(labels.begin(), labels.end(), byLabel);
    const Target* duplicate = nullptr;
    for (size_t i = 1; i < labels.size(); ++i) {
      if (labels[i].label == labels[i - 1].label && (duplicate == nullptr || labels[i].line < duplicate->line)) {
        duplicate = &labels[i];
      }
    }
    if (duplicate != nullptr) throw Failure{duplicate->line, "etiqueta duplicada: " + std::string(duplicate->label)};
    for (const auto& [at, label] : fixups_) {
      auto it = std::lower_bound(labels.begin(), labels.end(), Target{label, 0, 0}, byLabel);
      if (it == labels.end() || it->label != label) {
        throw Failure{proc.code[at].stmt->line, "etiqueta no definida: " + label};
      }
      proc.code[at].target = it->instruction;
    }
  }

  // An upper bound of the instructions a list of statements flattens into,
  // so that the instructions of a long procedure are not copied as they grow.
  static size_t InstructionBound(const StmtList& list) {
    size_t bound = 0;
    for (const Stmt& s : list) {
      if (s.kind == StmtKind::kIfLine) {
        bound += 2 + InstructionBound(s.Parts().thenPart) + InstructionBound(s.Parts().elsePart);
      } else {
        bound += s.kind == StmtKind::kElseIf ? 2 : 1;
      }
    }
    return bound;
  }

  Program program_;
  std::vector<std::unordered_map<std::string, int>> moduleVariables_;
  std::unordered_map<std::string, int> publicVariables_;
  std::vector<std::unordered_map<std::string, int>> privateProcedures_;
  std::unordered_map<std::string, int> publicProcedures_;
  // Each procedure's tree in the modules the checker took, by procedure index:
  // the names are bound in it, so it is held for writing.
  std::vector<Procedure*> sources_;

  CompiledProcedure* proc_ = nullptr;
  int module_ = 0;
  std::unordered_map<std::string, int> locals_;
  std::vector<Block> blocks_;
  std::vector<std::pair<int, std::string>> fixups_;
};

}  // namespace

std::variant<Program, CompileError> CheckProgram(std::vector<Module> modules) {
  return Checker(std::move(modules)).Check();
}

}  // namespace korva::vbrun
