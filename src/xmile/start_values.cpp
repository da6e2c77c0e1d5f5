#include "xmile/start_values.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace korva::xmile {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double Truth(bool b) { return b ? 1 : 0; }

double Call(const Expr& e, const EvaluationContext& c) {
  auto arg = [&](size_t i) { return Evaluate(*e.args[i], c); };
  const std::string& f = e.name;
  if (e.args.empty()) {
    Expr name;
    name.kind = Expr::Kind::kName;
    name.name = f;
    return Evaluate(name, c);
  }
  if (f == "abs") return std::fabs(arg(0));
  if (f == "exp") return std::exp(arg(0));
  if (f == "ln") return arg(0) > 0 ? std::log(arg(0)) : kNaN;
  if (f == "log10") return arg(0) > 0 ? std::log10(arg(0)) : kNaN;
  if (f == "sqrt") return arg(0) >= 0 ? std::sqrt(arg(0)) : kNaN;
  if (f == "sin") return std::sin(arg(0));
  if (f == "cos") return std::cos(arg(0));
  if (f == "tan") return std::tan(arg(0));
  if (f == "arcsin") return std::asin(arg(0));
  if (f == "arccos") return std::acos(arg(0));
  if (f == "arctan") return std::atan(arg(0));
  if (f == "int") return std::floor(arg(0));
  if (f == "min") return std::min(arg(0), arg(1));
  if (f == "max") return std::max(arg(0), arg(1));
  if (f == "mod") {
    const double a = arg(0), b = arg(1);
    return b != 0 ? a - b * std::floor(a / b) : kNaN;
  }
  if (const GraphicalFunction* gf = c.graphical(f)) return GraphicalValue(*gf, arg(0));
  return kNaN;
}

double BinaryValue(const Expr& e, const EvaluationContext& c) {
  const std::string& op = e.name;
  const double a = Evaluate(*e.args[0], c);
  if (op == "and" && a == 0) return 0;
  if (op == "or" && a != 0 && !std::isnan(a)) return 1;
  const double b = Evaluate(*e.args[1], c);
  if (op == "+") return a + b;
  if (op == "-") return a - b;
  if (op == "*") return a * b;
  if (op == "/") return b != 0 ? a / b : kNaN;
  if (op == "^") return std::pow(a, b);
  if (op == "mod") return b != 0 ? a - b * std::floor(a / b) : kNaN;
  if (op == "<") return Truth(a < b);
  if (op == "<=") return Truth(a <= b);
  if (op == ">") return Truth(a > b);
  if (op == ">=") return Truth(a >= b);
  if (op == "=") return Truth(a == b);
  if (op == "<>") return Truth(a != b);
  if (op == "and") return Truth(b != 0);
  if (op == "or") return Truth(b != 0);
  return kNaN;
}

}  // namespace

double GraphicalValue(const GraphicalFunction& gf, double x) {
  const auto& xs = gf.xs;
  const auto& ys = gf.ys;
  const size_t n = xs.size();
  if (n == 0) return kNaN;
  if (n == 1) return ys[0];
  if (gf.type == GraphicalFunction::Type::kDiscrete) {
    if (x < xs[0]) return ys[0];
    const size_t after = static_cast<size_t>(std::upper_bound(xs.begin(), xs.end(), x) - xs.begin());
    return ys[after - 1];
  }
  auto line = [&](size_t i, double at) {
    const double run = xs[i + 1] - xs[i];
    return run == 0 ? ys[i + 1] : ys[i] + (at - xs[i]) * (ys[i + 1] - ys[i]) / run;
  };
  if (x <= xs[0]) return gf.type == GraphicalFunction::Type::kExtrapolate ? line(0, x) : ys[0];
  if (x >= xs[n - 1]) return gf.type == GraphicalFunction::Type::kExtrapolate ? line(n - 2, x) : ys[n - 1];
  const size_t after = static_cast<size_t>(std::upper_bound(xs.begin(), xs.end(), x) - xs.begin());
  return line(after - 1, x);
}

double Evaluate(const Expr& e, const EvaluationContext& c) {
  switch (e.kind) {
    case Expr::Kind::kNumber:
      return e.value;
    case Expr::Kind::kName:
      if (e.name == "time") return c.time;
      if (e.name == "dt") return c.sim->dt;
      if (e.name == "starttime") return c.sim->start;
      if (e.name == "stoptime") return c.sim->stop;
      if (e.name == "pi") return M_PI;
      return c.value(e.name);
    case Expr::Kind::kCall:
      return Call(e, c);
    case Expr::Kind::kUnary: {
      const double a = Evaluate(*e.args[0], c);
      if (e.name == "-") return -a;
      if (e.name == "not") return Truth(a == 0);
      return a;
    }
    case Expr::Kind::kBinary:
      return BinaryValue(e, c);
    case Expr::Kind::kIf: {
      const double condition = Evaluate(*e.args[0], c);
      if (std::isnan(condition)) return kNaN;
      return Evaluate(*e.args[condition != 0 ? 1 : 2], c);
    }
  }
  return kNaN;
}

}  // namespace korva::xmile
