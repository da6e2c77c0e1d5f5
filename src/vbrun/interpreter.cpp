#include "vbrun/interpreter.h"

#include <chrono>
#include <ctime>

#include "dialogue/help_catalogue.h"
#include "text/cp1252.h"
#include "text/vb_text.h"
#include "vbrun/builtins.h"
#include "vbrun/file_table.h"
#include "vbrun/pure_builtins.h"
#include "vbrun/storage.h"

namespace korva::vbrun {
namespace {

// End: the program stops at once, as a finished run.
struct EndRun {};
// An input box found the input ended: the run stops.
struct InputEnded {};

constexpr int kMaxCallDepth = 1000;
constexpr int kPrintZone = 14;

// Debug.Print's sink: the debug stream, in UTF-8; a progress line on the same
// screen is taken away first.
class DebugSink : public PrintSink {
 public:
  DebugSink(std::FILE* out, Dialogue& dialogue) : out_(out), dialogue_(dialogue) {}
  void Text(std::string_view text) override {
    dialogue_.ClearProgress();
    std::string utf8 = Cp1252ToUtf8(text);
    std::fwrite(utf8.data(), 1, utf8.size(), out_);
    column += static_cast<int>(text.size());
  }
  void LineEnd() override {
    std::fputc('\n', out_);
    std::fflush(out_);
    column = 0;
  }

 private:
  std::FILE* out_;
  Dialogue& dialogue_;
};

// While the program calculates without asking anything for more than a
// second, the front-end is told how long it has been at it.
class Heartbeat {
 public:
  explicit Heartbeat(Dialogue& dialogue) : dialogue_(dialogue), since_(Clock::now()) {}

  void Beat() {
    if (++beats_ % 65536 != 0) return;
    const auto now = Clock::now();
    const long seconds = static_cast<long>(std::chrono::duration_cast<std::chrono::seconds>(now - since_).count());
    if (seconds < 1 || seconds == shown_) return;
    shown_ = seconds;
    dialogue_.Progress("korva-vbrun: calculando desde hace " + std::to_string(seconds) + " s", false);
  }
  // The program spoke to the modeller: the count starts again.
  void Restart() {
    since_ = Clock::now();
    shown_ = 0;
  }

 private:
  using Clock = std::chrono::steady_clock;
  Dialogue& dialogue_;
  Clock::time_point since_;
  unsigned long beats_ = 0;
  long shown_ = 0;
};

struct LoopState {
  Value end;
  Value step;
  bool down = false;
};

struct Frame {
  const CompiledProcedure* proc = nullptr;
  std::vector<Variable> locals;
  std::vector<LoopState> loops;
  std::vector<int> gosubs;
  int handler = -1;         // On Error GoTo: instruction of the handler
  bool resumeNext = false;  // On Error Resume Next in force
  bool inHandler = false;
  int errorPc = -1;
};

}  // namespace

struct Interpreter::Impl {
  Impl(const Program& p, Dialogue& d, FileSystem& f, RunOptions o)
      : program(p), dialogue(d), files(f), options(o), debug(o.debug, d), heartbeat(d) {}

  const Program& program;
  Dialogue& dialogue;
  FileSystem& files;
  RunOptions options;
  FileTable table{files};
  DebugSink debug;
  Heartbeat heartbeat;
  VbRandom random;
  std::vector<Variable> globals;
  int depth = 0;
  int errNumber = 0;
  long steps = 0;

  // ---------------------------------------------------------------- variables

  // The module's variables, made (and their arrays sized) as the run starts.
  void InitGlobals() {
    globals.resize(program.globals.size());
    for (size_t i = 0; i < globals.size(); ++i) InitVariable(globals[i], program.globals[i], nullptr);
  }

  // A variable made with its declared type; an array with fixed bounds is
  // sized, and an error in doing so is placed at its declaration.
  void InitVariable(Variable& var, const VariableInfo& info, Frame* frame) {
    try {
      MakeVariable(var, info, frame);
    } catch (VbError& error) {
      if (error.module < 0 && info.line >= 0) {
        error.module = info.module;
        error.line = info.line;
      }
      throw;
    }
  }

