#include "xmile/import_plan.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <unordered_set>

#include "text/cp1252.h"
#include "xmile/builtins.h"
#include "xmile/expression.h"
#include "xmile/identifiers.h"
#include "xmile/start_values.h"
#include "xmile/vb_translation.h"

namespace korva::xmile {
namespace {

// A variable as the importer works on it; the ones SMTH1 and DELAY1 bring in
// are hidden (not in the results).
struct Working {
  Variable::Kind kind = Variable::Kind::kAux;
  std::string name;     // canonical
  std::string display;  // UTF-8
  ExprPtr expr;         // the equation; a stock's initial value
  const GraphicalFunction* gf = nullptr;
  bool callableOnly = false;  // a graphical function without an equation
  std::vector<std::string> inflows, outflows;
  bool nonNegative = false;
  bool hidden = false;
  double start = 0;  // value at the start time
  enum class Role { kNone, kConstant, kCalculated, kStock } role = Role::kNone;
  int element = -1;     // its element (a stock's state element)
  int initialElement = -1;  // a stock's input
};

// What the file's names become in the element list: no quotes (the answers
// log quotes its records), no commas (korva warns of them), no brackets (they
// open bracket codes), no control characters, and not without end.
std::string Description(const std::string& utf8) {
  std::string text = Utf8ToCp1252(utf8);
  for (char& c : text) {
    if (c == '"') c = '\'';
    if (c == ',') c = ';';
    if (c == '[') c = '(';
    if (c == ']') c = ')';
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  }
  if (text.size() > 200) text = text.substr(0, 200);
  return text;
}

std::string DescriptionOf(const Working& w) { return Description(w.hidden ? Cp1252ToUtf8(w.display) : w.display); }

std::string Who(const Working& w) { return w.hidden ? w.display : Utf8ToCp1252(w.display); }

class Planner {
 public:
  explicit Planner(const XmileModel& model) : model_(model) {
    plan_.sim = model.sim;
    plan_.modelName = model.modelName;
  }

  ImportPlan Plan() {
    for (const Refusal& r : model_.refusals) Problem(r.variable, r.construct);
    Collect();
    ReplaceMemoryFunctions();
    Resolve();
    if (!plan_.problems.empty()) return std::move(plan_);
    if (!Order()) return std::move(plan_);
    EvaluateStart();
    if (!plan_.problems.empty()) return std::move(plan_);
    Classify();
    if (std::none_of(plan_.elements.begin(), plan_.elements.end(), [](const PlannedElement& e) { return !e.input; })) {
      Problem("", vars_.empty() ? "el modelo no tiene variables"
                                : "el modelo no calcula nada: todas sus variables son constantes, y korva necesita "
                                  "al menos una que dependa de otra o del tiempo");
      return std::move(plan_);
    }
    AssignIdentifiers();
    Translate();
    Columns();
    return std::move(plan_);
  }

 private:
  void Problem(const std::string& who, const std::string& what) {
    plan_.problems.push_back(who.empty() ? what : who + ": " + what);
  }

  void Collect() {
    for (const Variable& v : model_.variables) {
      Working w;
      w.kind = v.kind == Variable::Kind::kGf ? Variable::Kind::kAux : v.kind;
      w.name = v.name;
      w.display = v.displayName;
      w.gf = v.gf ? &*v.gf : nullptr;
      w.inflows = v.inflows;
      w.outflows = v.outflows;
      w.nonNegative = v.nonNegative;
      const std::string who = Who(w);
      // A variable refused is still known: what reads it is not told it is undefined.
      refused_.insert(w.name);
      if (!v.dimensions.empty() || !v.byElement.empty()) {
        Problem(who, "una variable con dimensiones (matrices)");
        continue;
      }
      if (v.equation.find_first_not_of(" \t\r\n") == std::string::npos) {
        if (w.gf != nullptr && w.kind != Variable::Kind::kStock) {
          w.callableOnly = true;
        } else {
          Problem(who, "no tiene ecuación (<eqn>)");
          continue;
        }
      } else {
        ParseResult parsed = ParseEquation(v.equation);
        if (!parsed.expr) {
          Problem(who, "ecuación ilegible (" + parsed.error + "): " + Abbreviated(v.equation));
          continue;
        }
        w.expr = RewriteTimeFunctions(parsed.expr);
      }
      refused_.erase(w.name);
      if (!index_.try_emplace(w.name, vars_.size()).second) {
        Problem(who, "nombre repetido (los nombres no distinguen mayúsculas, blancos ni subrayados)");
        continue;
      }
      vars_.push_back(std::move(w));
    }
  }

