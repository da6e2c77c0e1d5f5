#include "xmile/builtins.h"

#include <map>

namespace korva::xmile {
namespace {

const std::map<std::string, BuiltinArity>& Functions() {
  static const std::map<std::string, BuiltinArity> functions = {
      {"abs", {1, 1}},    {"exp", {1, 1}},    {"ln", {1, 1}},     {"log10", {1, 1}},  {"sqrt", {1, 1}},
      {"sin", {1, 1}},    {"cos", {1, 1}},    {"tan", {1, 1}},    {"arcsin", {1, 1}}, {"arccos", {1, 1}},
      {"arctan", {1, 1}}, {"int", {1, 1}},    {"min", {2, 2}},    {"max", {2, 2}},    {"mod", {2, 2}},
      {"step", {2, 2}},   {"pulse", {2, 3}},  {"ramp", {2, 3}},   {"smth1", {2, 3}},  {"delay1", {2, 3}},
      {"pi", {0, 0}},     {"time", {0, 0}},   {"dt", {0, 0}},     {"starttime", {0, 0}},
      {"stoptime", {0, 0}},
  };
  return functions;
}

ExprPtr Time() { return Name("time"); }
ExprPtr Dt() { return Name("dt"); }

// PULSE(volume, first[, interval]): volume / DT at the step of `first`, and
// every `interval` after it when that is above zero.
ExprPtr Pulse(const std::vector<ExprPtr>& a) {
  const ExprPtr height = Binary("/", a[0], Dt());
  const ExprPtr halfStep = Binary("/", Dt(), Number(2));
  const ExprPtr since = Binary("-", Time(), a[1]);
  const ExprPtr once = If(Binary("<", Call("abs", {since}), halfStep), height, Number(0));
  if (a.size() < 3) return once;
  const ExprPtr nearest =
      Binary("*", a[2], Call("int", {Binary("+", Binary("/", since, a[2]), Number(0.5))}));
  const ExprPtr repeated =
      If(Binary("and", Binary(">", since, Unary("-", halfStep)),
                Binary("<", Call("abs", {Binary("-", since, nearest)}), halfStep)),
         height, Number(0));
  return If(Binary(">", a[2], Number(0)), repeated, once);
}

// RAMP(slope, start[, end]): slope × (TIME − start) after `start`, held from `end`.
ExprPtr Ramp(const std::vector<ExprPtr>& a) {
  ExprPtr until = Time();
  if (a.size() > 2) until = Call("min", {Time(), a[2]});
  return If(Binary(">", Time(), a[1]), Binary("*", a[0], Binary("-", until, a[1])), Number(0));
}

}  // namespace

std::optional<BuiltinArity> BuiltinFunction(const std::string& canonicalName) {
  auto found = Functions().find(canonicalName);
  if (found == Functions().end()) return std::nullopt;
  return found->second;
}

bool IsBuiltinConstant(const std::string& name) {
  return name == "time" || name == "dt" || name == "starttime" || name == "stoptime" || name == "pi";
}

ExprPtr RewriteTimeFunctions(const ExprPtr& expr) {
  if (expr->args.empty()) return expr;
  std::vector<ExprPtr> args;
  args.reserve(expr->args.size());
  for (const ExprPtr& a : expr->args) args.push_back(RewriteTimeFunctions(a));
  if (expr->kind == Expr::Kind::kCall) {
    if (expr->name == "step" && args.size() == 2) {
      return Binary("*", args[0], Binary(">=", Time(), args[1]));
    }
    if (expr->name == "pulse" && args.size() >= 2) return Pulse(args);
    if (expr->name == "ramp" && args.size() >= 2) return Ramp(args);
  }
  Expr copy = *expr;
  copy.args = std::move(args);
  return std::make_shared<const Expr>(std::move(copy));
}

}  // namespace korva::xmile