  void MakeVariable(Variable& var, const VariableInfo& info, Frame* frame) {
    var.type = info.type;
    var.isArray = info.isArray;
    if (!info.isArray) {
      var.value = DefaultValue(info.type);
      return;
    }
    var.array.reset();
    if (info.declared != nullptr && !info.declared->dims.empty()) {
      var.array = std::make_unique<ArrayData>();
      var.array->type = info.type;
      SizeArray(*var.array, *info.declared, frame, false);
    }
  }

  void SizeArray(ArrayData& array, const Declared& d, Frame* frame, bool keep) {
    std::vector<int32_t> lower, extent;
    double elements = 1;
    for (const Bounds& b : d.dims) {
      int32_t lo = b.lower ? LongOf(*b.lower, frame) : 0;
      int32_t hi = LongOf(*b.upper, frame);
      if (hi < lo) Fail(err::kSubscript);
      lower.push_back(lo);
      extent.push_back(hi - lo + 1);
      elements *= static_cast<double>(extent.back());
    }
    if (options.elementLimit != 0 && elements > static_cast<double>(options.elementLimit)) Fail(err::kOutOfMemory);
    array.Resize(std::move(lower), std::move(extent), keep);
  }

  Variable& VariableOf(const Expr& e, Frame* frame) {
    return e.binding == Binding::kLocal ? frame->locals[e.slot] : globals[e.slot];
  }

  Value& Element(const Expr& e, Frame* frame) {
    Variable& var = VariableOf(e, frame);
    int32_t subscripts[8];
    if (e.args.size() > 8) Fail(err::kSubscript);
    for (size_t i = 0; i < e.args.size(); ++i) subscripts[i] = LongOf(*e.args[i], frame);
    if (!var.array) Fail(err::kSubscript);
    return var.array->At(subscripts, e.args.size());
  }

  // The place a target names and the type it holds.
  Value& Place(const Expr& e, Frame* frame, VbType& type) {
    Variable& var = VariableOf(e, frame);
    type = var.type;
    return e.kind == ExprKind::kIndex ? Element(e, frame) : var.value;
  }

  void Assign(const Expr& target, const Value& v, Frame* frame) {
    VbType type;
    Value& place = Place(target, frame, type);
    place = Convert(v, type);
  }

  // target = value: a number of a known type into a numeric variable is
  // stored without making a value (a numeric variable always holds a value
  // of its own type).
  void Assign(const Expr& target, const Expr& value, Frame* frame) {
    if (!IsFixedNumeric(value.type)) return Assign(target, Eval(value, frame), frame);
    const double x = Number(value, frame);
    VbType type;
    Value& place = Place(target, frame, type);
    if (IsFixedNumeric(type)) {
      place.num = ConvertNumber(x, type);
    } else {
      place = Convert(Value{value.type, false, x, {}}, type);
    }
  }

  // ---------------------------------------------------------------- expressions

  // The number of an expression whose type the checker found (Expr::type).
  double Number(const Expr& e, Frame* frame) {
    switch (e.kind) {
      case ExprKind::kLiteral:
        return e.number;
      case ExprKind::kName:
        return VariableOf(e, frame).value.num;
      case ExprKind::kIndex:
        if (e.binding == Binding::kBuiltin) {
          const Expr& a = *e.args[0];
          return FixedBuiltin(e.builtin, a.type, Number(a, frame));
        }
        return Element(e, frame).num;
      case ExprKind::kUnary: {
        const Expr& a = *e.args[0];
        return FixedUnary(e.negate, a.type, Number(a, frame));
      }
      case ExprKind::kBinary: {
        const Expr& a = *e.args[0];
        const Expr& b = *e.args[1];
        const double x = Number(a, frame);
        const double y = Number(b, frame);
        return FixedBinary(e.op, e.type, x, y);
      }
      default:
        return ToNumber(Eval(e, frame));
    }
  }

  int32_t LongOf(const Expr& e, Frame* frame) {
    if (IsFixedNumeric(e.type)) return static_cast<int32_t>(ConvertNumber(Number(e, frame), VbType::kLong));
    return ToLong(Eval(e, frame));
  }

  bool Condition(const Expr& e, Frame* frame) {
    return IsFixedNumeric(e.type) ? Number(e, frame) != 0 : ToCondition(Eval(e, frame));
  }