  static std::string Abbreviated(const std::string& text) {
    return text.size() > 80 ? text.substr(0, 77) + "..." : text;
  }

  // --- SMTH1 and DELAY1: a stock and flows of their own ----------------------

  // A variable of its own for what SMTH1 or DELAY1 keeps: `what` names it
  // after the variable whose equation calls the function.
  std::string Synthesize(Variable::Kind kind, const std::string& what, ExprPtr expr) {
    Working w;
    w.kind = kind;
    w.name = "\x01" + std::to_string(++synthesized_);
    w.display = what;
    w.expr = std::move(expr);
    w.hidden = true;
    index_.emplace(w.name, vars_.size());
    vars_.push_back(std::move(w));
    return vars_.back().name;
  }

  ExprPtr WithoutMemory(const ExprPtr& e, const std::string& owner, int& calls) {
    if (e->args.empty()) return e;
    std::vector<ExprPtr> args;
    for (const ExprPtr& a : e->args) args.push_back(WithoutMemory(a, owner, calls));
    if (e->kind == Expr::Kind::kCall && (e->name == "smth1" || e->name == "delay1") && args.size() >= 2 &&
        args.size() <= 3) {
      const ExprPtr input = args[0];
      const ExprPtr time = args[1];
      const ExprPtr initial = args.size() == 3 ? args[2] : input;
      const std::string of = UpperCase(e->name) + (++calls > 1 ? " " + std::to_string(calls) : "") + " de " + owner;
      if (e->name == "smth1") {
        const std::string stock = Synthesize(Variable::Kind::kStock, of, initial);
        const std::string flow =
            Synthesize(Variable::Kind::kFlow, "cambio del " + of, Binary("/", Binary("-", input, Name(stock)), time));
        vars_[index_[stock]].inflows = {flow};
        return Name(stock);
      }
      const std::string stock = Synthesize(Variable::Kind::kStock, of, Binary("*", initial, time));
      const std::string in = Synthesize(Variable::Kind::kFlow, "entrada del " + of, input);
      const std::string out = Synthesize(Variable::Kind::kFlow, "salida del " + of, Binary("/", Name(stock), time));
      vars_[index_[stock]].inflows = {in};
      vars_[index_[stock]].outflows = {out};
      return Name(out);
    }
    Expr copy = *e;
    copy.args = std::move(args);
    return std::make_shared<const Expr>(std::move(copy));
  }

  void ReplaceMemoryFunctions() {
    const size_t given = vars_.size();
    for (size_t i = 0; i < given; ++i) {
      if (!vars_[i].expr) continue;
      int calls = 0;
      // Copies: the variables SMTH1 and DELAY1 bring in move vars_ as they are added.
      const ExprPtr equation = vars_[i].expr;
      const std::string owner = Utf8ToCp1252(vars_[i].display);
      ExprPtr replaced = WithoutMemory(equation, owner, calls);
      vars_[i].expr = replaced;
    }
  }

  // --- Names and functions: all known ------------------------------------

  const Working* Find(const std::string& name) const {
    auto found = index_.find(name);
    return found == index_.end() ? nullptr : &vars_[found->second];
  }