  Value Eval(const Expr& e, Frame* frame) {
    if (IsFixedNumeric(e.type) &&
        (e.kind == ExprKind::kUnary || e.kind == ExprKind::kBinary || e.binding == Binding::kBuiltin)) {
      return Value{e.type, false, Number(e, frame), {}};
    }
    switch (e.kind) {
      case ExprKind::kLiteral:
        return e.Literal();
      case ExprKind::kName:
        if (e.binding == Binding::kBuiltin) return CallBuiltin(e, frame);
        return VariableOf(e, frame).value;
      case ExprKind::kIndex:
        if (e.binding == Binding::kBuiltin) return CallBuiltin(e, frame);
        return Element(e, frame);
      case ExprKind::kMember:
        return CallBuiltin(e, frame);
      case ExprKind::kUnary: {
        Value v = Eval(*e.args[0], frame);
        return e.negate ? Negate(v) : Not(v);
      }
      case ExprKind::kBinary: {
        Value a = Eval(*e.args[0], frame);
        Value b = Eval(*e.args[1], frame);
        return Binary(e.op, a, b);
      }
    }
    return Value{};
  }

  Value CallBuiltin(const Expr& e, Frame* frame) {
    std::vector<Value> args;
    args.reserve(e.args.size());
    for (const auto& a : e.args) args.push_back(Eval(*a, frame));
    return Call(e.builtin, args);
  }

  Value Call(Builtin id, std::vector<Value>& args) {
    Value r;
    if (CallPureBuiltin(id, args, r)) return r;
    switch (id) {
      case Builtin::kRnd:
        return Value::Single(args.empty() ? random.Next() : random.Next(static_cast<float>(ToNumber(args[0]))));
      case Builtin::kTimer:
        return Value::Single(SecondsSinceMidnight());
      case Builtin::kEOF:
        return Value::Boolean(table.AtEnd(ToLong(args[0])));
      case Builtin::kLOF:
        return Value::Long(static_cast<double>(table.Length(ToLong(args[0]))));
      case Builtin::kInputBox: {
        table.FlushRecords();
        const std::string prompt = ToText(args[0]);
        std::optional<std::string> answer =
            dialogue.InputBoxWithHelp(prompt, [&prompt] { return std::string(ProgramsHelp().Find(prompt)); });
        heartbeat.Restart();
        if (!answer) throw InputEnded{};
        return Value::String(std::move(*answer));
      }
      case Builtin::kMsgBox:
        table.FlushRecords();
        dialogue.MessageBox(ToText(args[0]));
        heartbeat.Restart();
        return Value::Integer(1);  // OK
      case Builtin::kErrNumber:
        return Value::Long(errNumber);
      case Builtin::kErrDescription:
        return Value::String(errNumber == 0 ? "" : ErrorDescription(errNumber));
      default:
        Fail(err::kInvalidCall);
    }
  }

  static float SecondsSinceMidnight() {
    auto now = std::chrono::system_clock::now();
    std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    return static_cast<float>(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec) + ms / 1000.0f;
  }

  // ---------------------------------------------------------------- statements

  void Print(PrintSink& sink, const Stmt& s, Frame* frame) {
    char last = 0;
    for (const PrintItem& item : s.Parts().items) {
      switch (item.kind) {
        case PrintItem::Kind::kExpr: {
          Value v = Eval(*item.expr, frame);
          if (v.IsNumeric() && v.type != VbType::kBoolean) {
            sink.Text(PrintText(v.num, NumberKindOf(v.type)));
          } else {
            sink.Text(ToText(v));
          }
          break;
        }
        case PrintItem::Kind::kTab: {
          long n = LongOf(*item.expr, frame);
          int target = static_cast<int>(std::max(1L, std::min(n, 32000L))) - 1;
          if (sink.column > target) sink.LineEnd();
          sink.Text(std::string(target - sink.column, ' '));
          break;
        }
        case PrintItem::Kind::kSpc: {
          long n = LongOf(*item.expr, frame);
          sink.Text(std::string(std::max(0L, std::min(n, 32000L)), ' '));
          break;
        }
        case PrintItem::Kind::kNone:
          break;
      }
      if (item.separator == ',') sink.Text(std::string(kPrintZone - sink.column % kPrintZone, ' '));
      last = item.separator;
    }
    if (last != ';' && last != ',') sink.LineEnd();
  }

  std::string WriteItem(const Value& v) {
    switch (v.type) {
      case VbType::kString:
        return "\"" + v.str + "\"";
      case VbType::kEmpty:
        return "";
      case VbType::kBoolean:
        return v.num != 0 ? "#TRUE#" : "#FALSE#";
      default:
        return WriteText(v.num, NumberKindOf(v.type));
    }
  }

  void InputInto(const Expr& target, int number, Frame* frame) {
    std::string field;
    bool quoted = false;
    table.ReadField(number, field, quoted);
    VbType type;
    Value& place = Place(target, frame, type);
    switch (type) {
      case VbType::kString:
        place = Value::String(std::move(field));
        return;
      case VbType::kVariant: {
        Value v;
        if (quoted) {
          v = Value::String(std::move(field));
        } else if (field.empty()) {
          v = Value{};
        } else if (auto n = TextToNumber(field)) {
          v = Value::Double(*n);
        } else {
          v = Value::String(std::move(field));
        }
        v.variant = true;
        place = std::move(v);
        return;
      }
      default: {
        // A field that is not a number reads as the number it starts with, or 0.
        auto n = TextToNumber(field);
        place = Convert(Value::Double(n ? *n : Val(field)), type);
        return;
      }
    }
  }

  int FileNumber(const Expr& e, Frame* frame) { return LongOf(e, frame); }

  void ReDim(const Stmt& s, Frame* frame) {
    for (const Declared& d : s.Parts().declared) {
      Variable& var = d.local ? frame->locals[d.slot] : globals[d.slot];
      if (!var.array) {
        var.array = std::make_unique<ArrayData>();
        var.array->type = var.type;
      }
      SizeArray(*var.array, d, frame, s.preserve);
    }
  }

  // Runs one instruction; returns the next one.
  int Step(Frame& frame, const Instr& in, int pc) {
    switch (in.op) {
      case OpCode::kJump:
        return in.target;
      case OpCode::kJumpIfFalse:
        return Condition(*in.cond, &frame) ? pc + 1 : in.target;
      case OpCode::kDoTest:
        return Condition(*in.cond, &frame) == in.jumpWhen ? in.target : pc + 1;
      case OpCode::kFor:
        return StartFor(frame, in, pc);
      case OpCode::kNext:
        return NextFor(frame, in, pc);
      case OpCode::kStatement:
        return Execute(frame, *in.stmt, in, pc);
    }
    return pc + 1;
  }

  bool LoopGoesOn(const Value& counter, const LoopState& loop) {
    if (IsFixedNumeric(counter.type) && IsFixedNumeric(loop.end.type)) {
      return loop.down ? !(counter.num < loop.end.num) : !(counter.num > loop.end.num);
    }
    Value past = Binary(loop.down ? BinaryOp::kLt : BinaryOp::kGt, counter, loop.end);
    return past.num == 0;
  }

  int StartFor(Frame& frame, const Instr& in, int pc) {
    const Stmt& s = *in.stmt;
    Value start = Eval(*s.exprs[0], &frame);
    Value end = Eval(*s.exprs[1], &frame);
    Value step = s.exprs.size() > 2 ? Eval(*s.exprs[2], &frame) : Value::Integer(1);
    VbType type;
    Value& counter = Place(*s.target, &frame, type);
    LoopState& loop = frame.loops[in.loop];
    if (type == VbType::kVariant || type == VbType::kString) {
      loop.end = end;
      loop.step = step;
    } else {
      loop.end = Convert(end, type);
      loop.step = Convert(step, type);
    }
    loop.down = ToNumber(loop.step) < 0;
    counter = Convert(start, type);
    return LoopGoesOn(counter, loop) ? pc + 1 : in.target;
  }