  void CheckNames(const Working& w, const Expr& e) {
    if (e.kind == Expr::Kind::kName) {
      if (!IsBuiltinConstant(e.name)) {
        const Working* target = Find(e.name);
        if (target == nullptr && refused_.count(e.name) == 0) {
          Problem(Who(w), "usa " + e.name + ", que no está definida");
        } else if (target != nullptr && target->callableOnly) {
          Problem(Who(w), "usa la función gráfica " + e.name + " sin argumento");
        }
      }
      if (!e.args.empty()) Problem(Who(w), "usa " + e.name + " con índices (matrices)");
    }
    if (e.kind == Expr::Kind::kCall) {
      const Working* target = Find(e.name);
      if (auto arity = BuiltinFunction(e.name)) {
        const int count = static_cast<int>(e.args.size());
        if (count < arity->min || count > arity->max) {
          Problem(Who(w), "llama a " + UpperCase(e.name) + " con " + std::to_string(count) + " argumentos");
        }
      } else if (target != nullptr && target->gf != nullptr) {
        if (e.args.size() != 1) Problem(Who(w), "llama a la función gráfica " + e.name + " con más de un argumento");
      } else if (refused_.count(e.name) == 0) {
        Problem(Who(w), "la función " + UpperCase(e.name) + ", que no se importa");
      }
    }
    for (const ExprPtr& a : e.args) CheckNames(w, *a);
  }

  void Resolve() {
    for (const Working& w : vars_) {
      if (w.expr) CheckNames(w, *w.expr);
      for (const auto* flows : {&w.inflows, &w.outflows}) {
        for (const std::string& flow : *flows) {
          const Working* target = Find(flow);
          if (refused_.count(flow) != 0) continue;
          if (target == nullptr || target->callableOnly || target->kind == Variable::Kind::kStock) {
            Problem(Who(w), "su flujo " + flow + " no está definido como flujo");
          }
        }
      }
    }
  }

  // --- Order at the start: every value after the ones it reads ----------------

  std::vector<size_t> Dependencies(const Working& w) const {
    std::vector<size_t> deps;
    if (!w.expr) return deps;
    for (const std::string& name : NamesUsed(*w.expr)) {
      auto found = index_.find(name);
      if (found != index_.end() && !IsBuiltinConstant(name)) deps.push_back(found->second);
    }
    return deps;
  }

  bool Order() {
    const size_t n = vars_.size();
    std::vector<std::vector<size_t>> readers(n);
    std::vector<size_t> waiting(n, 0);
    for (size_t i = 0; i < n; ++i) {
      for (size_t d : Dependencies(vars_[i])) {
        readers[d].push_back(i);
        ++waiting[i];
      }
    }
    for (size_t i = 0; i < n; ++i) {
      if (waiting[i] == 0) order_.push_back(i);
    }
    for (size_t k = 0; k < order_.size(); ++k) {
      for (size_t reader : readers[order_[k]]) {
        if (--waiting[reader] == 0) order_.push_back(reader);
      }
    }
    if (order_.size() == n) return true;
    // A loop: follow unplaced influences from an unplaced variable until one repeats.
    size_t at = 0;
    while (waiting[at] == 0) ++at;
    std::vector<size_t> path;
    std::vector<int> seenAt(n, -1);
    while (seenAt[at] < 0) {
      seenAt[at] = static_cast<int>(path.size());
      path.push_back(at);
      for (size_t d : Dependencies(vars_[at])) {
        if (waiting[d] != 0) {
          at = d;
          break;
        }
      }
    }
    std::string loop;
    for (size_t k = static_cast<size_t>(seenAt[at]); k < path.size(); ++k) loop += Who(vars_[path[k]]) + " -> ";
    Problem(Who(vars_[at]), "definición circular: " + loop + Who(vars_[at]));
    return false;
  }

  void EvaluateStart() {
    EvaluationContext context;
    context.sim = &plan_.sim;
    context.time = plan_.sim.start;
    context.value = [&](const std::string& name) { return vars_[index_.at(name)].start; };
    context.graphical = [&](const std::string& name) -> const GraphicalFunction* {
      const Working* w = Find(name);
      return w == nullptr ? nullptr : w->gf;
    };
    for (size_t i : order_) {
      Working& w = vars_[i];
      if (w.callableOnly) continue;
      w.start = Evaluate(*w.expr, context);
      if (w.gf != nullptr && w.kind != Variable::Kind::kStock) w.start = GraphicalValue(*w.gf, w.start);
      if (w.nonNegative && w.start < 0) w.start = 0;
      if (w.kind == Variable::Kind::kStock && !std::isfinite(w.start)) {
        Problem(Who(w), "su valor inicial no se puede calcular");
      }
    }
  }