  int NextFor(Frame& frame, const Instr& in, int pc) {
    const Stmt& s = *in.forStmt;
    VbType type;
    Value& counter = Place(*s.target, &frame, type);
    const LoopState& loop = frame.loops[in.loop];
    if (IsFixedNumeric(type)) {
      // The counter and the step hold values of the counter's own type.
      const VbType sum = FixedBinaryType(BinaryOp::kAdd, type, type);
      counter.num = ConvertNumber(FixedBinary(BinaryOp::kAdd, sum, counter.num, loop.step.num), type);
    } else {
      counter = Convert(Binary(BinaryOp::kAdd, counter, loop.step), type);
    }
    return LoopGoesOn(counter, loop) ? in.target : pc + 1;
  }

  int Execute(Frame& frame, const Stmt& s, const Instr& in, int pc) {
    Frame* f = &frame;
    switch (s.kind) {
      case StmtKind::kAssign:
        Assign(*s.target, *s.exprs[0], f);
        break;
      case StmtKind::kCall:
        if (s.builtinCall) {
          std::vector<Value> args;
          for (const auto& a : s.exprs) args.push_back(Eval(*a, f));
          Call(s.builtin, args);
        } else {
          RunProcedure(s.procedure);
        }
        break;
      case StmtKind::kGoSub:
        if (frame.gosubs.size() > 100000) Fail(err::kOutOfStack);
        frame.gosubs.push_back(pc + 1);
        return in.target;
      case StmtKind::kReturn: {
        if (frame.gosubs.empty()) Fail(err::kReturnWithoutGoSub);
        int back = frame.gosubs.back();
        frame.gosubs.pop_back();
        return back;
      }
      case StmtKind::kOnErrorGoTo:
        frame.handler = in.target;
        frame.resumeNext = false;
        errNumber = 0;
        break;
      case StmtKind::kOnErrorResumeNext:
        frame.handler = -1;
        frame.resumeNext = true;
        errNumber = 0;
        break;
      case StmtKind::kResume:
      case StmtKind::kResumeNext: {
        if (!frame.inHandler) Fail(err::kResumeWithoutError);
        frame.inHandler = false;
        errNumber = 0;
        if (s.kind == StmtKind::kResumeNext) return frame.errorPc + 1;
        if (s.Parts().label.empty()) return frame.errorPc;
        return in.target;
      }
      case StmtKind::kEnd:
        throw EndRun{};
      case StmtKind::kExitSub:
        return static_cast<int>(frame.proc->code.size());
      case StmtKind::kOpen: {
        std::string name = ToText(Eval(*s.exprs[0], f));
        int number = FileNumber(*s.exprs[1], f);
        int length = s.exprs.size() > 2 ? LongOf(*s.exprs[2], f) : 128;
        table.Open(number, name, s.mode, length);
        break;
      }
      case StmtKind::kClose:
        if (s.exprs.empty()) {
          table.CloseAll();
        } else {
          for (const auto& e : s.exprs) table.Close(FileNumber(*e, f));
        }
        break;
      case StmtKind::kInput: {
        int number = FileNumber(*s.exprs[0], f);
        for (size_t i = 1; i < s.exprs.size(); ++i) InputInto(*s.exprs[i], number, f);
        break;
      }
      case StmtKind::kLineInput: {
        int number = FileNumber(*s.exprs[0], f);
        std::string line;
        table.ReadLine(number, line);
        Assign(*s.exprs[1], Value::String(std::move(line)), f);
        break;
      }
      case StmtKind::kWrite: {
        int number = FileNumber(*s.exprs[0], f);
        std::string line;
        for (size_t i = 1; i < s.exprs.size(); ++i) {
          if (i > 1) line += ',';
          line += WriteItem(Eval(*s.exprs[i], f));
        }
        table.WriteLine(number, line);
        break;
      }
      case StmtKind::kPrint:
        if (s.exprs.empty()) {
          Print(debug, s, f);
        } else {
          Print(table.Printer(FileNumber(*s.exprs[0], f)), s, f);
        }
        break;
      case StmtKind::kPut: {
        int number = FileNumber(*s.exprs[0], f);
        long long record = s.exprs[1] ? LongOf(*s.exprs[1], f) : 0;
        if (s.exprs[1] && record < 1) Fail(err::kBadRecordNumber);
        table.Put(number, record, Eval(*s.exprs[2], f));
        break;
      }
      case StmtKind::kGet: {
        int number = FileNumber(*s.exprs[0], f);
        long long record = s.exprs[1] ? LongOf(*s.exprs[1], f) : 0;
        if (s.exprs[1] && record < 1) Fail(err::kBadRecordNumber);
        VbType type;
        Place(*s.target, f, type);
        Value v = table.Get(number, record, type);
        Assign(*s.target, v, f);
        break;
      }
      case StmtKind::kName: {
        FileError error;
        if (!files.Rename(ToText(Eval(*s.exprs[0], f)), ToText(Eval(*s.exprs[1], f)), error)) {
          Fail(error.number, error.path);
        }
        break;
      }
      case StmtKind::kKill: {
        FileError error;
        if (!files.Delete(ToText(Eval(*s.exprs[0], f)), error)) Fail(error.number, error.path);
        break;
      }
      case StmtKind::kReDim:
        ReDim(s, f);
        break;
      case StmtKind::kDim:
        break;  // locals are made when the procedure starts
      case StmtKind::kRandomize:
        if (!s.exprs.empty()) {
          random.Randomize(ToNumber(Eval(*s.exprs[0], f)));
        } else if (options.seed) {
          random.Randomize(*options.seed);
        } else {
          random.RandomizeFromTimer();
        }
        break;
      case StmtKind::kErrorStmt: {
        long number = LongOf(*s.exprs[0], f);
        if (number < 1 || number > 65535) Fail(err::kInvalidCall);
        Fail(static_cast<int>(number));
      }
      default:
        break;
    }
    return pc + 1;
  }

  // An error raised by instruction `pc`: the handler in force takes it, or it
  // leaves the procedure marked with where it happened.
  int Handle(Frame& frame, VbError& error, int pc) {
    const Instr& in = frame.proc->code[pc];
    if (error.module < 0) {
      error.module = frame.proc->module;
      error.line = in.stmt != nullptr ? in.stmt->line : frame.proc->source->firstLine;
    }
    if (frame.resumeNext) {
      errNumber = error.number;
      return pc + 1;
    }
    if (frame.handler >= 0 && !frame.inHandler) {
      errNumber = error.number;
      frame.inHandler = true;
      frame.errorPc = pc;
      return frame.handler;
    }
    throw error;
  }

  void RunProcedure(int index) {
    const CompiledProcedure& proc = program.procedures[index];
    if (depth >= kMaxCallDepth) Fail(err::kOutOfStack);
    ++depth;
    Frame frame;
    frame.proc = &proc;
    frame.locals.resize(proc.locals.size());
    frame.loops.resize(proc.loopCount);
    for (size_t i = 0; i < proc.locals.size(); ++i) InitVariable(frame.locals[i], proc.locals[i], &frame);
    const std::vector<Instr>& code = proc.code;
    int pc = 0;
    int size = static_cast<int>(code.size());
    try {
      while (pc < size) {
        try {
          heartbeat.Beat();
          if (options.stepLimit != 0 && ++steps > options.stepLimit) throw EndRun{};
          pc = Step(frame, code[pc], pc);
        } catch (VbError& error) {
          pc = Handle(frame, error, pc);
        }
      }
    } catch (...) {
      --depth;
      throw;
    }
    --depth;
  }
};

Interpreter::Interpreter(const Program& program, Dialogue& dialogue, FileSystem& files, RunOptions options)
    : impl_(std::make_unique<Impl>(program, dialogue, files, options)) {}

Interpreter::~Interpreter() = default;

RunOutcome Interpreter::Run() {
  RunOutcome outcome;
  try {
    impl_->InitGlobals();
    impl_->RunProcedure(impl_->program.main);
  } catch (const EndRun&) {
  } catch (const InputEnded&) {
    outcome.kind = RunOutcome::Kind::kInputEnded;
  } catch (const VbError& error) {
    outcome.kind = RunOutcome::Kind::kRuntimeError;
    outcome.error = error;
  }
  impl_->dialogue.ClearProgress();
  std::fflush(impl_->options.debug);
  try {
    impl_->table.CloseAll();
  } catch (const VbError& error) {
    if (outcome.kind == RunOutcome::Kind::kFinished) {
      outcome.kind = RunOutcome::Kind::kRuntimeError;
      outcome.error = error;
    }
  }
  return outcome;
}

}  // namespace korva::vbrun