  // --- Elements -------------------------------------------------------------

  static bool ReadsVariablesOrClock(const Working& w) {
    for (const std::string& name : NamesUsed(*w.expr)) {
      if (!IsBuiltinConstant(name) || name == "time") return true;
    }
    return false;
  }

  int AddElement(PlannedElement element) {
    plan_.elements.push_back(std::move(element));
    return static_cast<int>(plan_.elements.size()) - 1;
  }

  void Classify() {
    for (Working& w : vars_) {
      if (w.callableOnly) continue;
      if (w.kind == Variable::Kind::kStock) {
        w.role = Working::Role::kStock;
      } else if (!ReadsVariablesOrClock(w)) {
        w.role = Working::Role::kConstant;
        if (!std::isfinite(w.start)) {
          Problem(Who(w), "su valor constante no se puede calcular");
          w.role = Working::Role::kCalculated;
        }
      } else {
        w.role = Working::Role::kCalculated;
      }
      if (w.expr && w.role == Working::Role::kCalculated) usesClock_ = usesClock_ || UsesName(*w.expr, "time");
      if (w.expr && w.role == Working::Role::kCalculated) usesClock_ = usesClock_ || UsesName(*w.expr, "starttime");
    }
    // The inputs in file order (a stock's value at the start of the step
    // where the stock stands), then the calculated elements.
    for (Working& w : vars_) {
      if (w.role == Working::Role::kConstant) {
        PlannedElement e;
        e.input = true;
        e.value = w.start;
        e.description = DescriptionOf(w);
        w.element = AddElement(std::move(e));
      } else if (w.role == Working::Role::kStock) {
        PlannedElement e;
        e.input = true;
        e.value = w.start;
        e.description = DescriptionOf(w) + " al empezar el paso";
        w.initialElement = AddElement(std::move(e));
      }
    }
    if (usesClock_) {
      PlannedElement e;
      e.input = true;
      e.value = plan_.sim.start;
      e.description = "STARTTIME tiempo inicial";
      clockElement_ = AddElement(std::move(e));
    }
    for (Working& w : vars_) {
      if (w.role != Working::Role::kCalculated && w.role != Working::Role::kStock) continue;
      PlannedElement e;
      e.description = DescriptionOf(w);
      e.state = w.role == Working::Role::kStock;
      e.initialIndex = w.initialElement;
      w.element = AddElement(std::move(e));
    }
  }

  static bool UsesName(const Expr& e, const std::string& name) {
    if (e.kind == Expr::Kind::kName && e.name == name) return true;
    for (const ExprPtr& a : e.args) {
      if (UsesName(*a, name)) return true;
    }
    return false;
  }

  void AssignIdentifiers() {
    // Preference: the file's variables keep their own letters before the
    // inputs that stand for a stock's start, the clock and the hidden ones.
    std::vector<int> byPreference;
    std::vector<std::string> texts;
    auto want = [&](int element, const std::string& text) {
      if (element < 0) return;
      byPreference.push_back(element);
      texts.push_back(text);
    };
    for (const Working& w : vars_) {
      if (!w.hidden) want(w.element, Utf8ToCp1252(w.display));
    }
    for (const Working& w : vars_) {
      if (!w.hidden) want(w.initialElement, Utf8ToCp1252(w.display));
    }
    want(clockElement_, "STARTTIME");
    for (const Working& w : vars_) {
      if (w.hidden) {
        want(w.element, w.display);
        want(w.initialElement, w.display);
      }
    }
    Identifiers ids = MakeIdentifiers(texts);
    plan_.idLength = ids.length;
    for (size_t k = 0; k < byPreference.size(); ++k) plan_.elements[static_cast<size_t>(byPreference[k])].id = ids.ids[k];
    for (Working& w : vars_) {
      if (w.role == Working::Role::kStock) {
        plan_.elements[static_cast<size_t>(w.element)].initialId = plan_.elements[static_cast<size_t>(w.initialElement)].id;
      }
    }
  }

  const std::string& IdOf(int element) const { return plan_.elements[static_cast<size_t>(element)].id; }

  void Translate() {
    TranslationNames names;
    names.variable = [&](const std::string& name) {
      const Working& w = vars_[index_.at(name)];
      return IdOf(w.role == Working::Role::kStock ? w.initialElement : w.element);
    };
    names.graphical = [&](const std::string& name) -> const GraphicalFunction* {
      const Working* w = Find(name);
      return w == nullptr ? nullptr : w->gf;
    };
    names.startTime = clockElement_ >= 0 ? IdOf(clockElement_) : VbNumber(plan_.sim.start);
    names.stopTime = plan_.sim.stop;
    Translation translation(names);
    for (const Working& w : vars_) {
      if (w.role == Working::Role::kCalculated) {
        PlannedElement& e = plan_.elements[static_cast<size_t>(w.element)];
        e.lines = translation.Assign(e.id, *w.expr, w.gf);
        if (w.nonNegative) e.lines.push_back("  If " + e.id + " < 0 Then " + e.id + " = 0");
      } else if (w.role == Working::Role::kStock) {
        std::vector<std::string> in, out;
        for (const std::string& f : w.inflows) in.push_back(names.variable(f));
        for (const std::string& f : w.outflows) out.push_back(names.variable(f));
        PlannedElement& e = plan_.elements[static_cast<size_t>(w.element)];
        e.lines = Translation::StockLines(e.id, e.initialId, in, out, w.nonNegative);
      }
    }
  }

  void Columns() {
    for (const Working& w : vars_) {
      if (w.hidden && w.element >= 0) {
        plan_.mapping.push_back(Who(w) + " -> " + IdOf(w.element) +
                                (w.role == Working::Role::kStock ? " (nivel añadido, su valor inicial es el dato " +
                                                                       IdOf(w.initialElement) + ")"
                                                                 : " (flujo añadido)"));
      }
      if (w.hidden || w.callableOnly) continue;
      ResultColumn column;
      column.header = w.display;
      column.element = w.element;
      const PlannedElement& e = plan_.elements[static_cast<size_t>(w.element)];
      std::string kind;
      switch (w.role) {
        case Working::Role::kConstant:
          column.source = ResultColumn::Source::kConstant;
          kind = "constante, dato " + VbNumber(e.value);
          break;
        case Working::Role::kStock:
          column.source = ResultColumn::Source::kStock;
          kind = "nivel, de estado; su valor inicial " + VbNumber(plan_.elements[static_cast<size_t>(w.initialElement)].value) +
                 " es el dato " + e.initialId;
          break;
        default:
          column.source = ResultColumn::Source::kComputed;
          kind = w.kind == Variable::Kind::kFlow ? "flujo, calculado" : "auxiliar, calculado";
          break;
      }
      plan_.mapping.push_back(Who(w) + " -> " + e.id + " (" + kind + ")");
      plan_.columns.push_back(std::move(column));
    }
    if (clockElement_ >= 0) {
      plan_.mapping.push_back("TIME -> " + IdOf(clockElement_) + " + (npaso - 1) * dt (" + IdOf(clockElement_) +
                              ": dato, el tiempo inicial " + VbNumber(plan_.sim.start) + ")");
    }
  }

  const XmileModel& model_;
  ImportPlan plan_;
  std::vector<Working> vars_;
  std::unordered_map<std::string, size_t> index_;
  std::vector<size_t> order_;
  std::unordered_set<std::string> refused_;  // names of variables refused on reading
  int synthesized_ = 0;
  bool usesClock_ = false;
  int clockElement_ = -1;
};

}  // namespace

ImportPlan PlanImport(const XmileModel& model) { return Planner(model).Plan(); }

}  // namespace korva::xmile
